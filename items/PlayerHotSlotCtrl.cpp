#include "items/PlayerHotSlotCtrl.h"

#include "characters/Player.h"
#include "engine/IOStream.h"
#include "game/GameEngine.h"
#include "items/HotSlotOption.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"

namespace GAME {

namespace {

constexpr uint32_t kPrimarySlot = 10;
constexpr uint32_t kAlternatePrimarySlot = 11;
constexpr uint32_t kSecondarySlot = 12;
constexpr uint32_t kHealthPotionSlot = 8;
constexpr uint32_t kManaPotionSlot = 9;
constexpr uint32_t kBarDefaultEmpty = 8;

bool SameOption(const HotSlotOption* left, const HotSlotOption* right)
{
    return left != nullptr && right != nullptr && left->GetType() == right->GetType() &&
           *left == *right;
}

} // namespace

PlayerHotSlotCtrl::PlayerHotSlotCtrl() = default;

PlayerHotSlotCtrl::~PlayerHotSlotCtrl()
{
    for (uint32_t i = 0; i < kNumSlots; ++i)
        ClearSlot(i);
}

void PlayerHotSlotCtrl::ClearSlot(uint32_t index)
{
    HotSlotOption* option = slots[index];
    slots[index] = nullptr;
    if (option == nullptr)
        return;
    for (const HotSlotOption* other : slots) {
        if (other == option)
            return;
    }
    delete option;
}

void PlayerHotSlotCtrl::SetHotSlot(uint32_t index, const HotSlotOption* option)
{
    activeOption = nullptr;
    targetingNeeded = false;
    if (index >= kNumSlots)
        return;
    if (option == nullptr) {
        ClearSlot(index);
        return;
    }
    // The option may be the very object this slot holds (dropped back onto its own slot):
    // copy it before the slot lets it go.
    const uint32_t type = option->GetType();
    std::unique_ptr<HotSlotOption> copy;
    if (type == HotSlotOption::SLOT_TYPE_SKILL || type == HotSlotOption::SLOT_TYPE_POTION)
        copy = option->DeepCopy();
    ClearSlot(index);
    if (copy == nullptr)
        return;
    for (HotSlotOption* existing : slots) {
        if (SameOption(existing, copy.get())) {
            slots[index] = existing;
            return;
        }
    }
    slots[index] = copy.release();
}

HotSlotOption* PlayerHotSlotCtrl::GetHotSlotOption(uint32_t index) const
{
    if (player == nullptr || index >= kNumSlots)
        return nullptr;
    return slots[index];
}

int32_t PlayerHotSlotCtrl::GetSlotStatus(uint32_t index) const
{
    const HotSlotOption* option = index < kNumSlots ? slots[index] : nullptr;
    return option != nullptr ? option->GetStatus() : HotSlotOption::Status_NotUsable;
}

void PlayerHotSlotCtrl::ActivateHotSlot(uint32_t index)
{
    if (player == nullptr || index >= kNumSlots)
        return;
    activeOption = slots[index];
    if (activeOption == nullptr)
        return;
    bool activated = false;
    activeOption->Activate(targetingNeeded, activated);
    if (activated)
        activeTimer = activeHoldTime;
}

void PlayerHotSlotCtrl::ActivatePrimarySlot()
{
    activeOption = GetPrimarySlot();
    if (activeOption == nullptr)
        return;
    bool activated = false;
    activeOption->Activate(targetingNeeded, activated);
    activeTimer = activated ? activeHoldTime : 0;
}

void PlayerHotSlotCtrl::ActivateSecondarySlot()
{
    activeOption = GetSecondarySlot();
    if (activeOption == nullptr)
        return;
    bool activated = false;
    activeOption->Activate(targetingNeeded, activated);
    // A potion is drunk at once; nothing waits on it.
    if (activeOption->GetType() == HotSlotOption::SLOT_TYPE_POTION)
        activeOption = nullptr;
    else if (activated)
        activeTimer = activeHoldTime;
}

HotSlotOption* PlayerHotSlotCtrl::GetActiveSlotOption(bool primary)
{
    targetingNeeded = false;
    if (activeOption != nullptr) {
        HotSlotOption* option = activeOption;
        activeOption = nullptr;
        return option;
    }
    return primary ? GetPrimarySlot() : GetSecondarySlot();
}

bool PlayerHotSlotCtrl::DeactivateActiveSlot()
{
    const bool wasActive = activeOption != nullptr;
    activeOption = nullptr;
    targetingNeeded = false;
    return wasActive;
}

bool PlayerHotSlotCtrl::IsOptionActiveIn(const HotSlotOption* option) const
{
    return SameOption(activeOption, option);
}

bool PlayerHotSlotCtrl::IsHotSlotActive(uint32_t index) const
{
    return index < kNumSlots && IsOptionActiveIn(slots[index]);
}

bool PlayerHotSlotCtrl::IsPrimarySlotActive() const
{
    return IsOptionActiveIn(GetPrimarySlot());
}

bool PlayerHotSlotCtrl::IsSecondarySlotActive() const
{
    return IsOptionActiveIn(GetSecondarySlot());
}

uint32_t PlayerHotSlotCtrl::PrimaryIndex() const
{
    const bool alternate = player != nullptr && player->GetAlternateConfig();
    return alternate ? kAlternatePrimarySlot : kPrimarySlot;
}

void PlayerHotSlotCtrl::SetPrimarySlot(const HotSlotOption* option)
{
    SetHotSlot(PrimaryIndex(), option);
}

HotSlotOption* PlayerHotSlotCtrl::GetPrimarySlot() const
{
    return slots[PrimaryIndex()];
}

void PlayerHotSlotCtrl::SetSecondarySlot(const HotSlotOption* option)
{
    SetHotSlot(PrimaryIndex() - kPrimarySlot + kSecondarySlot, option);
}

HotSlotOption* PlayerHotSlotCtrl::GetSecondarySlot() const
{
    return slots[PrimaryIndex() - kPrimarySlot + kSecondarySlot];
}

int32_t PlayerHotSlotCtrl::GetPrimaryStatus() const
{
    const HotSlotOption* option = GetPrimarySlot();
    return option != nullptr ? option->GetStatus() : HotSlotOption::Status_NotUsable;
}

int32_t PlayerHotSlotCtrl::GetSecondaryStatus() const
{
    const HotSlotOption* option = GetSecondarySlot();
    return option != nullptr ? option->GetStatus() : HotSlotOption::Status_NotUsable;
}

void PlayerHotSlotCtrl::SetDefaultSkillSlot(uint32_t index)
{
    if (slots[index] != nullptr || player == nullptr)
        return;
    HotSlotOptionSkill option(player->GetSkillManager().GetDefaultSkillId());
    option.SetPlayer(player);
    SetHotSlot(index, &option);
}

void PlayerHotSlotCtrl::Update(int32_t elapsedMs)
{
    if (activeTimer > 0) {
        activeTimer -= elapsedMs;
        if (activeTimer < 1) {
            activeTimer = 0;
            activeOption = nullptr;
        }
    }
    validateTimer -= elapsedMs;
    if (validateTimer >= 1)
        return;
    validateTimer = validateInterval;
    for (uint32_t i = 0; i < kNumSlots; ++i) {
        if (slots[i] != nullptr && !slots[i]->Validate())
            SetHotSlot(i, nullptr);
    }
    SetDefaultSkillSlot(kPrimarySlot);
    SetDefaultSkillSlot(kAlternatePrimarySlot);
}

void PlayerHotSlotCtrl::SetToDefaults()
{
    SetDefaultSkillSlot(kPrimarySlot);
    SetDefaultSkillSlot(kAlternatePrimarySlot);
    const int32_t kinds[] = {HotSlotOptionPotion::Potion_Health, HotSlotOptionPotion::Potion_Mana};
    const uint32_t potionSlots[] = {kHealthPotionSlot, kManaPotionSlot};
    for (size_t i = 0; i < 2; ++i) {
        if (slots[potionSlots[i]] != nullptr)
            continue;
        HotSlotOptionPotion option(kinds[i]);
        option.SetPlayer(player);
        SetHotSlot(potionSlots[i], &option);
    }
    for (uint32_t index :
         {kPrimarySlot, kAlternatePrimarySlot, kHealthPotionSlot, kManaPotionSlot}) {
        if (slots[index] != nullptr)
            slots[index]->SetPlayer(player);
    }
}

bool PlayerHotSlotCtrl::IsInDefaultState() const
{
    if (gGameEngine == nullptr || gGameEngine->GetMainPlayer() == nullptr)
        return true;
    for (uint32_t i = 0; i < kBarDefaultEmpty; ++i) {
        if (slots[i] != nullptr)
            return false;
    }
    const uint32_t defaultSkill =
        player != nullptr ? player->GetSkillManager().GetDefaultSkillId() : 0;
    for (uint32_t index : {kPrimarySlot, kAlternatePrimarySlot}) {
        if (slots[index] == nullptr || slots[index]->GetSkillId() != defaultSkill)
            return false;
    }
    return slots[kHealthPotionSlot] != nullptr;
}

void PlayerHotSlotCtrl::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    const size_t before = stream->GetPassedOver().size();
    stream->BeginBlock();
    for (uint32_t i = 0; i < kNumSlots && !stream->HasFailed(); ++i) {
        if (!stream->IsReading()) {
            if (slots[i] != nullptr) {
                slots[i]->StreamProperties(stream);
            } else {
                int32_t none = -1;
                stream->StreamInt("storedType", none);
            }
            continue;
        }
        SetHotSlot(i, nullptr);
        int32_t type = -1;
        stream->StreamInt("storedType", type);
        std::unique_ptr<HotSlotOption> option;
        if (type == static_cast<int32_t>(HotSlotOption::SLOT_TYPE_SKILL))
            option = std::make_unique<HotSlotOptionSkill>(0);
        else if (type == static_cast<int32_t>(HotSlotOption::SLOT_TYPE_POTION))
            option = std::make_unique<HotSlotOptionPotion>(HotSlotOptionPotion::Potion_None);
        if (option == nullptr)
            continue;
        option->SetPlayer(player);
        option->StreamProperties(stream);
        // A slot read from a broken stream stays empty rather than half filled.
        if (!stream->HasFailed())
            slots[i] = option.release();
    }
    stream->EndBlock();
    if (!stream->IsReading())
        return;
    passedOverSkills.assign(stream->GetPassedOver().begin() + std::ptrdiff_t(before),
                            stream->GetPassedOver().end());
    CollectUnusableSkills();
}

void PlayerHotSlotCtrl::CollectUnusableSkills()
{
    unusableSkills.clear();
    if (player == nullptr)
        return;
    for (const HotSlotOption* option : slots) {
        if (option == nullptr || option->Validate())
            continue;
        if (const Skill* skill = player->GetSkillManager().GetSkill(option->GetSkillId()))
            unusableSkills.push_back(skill->GetObjectName());
    }
}

} // namespace GAME
