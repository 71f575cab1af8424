#include "items/HotSlotOption.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "core/GameTextLine.h"
#include "engine/IOStream.h"
#include "engine/LocalizationManager.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "skills/SkillProfile.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>

namespace GAME {

namespace {

Skill* FindPlayerSkill(Player* player, uint32_t skillId)
{
    return player != nullptr ? player->GetSkillManager().GetSkill(skillId) : nullptr;
}

const SkillProfile* FindProfile(const Skill* skill)
{
    if (skill == nullptr || gGameEngine == nullptr)
        return nullptr;
    return gGameEngine->GetSkillResource(skill->GetResourceName());
}

struct DefaultPotionData {
    char up[HotSlotOptionPotion::kDefaultDataLength];
    char down[HotSlotOptionPotion::kDefaultDataLength];
    wchar_t displayName[HotSlotOptionPotion::kDefaultDataLength];
};

DefaultPotionData gDefaultPotionData[2] = {};

// Only the two known kinds have a row; anything else has no look at all.
DefaultPotionData* PotionData(int32_t kind)
{
    if (kind != HotSlotOptionPotion::Potion_Health && kind != HotSlotOptionPotion::Potion_Mana)
        return nullptr;
    return &gDefaultPotionData[kind];
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

void HotSlotOptionSkill::Activate(bool& targetingNeeded, bool& activated)
{
    targetingNeeded = false;
    activated = false;
    const Skill* skill = FindPlayerSkill(player, skillId);
    if (skill == nullptr)
        return;
    if (skill->GetSkillType() != Skill::SkillType_UseAtOnce) {
        targetingNeeded = true;
        return;
    }
    if (ControllerPlayer* controller = player->GetControllerPlayer()) {
        uint32_t target = player->GetObjectId();
        activated = controller->SendSkillAction(*player, true, false, skillId,
                                                player->GetCoords().GetPosition(), target);
    }
}

float HotSlotOptionSkill::GetCooldownCompletion() const
{
    const Skill* skill = FindPlayerSkill(player, skillId);
    return skill != nullptr ? skill->GetCooldownCompletion() : 0.0f;
}

int32_t HotSlotOptionSkill::GetStatus() const
{
    const Skill* skill = FindPlayerSkill(player, skillId);
    if (skill == nullptr)
        return Status_NotUsable;
    switch (skill->GetReason()) {
    case 0:
        return Status_Ready;
    case 1:
        return Status_CoolingDown;
    case 2:
        return Status_SkillReason2;
    case 4:
        return Status_SkillReason4;
    default:
        return Status_NotUsable;
    }
}

std::string HotSlotOptionSkill::GetBitmapNameUp() const
{
    const SkillProfile* profile = FindProfile(FindPlayerSkill(player, skillId));
    return profile != nullptr ? profile->GetUpBitmapName() : std::string();
}

std::string HotSlotOptionSkill::GetBitmapNameDown() const
{
    const SkillProfile* profile = FindProfile(FindPlayerSkill(player, skillId));
    return profile != nullptr ? profile->GetDownBitmapName() : std::string();
}

void HotSlotOptionSkill::GetRolloverText(std::vector<GameTextLine>& lines) const
{
    GameEngine::GenerateUISkillInfo(FindPlayerSkill(player, skillId), lines);
}

std::wstring HotSlotOptionSkill::GetDisplayName() const
{
    const Skill* skill = FindPlayerSkill(player, skillId);
    if (skill == nullptr)
        return {};
    return LocalizationManager::Instance().Format(skill->GetDisplayNameTag());
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
        // Written again, the slot would name nothing: the reader is told what it lost.
        if (skillId == 0 && !skillName.empty() && !stream->HasFailed())
            stream->PassOver(skillName);
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

PlayerInventoryCtrl* HotSlotOptionPotion::GetInventoryCtrl() const
{
    ControllerPlayer* controller = player != nullptr ? player->GetControllerPlayer() : nullptr;
    return controller != nullptr ? &controller->GetInventoryCtrl() : nullptr;
}

void HotSlotOptionPotion::Activate(bool& targetingNeeded, bool& activated)
{
    targetingNeeded = false;
    activated = false;
    PlayerInventoryCtrl* bag = GetInventoryCtrl();
    if (bag != nullptr && player->IsAlive())
        activated = bag->UsePotionOfType(kind, 0.8f, 1.2f);
}

// Without a player controller a potion counts as cooled down.
float HotSlotOptionPotion::GetCooldownCompletion() const
{
    const PlayerInventoryCtrl* bag = GetInventoryCtrl();
    if (bag == nullptr || kind == Potion_None)
        return 1.0f;
    const int32_t total = bag->GetTotalCooldown(kind);
    if (total == 0)
        return 0.0f;
    return 1.0f - static_cast<float>(bag->GetCurrentCooldown(kind)) / static_cast<float>(total);
}

int32_t HotSlotOptionPotion::GetStatus() const
{
    const PlayerInventoryCtrl* bag = GetInventoryCtrl();
    if (bag == nullptr)
        return Status_NotUsable;
    if (bag->GetTotalPotions(kind) == 0)
        return Status_NoPotions;
    return GetCooldownCompletion() <= 0.0f ? Status_Ready : Status_CoolingDown;
}

int32_t HotSlotOptionPotion::GetNumberAvailable() const
{
    const PlayerInventoryCtrl* bag = GetInventoryCtrl();
    if (bag == nullptr || kind == Potion_None)
        return 0;
    return static_cast<int32_t>(std::min<uint32_t>(bag->GetTotalPotions(kind), 0x7FFFFFFF));
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

void HotSlotOptionPotion::SetDefaultPotionData(int32_t kind, const char* up, const char* down,
                                               const wchar_t* displayName)
{
    DefaultPotionData* row = PotionData(kind);
    if (row == nullptr)
        return;
    const size_t last = kDefaultDataLength - 1;
    std::strncpy(row->up, up != nullptr ? up : "", last);
    row->up[last] = '\0';
    std::strncpy(row->down, down != nullptr ? down : "", last);
    row->down[last] = '\0';
    std::wcsncpy(row->displayName, displayName != nullptr ? displayName : L"", last);
    row->displayName[last] = L'\0';
}

std::string HotSlotOptionPotion::GetBitmapNameUp() const
{
    const DefaultPotionData* row = PotionData(kind);
    return row != nullptr ? row->up : std::string();
}

std::string HotSlotOptionPotion::GetBitmapNameDown() const
{
    const DefaultPotionData* row = PotionData(kind);
    return row != nullptr ? row->down : std::string();
}

std::wstring HotSlotOptionPotion::GetDisplayName() const
{
    const DefaultPotionData* row = PotionData(kind);
    if (row == nullptr || player == nullptr || player->GetControllerPlayer() == nullptr)
        return {};
    return row->displayName;
}

void HotSlotOptionPotion::GetRolloverText(std::vector<GameTextLine>& lines) const
{
    lines.emplace_back(GameTextClass::ItemNamePotion, GetDisplayName(), false);
}

std::unique_ptr<HotSlotOption> HotSlotOptionPotion::DeepCopy() const
{
    return std::make_unique<HotSlotOptionPotion>(*this);
}

} // namespace GAME
