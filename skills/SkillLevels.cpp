#include "skills/Skill.h"

#include "skills/SkillManagerBase.h"

#include <algorithm>

namespace GAME {

uint32_t Skill::GetCurrentLevel() const
{
    if (skillState.skillLevel == 0)
        return 0;
    // Widened: a replicated level near the top plus augments must not wrap to a small level.
    const uint64_t level = static_cast<uint64_t>(skillState.skillLevel) + augmentedLevel;
    return static_cast<uint32_t>(std::min<uint64_t>(level, GetUltimateLevel()));
}

void Skill::SetSkillLevel(uint32_t level)
{
    skillState.skillLevel = level;
    if (skillManager != nullptr) {
        if (level >= 1 && !tempSkill)
            skillManager->AddToActiveList(this);
        if (skillManager->IsMonsterSkill())
            skillState.enabled = true;
    }
    PreLoadResources();
}

void Skill::IncrementSkillLevel(uint32_t amount)
{
    AddSkillLevel(static_cast<int32_t>(std::min<uint32_t>(amount, INT32_MAX)));
}

void Skill::AddSkillLevel(int32_t amount)
{
    const int64_t raised = static_cast<int64_t>(skillState.skillLevel) + amount;
    const auto level =
        static_cast<uint32_t>(std::clamp<int64_t>(raised, 0, static_cast<int64_t>(GetMaxLevel())));
    if (level == skillState.skillLevel)
        return;
    SetSkillLevel(level);
    SendStateUpdate();
}

void Skill::SubtractSkillLevel(int32_t amount)
{
    const int64_t lowered = static_cast<int64_t>(skillState.skillLevel) - amount;
    const auto level = static_cast<uint32_t>(std::clamp<int64_t>(lowered, 0, UINT32_MAX));
    if (level == skillState.skillLevel)
        return;
    SetSkillLevel(level);
    SendStateUpdate();
}

bool Skill::DecrementSkillLevel()
{
    if (skillState.skillLevel < 1)
        return false;
    SubtractSkillLevel(1);
    if (skillState.skillLevel == 0 && skillManager != nullptr)
        skillManager->RemoveFromActiveList(this);
    return true;
}

void Skill::IncrementAugmentedSkillLevel(uint32_t amount)
{
    augmentedLevel = static_cast<uint32_t>(
        std::min<uint64_t>(static_cast<uint64_t>(augmentedLevel) + amount, UINT32_MAX));
}

void Skill::DecrementAugmentedSkillLevel(uint32_t amount)
{
    augmentedLevel = amount < augmentedLevel ? augmentedLevel - amount : 0;
}

void Skill::Update(Character&, int32_t elapsedMs)
{
    if (cooldownRemaining > 0) {
        const int64_t left = static_cast<int64_t>(cooldownRemaining) - elapsedMs;
        cooldownRemaining = static_cast<int32_t>(std::max<int64_t>(left, INT32_MIN));
    }
    // Only the machine that controls the owner decides; the others hear it.
    if (!IsControllingSkill())
        return;
    const bool usable = SetAvailability(ignoreMana, false);
    if (usable != skillState.enabled) {
        skillState.enabled = usable;
        SendStateUpdate();
    }
}

bool Skill::SetAvailability(bool ignoreManaCost, bool ignoreCooldown)
{
    notEnoughMana = skillManager != nullptr && skillManager->GetCurrentMana() < GetManaCost();
    coolingDown = cooldownRemaining > 0;
    weaponNotQualifying = !QualifyingWeapon();
    handStateNotQualifying = !QualifyingHandState();

    if (!ignoreManaCost && notEnoughMana)
        reason = UseQuery_NotEnoughMana;
    else if (!ignoreCooldown && coolingDown)
        reason = UseQuery_CoolingDown;
    else if (weaponNotQualifying || handStateNotQualifying)
        reason = UseQuery_WeaponNotQualifying;
    else if (GetCurrentLevel() == 0)
        reason = UseQuery_LevelZero;
    else
        reason = UseQuery_Usable;
    return reason == UseQuery_Usable;
}

bool Skill::UseDefaultWhenUnavailable() const
{
    if (weaponNotQualifying || handStateNotQualifying)
        return true;
    return (notEnoughMana && useDefaultWhenOutOfMana) || (coolingDown && useDefaultWhenCoolingDown);
}

void Skill::ReceiveStateUpdate(const SkillState& state, bool force)
{
    const uint32_t oldLevel = skillState.skillLevel;
    if (!IsControllingSkill() || force) {
        skillState.skillLevel = state.skillLevel;
        skillState.enabled = state.enabled;
        if (skillManager != nullptr) {
            if (skillState.skillLevel < 1 || tempSkill)
                skillManager->RemoveFromActiveList(this);
            else
                skillManager->AddToActiveList(this);
        }
    }
    if (skillState.skillLevel != oldLevel)
        PreLoadResources();
}

} // namespace GAME
