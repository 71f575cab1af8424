#include "combat/CombatManager.h"

#include "characters/Bonus.h"
#include "characters/CharAttributeType.h"
#include "characters/Character.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatFilter.h"
#include "core/DesignerEquationLoader.h"
#include "core/GameLog.h"
#include "core/Helpers.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>

namespace GAME {

namespace {

constexpr const char* kFormulaLoadFailure = "-=- Combat Manager Equation load failure : %s";

struct RegionKey {
    const char* key;
    CombatAttributeRegion region;
};

constexpr RegionKey kRegionKeys[] = {
    {"combatRegionFullyProtectedChance", CombatAttributeRegion_FullyProtected},
    {"combatRegionUnprotectedChance", CombatAttributeRegion_Unprotected},
    {"combatRegionHeadChance", CombatAttributeRegion_Head},
    {"combatRegionTorsoChance", CombatAttributeRegion_Torso},
    {"combatRegionArmsChance", CombatAttributeRegion_Arms},
    {"combatRegionLegsChance", CombatAttributeRegion_Legs},
};

// Elapsed time may be anything the host hands in; the countdowns saturate rather than wrap.
int32_t TimeLeft(int32_t left, int32_t milliseconds)
{
    const int64_t value = static_cast<int64_t>(left) - milliseconds;
    return static_cast<int32_t>(Clamp<int64_t>(value, 0, std::numeric_limits<int32_t>::max()));
}

// A level that runs is a percent slow; above 100 it turns the value round.
float Slowed(float value, float percent)
{
    return (1.0f - percent * 0.01f) * value;
}

bool LogBlock(const char* kind, float blockChance, float blockModifier, float probabilityToHit,
              float chance, float roll)
{
    const bool blocked = roll <= chance;
    gEngine->LogCategory(gLogCombat, 0, "    %s Block Chance %f\n", kind, blockChance);
    gEngine->LogCategory(gLogCombat, 0, "    %s Block Chance Modifiers %f\n", kind, blockModifier);
    gEngine->LogCategory(gLogCombat, 0, "    %s Block PTH %f\n", kind, probabilityToHit);
    gEngine->LogCategory(gLogCombat, 0, "    %s Block Chance %f, Random Chance (%f)\n", kind,
                         chance, roll);
    gEngine->LogCategory(gLogCombat, 0, "    %s Block %s\n", kind, blocked ? "True" : "False");
    return blocked;
}

} // namespace

void CombatManager::AssignParent(Character* character)
{
    parent = character;
    equipment.AttachParent(character);
    durationDamage.AssignParents(character, this);
}

void CombatManager::Load(const LoadTable& table)
{
    equipment.Load(table);
    handHitDamageMin = table.GetFloat("handHitDamageMin", 0.0f);
    handHitDamageMax = table.GetFloat("handHitDamageMax", 0.0f);
    footHitDamageMin = table.GetFloat("footHitDamageMin", 0.0f);
    footHitDamageMax = table.GetFloat("footHitDamageMax", 0.0f);
}

void CombatManager::LoadRecord(const std::string& recordName)
{
    // The key names of the two defense formulas differ in spelling; records use them as they are.
    static constexpr struct {
        const char* key;
        Formula formula;
    } kFormulaKeys[] = {
        {"physicalDamageEquation", Formula_PhysicalDamage},
        {"pierceDamageEquation", Formula_PierceDamage},
        {"elementalDamageEquation", Formula_ElementalDamage},
        {"elementalDurationDamageEquation", Formula_ElementalDurationDamage},
        {"physicalDamageDefenseEquationDGP", Formula_PhysicalDefenseDamageGreater},
        {"physcialDamageDefenseEquationDLEP", Formula_PhysicalDefenseDamageLessOrEqual},
        {"offensiveAbilityEquation", Formula_OffensiveAbility},
        {"defensiveAbilityEquation", Formula_DefensiveAbility},
        {"probabilityToHitEquation", Formula_ProbabilityToHit},
        {"meleeBlockEquation", Formula_MeleeBlock},
        {"projectileBlockEquation", Formula_ProjectileBlock},
        {"shieldDamageReductionEquationDGB", Formula_ShieldReductionDamageGreater},
        {"shieldDamageReductionEquationDLEB", Formula_ShieldReductionDamageLessOrEqual},
        {"normalPTHEquation", Formula_NormalProbabilityToHit},
    };

    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(recordName);
    const LoadTable& table = objects.GetLoadTable(recordName);

    // A negative weight would wrap to billions and swallow every other region; the total stays
    // within what a roll can reach.
    regionTable.clear();
    regionTable.reserve(std::size(kRegionKeys));
    uint64_t total = 0;
    for (const RegionKey& entry : kRegionKeys) {
        const uint32_t chance = static_cast<uint32_t>(Max(table.GetInt(entry.key, 0), 0));
        total += chance;
        regionTable.push_back({entry.region, chance});
    }
    regionTotal = static_cast<uint32_t>(
        Min<uint64_t>(total, static_cast<uint64_t>(std::numeric_limits<int32_t>::max())));

    for (const auto& entry : kFormulaKeys) {
        formulas[entry.formula] = LoadDesignerEquation(table, entry.key, this, kFormulaLoadFailure);
    }

    static constexpr const char* kBandKeys[kNumDamageBands][2] = {
        {"pthThreshold1", "pthDamageModifier1"}, {"pthThreshold2", "pthDamageModifier2"},
        {"pthThreshold3", "pthDamageModifier3"}, {"pthThreshold4", "pthDamageModifier4"},
        {"pthThreshold5", "pthDamageModifier5"}, {"pthThreshold6", "pthDamageModifier6"},
    };
    for (size_t band = 0; band < kNumDamageBands; ++band) {
        damageBands[band].threshold = table.GetFloat(kBandKeys[band][0], 0.0f);
        damageBands[band].damageModifier = table.GetFloat(kBandKeys[band][1], 0.0f);
    }
}

bool CombatManager::GetDesignerVariable(const char* name, float& value)
{
    // A refused name leaves the value alone.
    const uint32_t slot = ResolveDesignerSlot(name);
    if (slot == NoSlot)
        return false;
    value = ReadDesignerSlot(slot);
    return true;
}

uint32_t CombatManager::ResolveDesignerSlot(const char* name) const
{
    struct Named {
        const char* name;
        uint32_t slot;
    };
    static constexpr Named kNames[] = {
        {"physicalDamageDV", Input_PhysicalDamage},
        {"pierceDamageDV", Input_PierceDamage},
        {"elementalDamageDV", Input_ElementalDamage},
        {"sumProtectionDV", Input_SumProtection},
        {"sumAbsorptionDV", Input_SumAbsorption},
        {"bonusDV", Input_Bonus},
        {"offensiveAbilityDV", Input_OffensiveAbility},
        {"offensiveAbilityModifierDV", Input_OffensiveAbilityModifier},
        {"defensiveAbilityDV", Input_DefensiveAbility},
        {"defensiveAbilityModifierDV", Input_DefensiveAbilityModifier},
        {"probabilityToHitDV", Input_ProbabilityToHit},
        {"blockChanceDV", Input_BlockChance},
        {"blockChanceModifierDV", Input_BlockChanceModifier},
        {"shieldDefenseDV", Input_ShieldDefense},
        {"shieldAbsorptionDV", Input_ShieldAbsorption},
        {"damageDV", Input_Damage},
        {"characterLevelDV", Slot_CharacterLevel},
        {"strengthDV", Slot_Strength},
        {"dexterityDV", Slot_Dexterity},
        {"intelligenceDV", Slot_Intelligence},
    };
    // Compiled formulas ask by slot, so the names are compared only when a formula is built
    // or a caller asks by name.
    if (name != nullptr) {
        for (const Named& entry : kNames) {
            if (std::strcmp(name, entry.name) == 0)
                return entry.slot;
        }
    }
    return NoSlot;
}

float CombatManager::ReadDesignerSlot(uint32_t slot)
{
    // A manager without a character reads the character's numbers as 0.
    switch (slot) {
    case Slot_CharacterLevel:
        return parent != nullptr ? static_cast<float>(parent->GetCharLevel()) : 0.0f;
    case Slot_Strength:
        return ParentAttribute(CharAttribute_Strength);
    case Slot_Dexterity:
        return ParentAttribute(CharAttribute_Dexterity);
    case Slot_Intelligence:
        return ParentAttribute(CharAttribute_Intelligence);
    default:
        return inputs[slot];
    }
}

// The formula inputs live here; the character's numbers are read from whichever character is
// the parent at the time, so a new parent needs no formula built again.
const float* CombatManager::DesignerSlotAddress(uint32_t slot) const
{
    return slot < Input_Count ? &inputs[slot] : nullptr;
}

void CombatManager::SetAttacker(uint32_t id)
{
    attackerId = id;
    durationDamage.SetAttacker(id);
}

void CombatManager::Update(int32_t milliseconds, CharacterBio& /*bio*/)
{
    // Saturating, so a long session cannot wrap the countdown back into combat.
    remainingCombatTime = TimeLeft(remainingCombatTime, milliseconds);
    if (remainingCombatTime < 1)
        combatState = CombatManager_State_Idle;
    if (shieldRecoveryTimeLeft > 0)
        shieldRecoveryTimeLeft = TimeLeft(shieldRecoveryTimeLeft, milliseconds);
    durationDamage.Update(milliseconds);
}

void CombatManager::ImDying()
{
    durationDamage.DelayedClearHack();
    combatState = CombatManager_State_Idle;
    remainingCombatTime = 0;
}

void CombatManager::AddCombatFilter(CombatFilter* filter)
{
    if (std::find(filters.begin(), filters.end(), filter) == filters.end())
        filters.push_back(filter);
}

void CombatManager::RemoveCombatFilter(CombatFilter* filter)
{
    std::erase(filters, filter);
}

void CombatManager::GetHandHitDamage(CombatAttributeAccumulator& accumulator) const
{
    const float value = accumulator.GetRandomGen().FGenerate(handHitDamageMin, handHitDamageMax);
    if (value > 0.0f) {
        accumulator.AddDamage(std::make_unique<CombatAttributeDamage_BasePhysical>(
            CombatAttributeType_Physical, value, 0.0f, true));
    }
}

CombatAttributeRegion CombatManager::PickRegion(RandomUniform& generator) const
{
    const int32_t roll = generator.IGenerate(1, static_cast<int32_t>(regionTotal));
    // Wide enough that six full weights cannot wrap.
    int64_t sum = 0;
    for (const RegionChance& entry : regionTable) {
        sum += entry.chance;
        if (sum >= roll)
            return entry.region;
    }
    return CombatAttributeRegion_FullyProtected;
}

float CombatManager::GetRunSpeed(float speed) const
{
    return Slowed(speed, durationDamage.GetFixedDamage(CombatAttributeType_RunSpeed));
}

float CombatManager::GetAttackSpeed(float speed) const
{
    return Slowed(speed, durationDamage.GetFixedDamage(CombatAttributeType_AttackSpeed));
}

float CombatManager::ContributeSpellCastSpeed(float speed) const
{
    return Slowed(speed, durationDamage.GetFixedDamage(CombatAttributeType_SpellCastSpeed));
}

float CombatManager::ContributeOffensiveAbility(float ability) const
{
    return Max(
        0.0f, Slowed(ability, durationDamage.GetFixedDamage(CombatAttributeType_OffensiveAbility)));
}

float CombatManager::ContributeDefensiveAbility(float ability) const
{
    return Max(
        0.0f, Slowed(ability, durationDamage.GetFixedDamage(CombatAttributeType_DefensiveAbility)));
}

float CombatManager::ContributeOffensiveReduction() const
{
    return durationDamage.GetFixedDamage(CombatAttributeType_OffensiveReduction);
}

float CombatManager::ContributeDefensiveReduction() const
{
    return durationDamage.GetFixedDamage(CombatAttributeType_DefensiveReduction);
}

float CombatManager::ContributeFumbleDamage() const
{
    return durationDamage.GetFixedDamage(CombatAttributeType_Fumble);
}

float CombatManager::ContributeProjectileFumbleDamage() const
{
    return durationDamage.GetFixedDamage(CombatAttributeType_ProjectileFumble);
}

float CombatManager::ContributeTotalDamageReductionPercent() const
{
    return durationDamage.GetFixedDamage(CombatAttributeType_TotalDamageReductionPercent);
}

float CombatManager::ContributeTotalDamageReductionAbsolute() const
{
    return durationDamage.GetFixedDamage(CombatAttributeType_TotalDamageReductionAbsolute);
}

float CombatManager::ContributeTotalResistanceReductionPercent() const
{
    return durationDamage.GetFixedDamage(CombatAttributeType_TotalResistanceReductionPercent);
}

float CombatManager::ContributeTotalResistanceReductionAbsolute() const
{
    return durationDamage.GetFixedDamage(CombatAttributeType_TotalResistanceReductionAbsolute);
}

void CombatManager::ForceSpeedUpdate()
{
    if (parent)
        parent->ForceSpeedUpdate();
}

bool CombatManager::IsPoisoned() const
{
    return durationDamage.IsPoisoned();
}

void CombatManager::GiveBonus(const Bonus& bonus, uint32_t characterId)
{
    if (Character* character = ObjectManager::Instance().GetObject<Character>(characterId))
        character->TakeBonus(bonus, false, PlayStatsLife_Unknown);
}

uint32_t CombatManager::GetRightHandWeapon() const
{
    return equipment.GetRightHandWeapon();
}

uint32_t CombatManager::GetLeftHandWeapon() const
{
    return equipment.GetLeftHandWeapon();
}

void CombatManager::GetHandHitDamage(float& minimum, float& maximum) const
{
    minimum = handHitDamageMin;
    maximum = handHitDamageMax;
}

float CombatManager::GetRegionChance(CombatAttributeRegion region) const
{
    for (const RegionChance& entry : regionTable) {
        if (entry.region == region)
            return static_cast<float>(entry.chance);
    }
    return 0.0f;
}

float CombatManager::Evaluate(Formula formula, float fallback) const
{
    return formulas[formula] ? (*formulas[formula])() : fallback;
}

float CombatManager::DesignerCalculatePhysicalDamage(float damage)
{
    inputs[Input_PhysicalDamage] = damage;
    return Evaluate(Formula_PhysicalDamage, damage);
}

float CombatManager::DesignerCalculatePierceDamage(float damage)
{
    inputs[Input_PierceDamage] = damage;
    return Evaluate(Formula_PierceDamage, damage);
}

float CombatManager::DesignerCalculateElementalDamage(float damage)
{
    inputs[Input_ElementalDamage] = damage;
    return Evaluate(Formula_ElementalDamage, damage);
}

// The duration formula reads the same variable as the instant one.
float CombatManager::DesignerCalculateElementalDurationDamage(float damage)
{
    inputs[Input_ElementalDamage] = damage;
    return Evaluate(Formula_ElementalDurationDamage, damage);
}

float CombatManager::DesignerCalculatePhysicalDamageDefense(float damage, float protection,
                                                            float absorbed, float bonus)
{
    if (protection <= 0.0f)
        return damage;
    const float absorption = absorbed / protection;
    inputs[Input_PhysicalDamage] = damage;
    inputs[Input_SumProtection] = protection * bonus + protection;
    inputs[Input_SumAbsorption] = absorption * bonus + absorption;
    gEngine->LogCategory(gLogCombat, 0, "    protection = %f\n", protection);
    gEngine->LogCategory(gLogCombat, 0, "    protectionAbsorption = %f\n", absorbed);
    gEngine->LogCategory(gLogCombat, 0, "    absorption = %f\n", absorption);
    gEngine->LogCategory(gLogCombat, 0, "    bonus = %f\n", bonus);
    gEngine->LogCategory(gLogCombat, 0, "    modified protection = %f\n",
                         inputs[Input_SumProtection]);
    gEngine->LogCategory(gLogCombat, 0, "    modified absorption = %f\n",
                         inputs[Input_SumAbsorption]);
    const Formula formula = damage > inputs[Input_SumProtection]
                                ? Formula_PhysicalDefenseDamageGreater
                                : Formula_PhysicalDefenseDamageLessOrEqual;
    return Max(Evaluate(formula, damage), 0.0f);
}

float CombatManager::DesignerCalculateShieldBlockDamageReduction(float damage, float shieldDefense,
                                                                 float shieldAbsorption)
{
    inputs[Input_Damage] = damage;
    inputs[Input_ShieldDefense] = shieldDefense;
    inputs[Input_ShieldAbsorption] = shieldAbsorption;
    const bool exceeds = damage > shieldDefense;
    const Formula formula =
        exceeds ? Formula_ShieldReductionDamageGreater : Formula_ShieldReductionDamageLessOrEqual;
    if (!formulas[formula])
        return damage;
    gEngine->LogCategory(gLogCombat, 0,
                         exceeds ? "    Shield Block Reduction (Damage > Block)\n"
                                 : "    Shield Block Reduction (Damage <= Block)\n");
    const float result = Max(Evaluate(formula, damage), 0.0f);
    gEngine->LogCategory(gLogCombat, 0, "           Damage (%f) Result (%f)\n", damage, result);
    return result;
}

float CombatManager::DesignerCalculateOffensiveAbility(float bonus)
{
    inputs[Input_Bonus] = bonus;
    inputs[Input_OffensiveAbility] = ParentAttribute(CharAttribute_OffensiveAbility);
    inputs[Input_OffensiveAbilityModifier] =
        ParentAttribute(CharAttribute_OffensiveAbilityModifier);
    return ContributeOffensiveAbility(Evaluate(Formula_OffensiveAbility, 0.0f));
}

float CombatManager::DesignerCalculateDefensiveAbility(float bonus)
{
    inputs[Input_Bonus] = bonus;
    inputs[Input_DefensiveAbility] = ParentAttribute(CharAttribute_DefensiveAbility);
    inputs[Input_DefensiveAbilityModifier] =
        ParentAttribute(CharAttribute_DefensiveAbilityModifier);
    return ContributeDefensiveAbility(Evaluate(Formula_DefensiveAbility, 0.0f));
}

float CombatManager::DesignerCalculateProbabilityToHit(float offensiveAbility,
                                                       float defensiveAbility)
{
    inputs[Input_OffensiveAbility] = offensiveAbility;
    inputs[Input_DefensiveAbility] = defensiveAbility;
    const float probabilityToHit = Evaluate(Formula_ProbabilityToHit, 0.0f);
    gEngine->LogCategory(gLogCombat, 0, "    PTH Offensive Ability %f\n", offensiveAbility);
    gEngine->LogCategory(gLogCombat, 0, "    PTH Defensive Ability %f\n", defensiveAbility);
    gEngine->LogCategory(gLogCombat, 0, "    PTH %f\n", probabilityToHit);
    return probabilityToHit;
}

bool CombatManager::DesignerCalculateMeleeBlockChance(float blockChance, float blockModifier,
                                                      float probabilityToHit,
                                                      RandomUniform& generator)
{
    return CalculateBlock(Formula_MeleeBlock, "Melee", blockChance, blockModifier, probabilityToHit,
                          generator);
}

bool CombatManager::DesignerCalculateProjectileBlockChance(float blockChance, float blockModifier,
                                                           float probabilityToHit,
                                                           RandomUniform& generator)
{
    return CalculateBlock(Formula_ProjectileBlock, "Projectile", blockChance, blockModifier,
                          probabilityToHit, generator);
}

bool CombatManager::CalculateBlock(Formula formula, const char* kind, float blockChance,
                                   float blockModifier, float probabilityToHit,
                                   RandomUniform& generator)
{
    inputs[Input_ProbabilityToHit] = probabilityToHit;
    inputs[Input_BlockChance] = blockChance;
    inputs[Input_BlockChanceModifier] = blockModifier;
    const float chance = Evaluate(formula, 0.0f);
    const float roll = generator.FGenerate(1.0f, 100.0f);
    return LogBlock(kind, blockChance, blockModifier, probabilityToHit, chance, roll);
}

float CombatManager::CalculateDamageModifier(float probabilityToHit, float roll)
{
    gEngine->LogCategory(gLogCombat, 0, "    PTH %f, Rand Seed %f\n", probabilityToHit, roll);
    // Peers must agree on the miss, so both products are rounded to single precision.
    if (probabilityToHit < lowChanceToHitThreshold) {
        const float r = static_cast<float>(roll * 99.0);
        gEngine->LogCategory(gLogCombat, 0, "    PTH Random Number %f\n", r);
        if (r > probabilityToHit) {
            gEngine->LogCategory(gLogCombat, 0, "    PTH Missed Hit\n");
            return 0.0f;
        }
    }
    if (probabilityToHit > damageBands[0].threshold) {
        const float v = probabilityToHit * roll;
        gEngine->LogCategory(gLogCombat, 0, "    PTH Random Number %f\n", v);
        gEngine->LogCategory(gLogCombat, 0, "    PTH Uber Hit\n");
        // Highest band first, whatever order the record put the thresholds in.
        float modifier = damageBands[0].damageModifier;
        for (size_t band = kNumDamageBands - 1; band > 0; --band) {
            if (v > damageBands[band].threshold) {
                modifier = damageBands[band].damageModifier;
                break;
            }
        }
        gEngine->LogCategory(gLogCombat, 0, "    PTH Modifier value %f\n", modifier);
        return modifier;
    }
    inputs[Input_ProbabilityToHit] = probabilityToHit;
    const float modifier = Evaluate(Formula_NormalProbabilityToHit, 0.75f);
    gEngine->LogCategory(gLogCombat, 0, "    PTH Modifier Equation result %f\n", modifier);
    return modifier;
}

float CombatManager::ParentAttribute(CharAttributeType type) const
{
    return parent != nullptr ? parent->GetTotalCharAttribute(type) : 0.0f;
}

} // namespace GAME
