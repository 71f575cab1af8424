#include "items/ItemSkillAugment.h"

#include "characters/Character.h"
#include "core/Saturate.h"
#include "core/StringHelpers.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"
#include "skills/SkillProfile.h"

namespace GAME {

namespace {

// A hostile record must not wrap a level into the billions.
uint32_t ReadLevel(const LoadTable& table, const char* key)
{
    const int32_t value = table.GetInt(key, 0);
    return value > 0 ? static_cast<uint32_t>(value) : 0u;
}

std::wstring SkillDisplayName(const std::string& recordName)
{
    const SkillProfile* profile =
        gGameEngine != nullptr ? gGameEngine->GetSkillResource(Name::Create(recordName)) : nullptr;
    return profile != nullptr ? LocalizationManager::Instance().Format(profile->GetDisplayNameTag())
                              : std::wstring();
}

} // namespace

ItemSkillAugment::~ItemSkillAugment()
{
    DestroySkills();
}

void ItemSkillAugment::Count(uint32_t level)
{
    augmentCost.augmentLevel = SaturateToInt(static_cast<double>(augmentCost.augmentLevel) + level);
    augmentCost.augmentCount = AddSaturating(augmentCost.augmentCount, 1);
}

void ItemSkillAugment::LoadLevels(const LoadTable& table, const AugmentKeys& keys,
                                  std::vector<LevelAugment>& into)
{
    for (int i = 0; i < 2; ++i) {
        const uint32_t level = ReadLevel(table, keys.level[i]);
        if (level == 0)
            continue;
        std::string name = table.GetString(keys.name[i], "");
        if (name.empty())
            continue;
        NormalizeFileNameLower(name);
        into.push_back({name, level});
        Count(level);
    }
}

void ItemSkillAugment::Load(const LoadTable& table)
{
    // Every item loads these: the keys are spelled out rather than built per look-up.
    static constexpr AugmentKeys kSkillKeys = {{"augmentSkillLevel1", "augmentSkillLevel2"},
                                               {"augmentSkillName1", "augmentSkillName2"}};
    static constexpr AugmentKeys kMasteryKeys = {{"augmentMasteryLevel1", "augmentMasteryLevel2"},
                                                 {"augmentMasteryName1", "augmentMasteryName2"}};
    LoadLevels(table, kSkillKeys, skillAugments);
    LoadLevels(table, kMasteryKeys, masteryAugments);
    const uint32_t all = ReadLevel(table, "augmentAllLevel");
    if (all != 0) {
        allSkillLevel = SaturateToUInt(static_cast<double>(allSkillLevel) + all);
        Count(all);
    }
    const std::string skill = table.GetString("itemSkillName", "");
    if (!skill.empty())
        grantedSkills.push_back({skill, ReadLevel(table, "itemSkillLevel"), 0});
}

void ItemSkillAugment::LoadFromFile(const std::string& recordName)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (objects.LoadTableFile(recordName))
        Load(objects.GetLoadTable(recordName));
}

void ItemSkillAugment::CreateItemSkills()
{
    for (GrantedSkill& granted : grantedSkills) {
        if (granted.skillId != 0)
            continue;
        Skill* skill = ObjectManager::Instance().CreateObjectFromFile<Skill>(granted.name);
        if (skill == nullptr)
            continue;
        skill->SetAsItemSkill();
        granted.skillId = skill->GetObjectId();
    }
}

void ItemSkillAugment::InstallOnCharacter(Character& character) const
{
    for (const LevelAugment& augment : skillAugments)
        character.SetSkillLevelAugment(augment.name, augment.level);
    for (const LevelAugment& augment : masteryAugments)
        character.SetMasteryLevelAugment(augment.name, augment.level);
    if (allSkillLevel != 0)
        character.SetAllSkillLevelAugment(allSkillLevel, "");
    for (const GrantedSkill& granted : grantedSkills)
        if (granted.skillId != 0 && granted.level != 0)
            character.GetSkillManager().AddItemSkill(granted.skillId, granted.level);
}

void ItemSkillAugment::RemoveFromCharacter(Character& character) const
{
    for (const LevelAugment& augment : skillAugments)
        character.RemoveSkillLevelAugment(augment.name, augment.level);
    for (const LevelAugment& augment : masteryAugments)
        character.RemoveMasteryLevelAugment(augment.name, augment.level);
    if (allSkillLevel != 0)
        character.RemoveAllSkillLevelAugment(allSkillLevel, "");
    for (const GrantedSkill& granted : grantedSkills)
        if (granted.skillId != 0)
            character.GetSkillManager().RemoveItemSkill(granted.skillId);
}

void ItemSkillAugment::Reset()
{
    DestroySkills();
    skillAugments.clear();
    masteryAugments.clear();
    allSkillLevel = 0;
    grantedSkills.clear();
    augmentCost.Reset();
}

void ItemSkillAugment::DestroySkills()
{
    for (GrantedSkill& granted : grantedSkills) {
        if (granted.skillId == 0)
            continue;
        Object* skill = ObjectManager::Instance().GetObject(granted.skillId);
        if (skill != nullptr)
            ObjectManager::Instance().DestroyObjectEx(skill, "Project\\Game\\ItemSkillAugment", 43);
        granted.skillId = 0;
    }
}

void ItemSkillAugment::GetUIDisplayText(GameTextClass textClass,
                                        std::vector<GameTextLine>& lines) const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    for (const LevelAugment& augment : skillAugments)
        lines.emplace_back(textClass,
                           text.Format("ItemSkillIncrement", static_cast<int32_t>(augment.level),
                                       SkillDisplayName(augment.name)),
                           false);
    for (const LevelAugment& augment : masteryAugments)
        lines.emplace_back(textClass,
                           text.Format("ItemMasteryIncrement", static_cast<int32_t>(augment.level),
                                       SkillDisplayName(augment.name)),
                           false);
    if (allSkillLevel != 0)
        lines.emplace_back(
            textClass, text.Format("ItemAllSkillIncrement", static_cast<int32_t>(allSkillLevel)),
            false);
    if (grantedSkills.empty())
        return;
    lines.emplace_back(GameTextClass::Default, L" ", false);
    lines.emplace_back(GameTextClass::ItemSkillHeading, text.Format("tagItemGrantSkill"), false);
    for (const GrantedSkill& granted : grantedSkills) {
        const Skill* skill = ObjectManager::Instance().GetObject<Skill>(granted.skillId);
        if (skill != nullptr)
            lines.emplace_back(GameTextClass::ItemSkillName,
                               text.Format(skill->GetDisplayNameTag()), false);
    }
}

} // namespace GAME
