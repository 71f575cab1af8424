#include "items/HotSlotOption.h"

#include "characters/Player.h"
#include "engine/IOStream.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"

#include <string>

namespace GAME {

namespace {

Skill* FindPlayerSkill(Player* player, uint32_t skillId)
{
    return player != nullptr ? player->GetSkillManager().GetSkill(skillId) : nullptr;
}

} // namespace

bool HotSlotOption::operator==(const HotSlotOption& other) const
{
    return storedType == other.storedType && player == other.player;
}

bool HotSlotOptionSkill::Validate() const
{
    if (skillId == 0)
        return true;
    return player != nullptr && player->GetSkillManager().IsSkillValidForUse(skillId, true);
}

bool HotSlotOptionSkill::operator==(const HotSlotOption& other) const
{
    return HotSlotOption::operator==(other) &&
           static_cast<const HotSlotOptionSkill&>(other).skillId == skillId;
}

// Using a skill goes through the player controller, which does not exist yet.
void HotSlotOptionSkill::Activate(bool& targetingNeeded, bool& activated)
{
    targetingNeeded = false;
    activated = false;
}

// No skill kind reports a reason against its use yet, so a held skill is ready.
int32_t HotSlotOptionSkill::GetStatus() const
{
    return FindPlayerSkill(player, skillId) != nullptr ? Status_Ready : Status_NotUsable;
}

void HotSlotOptionSkill::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    std::string skillName;
    bool isItemSkill = false;
    if (!stream->IsReading()) {
        int32_t type = static_cast<int32_t>(SLOT_TYPE_SKILL);
        stream->StreamInt("storedType", type);
        if (const Skill* skill = FindPlayerSkill(player, skillId)) {
            skillName = skill->GetObjectName();
            isItemSkill = skill->IsItemSkill();
        }
    }
    stream->StreamString("skillName", skillName);
    stream->StreamBool("isItemSkill", isItemSkill);
    if (stream->IsReading() && player != nullptr) {
        SkillManager& skills = player->GetSkillManager();
        skillId = isItemSkill ? skills.FindItemSkillId(skillName) : skills.FindSkillId(skillName);
    }
}

std::unique_ptr<HotSlotOption> HotSlotOptionSkill::DeepCopy() const
{
    return std::make_unique<HotSlotOptionSkill>(*this);
}

bool HotSlotOptionPotion::operator==(const HotSlotOption& other) const
{
    return HotSlotOption::operator==(other) &&
           static_cast<const HotSlotOptionPotion&>(other).kind == kind;
}

// Potions are used through the player controller's inventory, which does not exist yet.
void HotSlotOptionPotion::Activate(bool& targetingNeeded, bool& activated)
{
    targetingNeeded = false;
    activated = false;
}

// Without a player controller a potion counts as cooled down.
float HotSlotOptionPotion::GetCooldownCompletion() const
{
    return 1.0f;
}

void HotSlotOptionPotion::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    if (!stream->IsReading()) {
        int32_t type = static_cast<int32_t>(SLOT_TYPE_POTION);
        stream->StreamInt("storedType", type);
    }
    int32_t stored = kind;
    stream->StreamInt("storedDefaultType", stored);
    // Only the two known kinds; anything else from a file is no potion at all.
    kind = (stored == Potion_Health || stored == Potion_Mana) ? stored : Potion_None;
}

std::unique_ptr<HotSlotOption> HotSlotOptionPotion::DeepCopy() const
{
    return std::make_unique<HotSlotOptionPotion>(*this);
}

} // namespace GAME
