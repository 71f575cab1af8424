#include "skills/Skill.h"

#include "characters/Character.h"
#include "core/GameTextLine.h"
#include "core/Saturate.h"
#include "engine/LocalizationManager.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillProfile_ProjectileModifiers.h"

namespace GAME {

namespace {

using Arg = LocalizationManager::Arg;

std::wstring Localized(const std::string& tag)
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    return texts.Format("SimpleStringFormat", texts.Format(tag));
}

void AddLine(std::vector<GameTextLine>& lines, GameTextClass style, const std::string& format,
             std::initializer_list<Arg> args)
{
    lines.emplace_back(style, LocalizationManager::Instance().Format(format, args), false);
}

// A value with its label, as the numbered formats show them.
void AddLabelled(std::vector<GameTextLine>& lines, GameTextClass style, const char* format,
                 const Arg& value, const char* labelTag)
{
    AddLine(lines, style, format, {value, LocalizationManager::Instance().Format(labelTag)});
}

uint32_t NextLevel(uint32_t level)
{
    return level < UINT32_MAX ? level + 1 : level;
}

// The per-level reals shown as they are, each only while above 0.
struct RealRow {
    float (SkillProfile::*value)(uint32_t) const;
    const char* format;
    const char* labelTag; // null: the format is the label
};
constexpr RealRow kRealRows[] = {
    {&SkillProfile::GetLifeMonitorPercent, "LifeMonitorPercent", nullptr},
    {&SkillProfile::GetActivationChance, "SkillPercentFormat", "SkillActivationChance"},
    {&SkillProfile::GetLifeBonus, "SkillLifeBonus", nullptr},
    {&SkillProfile::GetManaBonus, "SkillManaBonus", nullptr},
    {&SkillProfile::GetDamageAbsorption, "SkillDamageAbsorption", nullptr},
    {&SkillProfile::GetDamageAbsorptionPercent, "SkillDamageAbsorptionPercent", nullptr},
};

void AddRealRow(std::vector<GameTextLine>& lines, GameTextClass style, const RealRow& row,
                float value)
{
    if (row.labelTag != nullptr)
        AddLabelled(lines, style, row.format, static_cast<double>(value), row.labelTag);
    else
        AddLine(lines, style, row.format, {static_cast<double>(value)});
}

} // namespace

std::wstring Skill::CreateUISkillName() const
{
    std::wstring name = Localized(GetDisplayNameTag());
    if (itemSkill)
        name += LocalizationManager::Instance().Format("tagItemSkillShort");
    return name;
}

void Skill::CreateUISkillName(GameTextClass style, std::vector<GameTextLine>& lines) const
{
    lines.emplace_back(style, Localized(GetDisplayNameTag()), false);
}

void Skill::CreateUINameText(GameTextClass style, std::vector<GameTextLine>& lines) const
{
    lines.emplace_back(style, Localized(GetDisplayNameTag()), false);
}

void Skill::CreateUISkillHeading(std::vector<GameTextLine>& lines) const
{
    std::wstring name = Localized(GetDisplayNameTag());
    if (itemSkill)
        name += LocalizationManager::Instance().Format("tagItemSkill");
    lines.emplace_back(GameTextClass::SkillName, name, false);
    lines.emplace_back(GameTextClass::SkillDescription, Localized(GetBaseDescriptionTag()), true);
}

void Skill::CreateUIParameterText(std::vector<GameTextLine>& lines) const
{
    const uint32_t level = GetCurrentLevel();
    if (level == 0)
        return;
    AddLine(lines, GameTextClass::SkillLevelTitles, "tagCurrentLevel", {level});
    CreateUISpecializedText(GameTextClass::SkillStatsCurrent, lines);
    CreateUIModifierText(GameTextClass::SkillStatsCurrent, lines);
    AddStoreLines(level, level, true, GameTextClass::SkillStatsCurrent, lines);
}

void Skill::CreateUINextParameterText(std::vector<GameTextLine>& lines) const
{
    const uint32_t level = GetCurrentLevel();
    const uint32_t next = NextLevel(level);
    AddLine(lines, GameTextClass::SkillLevelTitles, "tagNextLevel", {next});
    CreateUINextModifierText(lines);
    CreateUINextSpecializedText(lines);
    AddStoreLines(level, next, true, GameTextClass::SkillStatsNext, lines);
}

void Skill::AddStoreLines(uint32_t level, uint32_t nextLevel, bool withSkillStore,
                          GameTextClass style, std::vector<GameTextLine>& lines) const
{
    // A next level above the current one asks what grows; the same level what there is.
    const bool increase = nextLevel != level;
    const SkillProfile& record = GetSkillProfile();
    std::vector<std::wstring> first, second, third;
    const auto flush = [&] {
        for (std::vector<std::wstring>* list : {&first, &second, &third}) {
            AddTextLines(*list, style, lines);
            list->clear();
        }
    };
    if (increase)
        record.GetDamageAttrStore().CreateNextText(first, second, third, level, nextLevel);
    else
        record.GetDamageAttrStore().CreateText(first, second, third, level);
    flush();
    if (increase)
        record.GetCharAttrStore().CreateNextText(first, second, level, nextLevel);
    else
        record.GetCharAttrStore().CreateText(first, second, level);
    flush();
    if (increase)
        record.GetCharAttrStorePenalty().CreateNextText(first, second, level, nextLevel);
    else
        record.GetCharAttrStorePenalty().CreateText(first, second, level);
    flush();
    if (withSkillStore) {
        if (increase)
            record.GetSkillAttrStore().CreateNextText(first, level, nextLevel);
        else
            record.GetSkillAttrStore().CreateText(first, level);
        flush();
    }
    if (increase)
        record.GetRetaliationAttrStore().CreateNextText(first, second, third, level, nextLevel);
    else
        record.GetRetaliationAttrStore().CreateText(first, second, third, level);
    flush();
    if (increase)
        record.GetDefenseAttrStore().CreateNextText(first, second, level, nextLevel);
    else
        record.GetDefenseAttrStore().CreateText(first, second, level);
    flush();
    if (increase)
        record.GetRacialBonus().GetUIDisplayTextIncrease(level, nextLevel, style, lines);
    else
        record.GetRacialBonus().GetUIDisplayText(level, style, lines);
}

void Skill::CreateUIShortSummaryText(GameTextClass style, std::vector<GameTextLine>& lines) const
{
    const bool next = style == GameTextClass::SkillStatsNext;
    const GameTextClass nameStyle =
        next ? GameTextClass::PetSkillNameNext : GameTextClass::PetSkillNameCurrent;
    const GameTextClass statsStyle =
        next ? GameTextClass::PetSkillStatsNext : GameTextClass::PetSkillStatsCurrent;
    CreateUINameText(nameStyle, lines);
    CreateUISpecializedText(statsStyle, lines);
    CreateUIModifierText(statsStyle, lines);
    const uint32_t level = GetCurrentLevel();
    if (level > 0)
        AddStoreLines(level, level, false, statsStyle, lines);
}

void Skill::CreateUIModifierText(GameTextClass style, std::vector<GameTextLine>& lines) const
{
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    data.CreateText(style, lines);
    GetSkillProfile().GetSkillProjectileModifierData(GetCurrentLevel()).CreateText(style, lines);
}

void Skill::CreateUINextModifierText(std::vector<GameTextLine>& lines) const
{
    const uint32_t level = GetCurrentLevel();
    const uint32_t next = NextLevel(level);
    if (next == level || next > GetUltimateLevel())
        return;
    const SkillProfile& record = GetSkillProfile();
    record.GetSkillModifierData(next).CreateNextText(record.GetSkillModifierData(level), lines);
    record.GetSkillProjectileModifierData(next).CreateNextText(
        record.GetSkillProjectileModifierData(level), lines);
}

void Skill::CreateUISpecializedText(GameTextClass style, std::vector<GameTextLine>& lines) const
{
    const uint32_t level = GetCurrentLevel();
    if (level == 0)
        return;
    const SkillProfile& record = GetSkillProfile();
    if (const uint32_t charge = record.GetMaxChargeLevel(level); charge != 0)
        AddLabelled(lines, style, "SkillIntFormat", charge, "SkillChargeMax");
    if (const uint32_t projectiles = record.GetNumberOfProjectiles(); projectiles > 1)
        AddLine(lines, style, "SkillNumProjectilesFormat", {projectiles});
    if (const uint32_t weight = record.GetChanceWeight(level); weight != 0)
        AddLine(lines, style, "SkillChanceWeight", {weight});
    for (const RealRow& row : kRealRows) {
        const float value = (record.*row.value)(level);
        if (value > 0.0f)
            AddRealRow(lines, style, row, value);
    }
    const std::vector<std::string>& damages = record.GetQualifyingDamageTags();
    if (!damages.empty()) {
        AddLine(lines, style, "tagDamageAbsorptionTitle", {});
        const LocalizationManager& texts = LocalizationManager::Instance();
        for (const std::string& tag : damages)
            AddLine(lines, style, "formatQualifyingDamage", {texts.Format(tag)});
    }
    if (const uint32_t limit = record.GetPetLimit(level); limit > 1)
        AddLine(lines, style, "SkillPetLimit", {limit});
    if (pet != nullptr) {
        AddLine(lines, style, "SkillPetDescriptionHeading", {pet->GetGameDescription(false)});
        CreateUIPetText(pet, level, style, lines);
    }
    if (const int32_t enhancement = SaturateToInt(record.GetSkillEnhancement(level));
        enhancement != 0)
        AddLine(lines, style, "SkillEnhancement", {enhancement});
}

void Skill::CreateUINextSpecializedText(std::vector<GameTextLine>& lines) const
{
    const uint32_t level = GetCurrentLevel();
    const uint32_t next = NextLevel(level);
    if (next == level || next > GetUltimateLevel())
        return;
    const GameTextClass style = GameTextClass::SkillStatsNext;
    const SkillProfile& record = GetSkillProfile();
    if (const uint32_t charge = record.GetMaxChargeLevel(next);
        charge != record.GetMaxChargeLevel(level))
        AddLabelled(lines, style, "SkillIntFormat", charge, "SkillChargeMaxMod");
    if (const uint32_t weight = record.GetChanceWeight(next);
        weight != record.GetChanceWeight(level))
        AddLine(lines, style, "SkillChanceWeight", {weight});
    for (const RealRow& row : kRealRows) {
        const float value = (record.*row.value)(next);
        if (value > (record.*row.value)(level))
            AddRealRow(lines, style, row, value);
    }
    const uint32_t limit = record.GetPetLimit(level);
    const uint32_t nextLimit = record.GetPetLimit(next);
    if (nextLimit != limit && (limit > 1 || nextLimit > 1))
        AddLine(lines, style, "SkillPetLimit", {nextLimit});
    if (nextLevelPet != nullptr) {
        AddLine(lines, style, "SkillPetDescriptionHeading",
                {nextLevelPet->GetGameDescription(false)});
        CreateUIPetText(nextLevelPet, next, style, lines);
    }
    if (const int32_t enhancement = SaturateToInt(record.GetSkillEnhancement(next));
        enhancement != SaturateToInt(record.GetSkillEnhancement(level)))
        AddLine(lines, style, "SkillEnhancement", {enhancement});
}

void Skill::CreateUIPetText(Character* shownPet, uint32_t level, GameTextClass style,
                            std::vector<GameTextLine>& lines) const
{
    if (const int32_t lifetime = GetSkillProfile().GetSpawnObjectTimeToLive(level); lifetime > 0)
        AddLine(lines, style, "tagSkillPetTimeToLive", {static_cast<double>(lifetime) * 0.001});
    if (shownPet != nullptr)
        shownPet->CreateUISummaryText(style, lines);
}

} // namespace GAME
