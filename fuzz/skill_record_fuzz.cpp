// A hostile skill record loaded into a profile, then every level answer asked for at levels
// 0-300 (those the answers tell apart), each level's lines printed and the level hand-over run;
// then the same record loaded as the skill class it names (the base skill otherwise), preloaded,
// tested for use and asked for its tooltip at every level from 0 to one past its maximum that
// the record's lists tell apart (the short summary at the last): nothing may crash or run away
// whatever the counts, list lengths and numbers.
#include "characters/CharAttributeAccumulator.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/RacialBonus.h"
#include "core/GameTextLine.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "fuzz/InputLookups.h"
#include "fuzz/QuietGame.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"
#include "skills/SkillAttributeAccumulator.h"
#include "skills/SkillManager.h"
#include "skills/SkillProfile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace GAME;

constexpr uint32_t kLastLevel = 300;
constexpr const char* kRecordName = "Records/Fuzz/Fuzz.dbr";

// The most values any key of the record lists.
uint32_t LongestList(const LoadTable& table)
{
    size_t longest = 0;
    table.ForEachKey([&](std::string_view key) {
        longest = std::max(longest, table.GetValueCount(key.data()));
    });
    return static_cast<uint32_t>(std::min<size_t>(longest, kLastLevel));
}

// Calls `visit` with the levels from 0 to `top` that take every path the others take. Every
// per-level answer clamps the level to its list, and a level reads its own entry and the next
// one's: past two beyond the longest list only the level's number changes, so the walk skips to
// the last three levels, where the bounds are tested.
template <typename Visit> void VisitLevels(uint32_t top, uint32_t longest, Visit visit)
{
    const uint32_t spread = std::min(top, longest + 2);
    for (uint32_t level = 0; level <= spread; ++level)
        visit(level);
    for (uint32_t level = std::max(spread + 1, top - std::min(top, 2u)); level <= top; ++level)
        visit(level);
}

void AskEveryLevel(const SkillProfile& profile, uint32_t longest)
{
    // Sums keep the answers from being optimised away and catch nothing but crashes.
    double sum = 0.0;
    size_t length = 0;
    auto ask = [&](uint32_t level) {
        sum +=
            profile.GetChanceWeight(level) + profile.GetLifeMonitorPercent(level) +
            profile.GetRadiusTime(level) + profile.GetActivationChance(level) +
            profile.GetProjectileHitTimeToLive(level) + profile.GetProjectileMissTimeToLive(level) +
            profile.GetSpawnObjectTimeToLive(level) + profile.GetSpawnObjectsNumberOfRings(level) +
            profile.GetPetLimit(level) + profile.GetPetBurstSpawn(level) +
            profile.GetSpellAuraDuration(level) + profile.GetMaxChargeLevel(level) +
            profile.GetChargeDuration(level) + profile.GetLifeBonus(level) +
            profile.GetManaBonus(level) + profile.GetSparkGap(level) +
            profile.GetSparkChance(level) + profile.GetSparkMaxNumber(level) +
            profile.GetRagDollAmplification(level) + profile.GetDamageAbsorption(level) +
            profile.GetDamageAbsorptionPercent(level) + profile.GetSkillEnhancement(level) +
            profile.GetContagionInterval(level) + profile.GetContagionRadius(level) +
            profile.GetContagionLimit(level) + profile.GetContagionMaxSpread(level);
        length +=
            profile.GetProjectileName(level).size() + profile.GetSpawnObject(level).size() +
            profile.GetWeaponEnchantment(level).size() + profile.GetTargetFxPakName(level).size() +
            profile.GetProjModImpactFxPakName(level).size() +
            profile.GetCharFxOtherName(level).size() + profile.GetCharFxSelfName(level).size() +
            profile.GetEndBuffSelfFxPakName(level).size() +
            profile.GetEndBuffOtherFxPakName(level).size() +
            profile.GetChargeAuraName(level).size();
    };
    // The levels up to two past the ultimate one, then the last, take every path that the
    // levels between them take.
    const uint32_t ultimate = std::min(profile.GetUltimateLevel() + 2, kLastLevel);
    VisitLevels(ultimate, longest, ask);
    if (ultimate < kLastLevel)
        ask(kLastLevel);
    (void)sum;
    (void)length;
}

// One level's numbers and the next level's changes, as the tooltip prints them.
void PrintLevels(const SkillProfile& profile, uint32_t longest)
{
    const uint32_t last = std::min(profile.GetUltimateLevel() + 2, kLastLevel);
    VisitLevels(last, longest, [&](uint32_t level) {
        std::vector<GameTextLine> lines;
        const SkillProfile_Modifiers& modifiers = profile.GetSkillModifierData(level);
        modifiers.CreateText(GameTextClass::Default, lines);
        profile.GetSkillModifierData(level + 1).CreateNextText(modifiers, lines);
        const SkillProfile_ProjectileModifiers& projectile =
            profile.GetSkillProjectileModifierData(level);
        projectile.CreateText(GameTextClass::Default, lines);
        profile.GetSkillProjectileModifierData(level + 1).CreateNextText(projectile, lines);
        // A modifier skill's numbers are added to the skill's own.
        SkillProfile_Modifiers sum = modifiers;
        sum += profile.GetSkillModifierData(level + 1);
        SkillProfile_ProjectileModifiers projectileSum = projectile;
        projectileSum += profile.GetSkillProjectileModifierData(level + 1);
    });
}

void HandOver(const SkillProfile& profile)
{
    const std::vector<std::string> races = {"Undead", "Beast"};
    for (const uint32_t level : {0u, 1u, 2u, 40u, kLastLevel}) {
        CharAttributeAccumulator character;
        profile.GetCharAttributes(character, level);
        profile.GetCharAttributesPenalty(character, level);
        SkillAttributeAccumulator skill;
        profile.GetSkillAttributes(skill, level);
        CombatAttributeAccumulator combat;
        combat.SetSeed(level);
        profile.GetOffensiveDamageAttributes(combat, level);
        profile.GetOffensiveModifierAttributes(combat, level);
        profile.GetRetaliationAttributes(combat, level);
        profile.GetDefenseAttributes(combat, level);
        RacialBonus_Damage damage;
        profile.GetRacialBonusDamage(races, damage, level);
        RacialBonus_Defense defense;
        profile.GetRacialBonusDefense(races, defense, level);
    }
}

// The record as a skill of a character's manager, through every level a player could reach.
void RunSkill(const LoadTable& table, uint32_t longest)
{
    ObjectManager& objects = ObjectManager::Instance();
    SkillManager manager;
    // A skill class the record names reads its own keys too; anything else loads as the base.
    const std::string kind = table.GetString("Class");
    Skill* skill = nullptr;
    if (kind.starts_with("Skill_")) {
        Object* made = objects.CreateObject(kind.c_str());
        skill = DynamicCast<Skill>(made);
        if (skill == nullptr && made != nullptr)
            objects.DestroyObjectEx(made, "fuzz", __LINE__);
    }
    if (skill == nullptr) {
        skill = new Skill();
        objects.RegisterObject(skill);
    }
    skill->SetObjectName(kRecordName);
    skill->Load(table);
    skill->SetManager(&manager);
    skill->PreLoad(true);
    const uint32_t last = skill->GetMaxLevel() + 1;
    size_t length = skill->CreateUISkillName().size();
    std::vector<GameTextLine> lines;
    // The heading names the skill whatever its level.
    skill->CreateUISkillHeading(lines);
    VisitLevels(last, longest, [&](uint32_t level) {
        skill->SetSkillLevel(level);
        skill->IncrementAugmentedSkillLevel(level);
        skill->PreLoadPet();
        skill->SetAvailability(false, false);
        length += skill->UseDefaultWhenUnavailable() ? 1 : 0;
        lines.clear();
        skill->CreateUIParameterText(lines);
        skill->CreateUINextParameterText(lines);
        length += lines.size();
    });
    // The short summary prints a subset of the parameter text's lines: once, at the last level
    // (never 0), in each style.
    lines.clear();
    skill->CreateUIShortSummaryText(GameTextClass::SkillStatsCurrent, lines);
    skill->CreateUIShortSummaryText(GameTextClass::SkillStatsNext, lines);
    length += lines.size();
    (void)length;
    manager.RemoveFromActiveList(skill);
    objects.DestroyObjectEx(skill, "fuzz", __LINE__);
    objects.ProcessDestroyedObjects();
    // The next input must load its own profile, not this one's from the cache.
    GameEngine::Get().Shutdown();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The mastery tier is answered by the game's hub: one for the whole run.
    StartQuietGame();
    const InputLookups lookups;

    LoadTable table;
    table.Parse(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.dbr");
    // Loaded as the skill will load it, which then finds it in the hub's cache rather than
    // reading the record a second time.
    const SkillProfile& profile =
        *GameEngine::Get().LoadSkillResource(Name::Create(NormalizeFileName(kRecordName)), table);
    if (profile.GetUltimateLevel() < profile.GetMaxLevel() ||
        profile.GetUltimateLevel() > SkillProfile::kMaxLevelCount ||
        profile.GetNumberOfProjectiles() == 0 ||
        profile.GetNumberOfProjectiles() > SkillProfile::kMaxProjectiles)
        abort();
    const uint32_t longest = LongestList(table);
    AskEveryLevel(profile, longest);
    HandOver(profile);
    PrintLevels(profile, longest);
    // A copy answers on its own once the original is gone.
    const SkillProfile copy(profile);
    AskEveryLevel(copy, longest);
    RunSkill(table, longest);
    return 0;
}
