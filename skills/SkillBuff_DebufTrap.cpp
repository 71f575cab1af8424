#include "skills/SkillBuff_DebufTrap.h"

#include "characters/Character.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeType.h"
#include "combat/DurationDamageManager.h"
#include "core/Saturate.h"
#include "game/GameEngine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillBuff_DebufTrap, SkillBuff_Debuf);

SkillBuff_DebufTrap::SkillBuff_DebufTrap()
{
    SetDisplayName("^bSkill DeBuff Trap");
}

SkillBuff_DebufTrap::~SkillBuff_DebufTrap() = default;

void SkillBuff_DebufTrap::Install(Character* owner)
{
    SkillBuff_Debuf::Install(owner);
    if (owner == nullptr)
        return;
    // Only the controlling machine times the end: it alone sends the removal.
    if (IsControllingSkill()) {
        CombatAttributeAccumulator acc;
        acc.SetSeed(static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()));
        owner->GetAllDefenseAttributes(acc);
        acc.ProcessDefense(*owner, 0.0f, 0.0f, 0.0f, 0.0f);
        const float resistance = GetResistance(acc);
        if (resistance > 0.0f) {
            const double time = GetTimeToLiveRemaining();
            SetRemainingTimeToLive(SaturateToInt(time - time * resistance * 0.01));
        }
    }
    owner->PlayStunSound();
}

void SkillBuff_DebufTrap::Update(Character& owner, int32_t elapsedMs)
{
    SkillBuff_Debuf::Update(owner, elapsedMs);
    trapCountdown = AddSaturating(trapCountdown, -elapsedMs);
    if (trapCountdown < 1) {
        trapCountdown = interval;
        ApplyBuffDamage(owner);
    }
}

void SkillBuff_DebufTrap::ApplyBuffDamage(Character& owner)
{
    ApplyFixedDamage(owner, CombatAttributeType_Trap);
}

float SkillBuff_DebufTrap::GetResistance(CombatAttributeAccumulator& acc)
{
    return acc.GetTotalDefenseType(CombatAttributeType_Trap);
}

void SkillBuff_DebufTrap::ApplyFixedDamage(Character& owner, CombatAttributeType type) const
{
    DurationDamageManager& durations = owner.GetDurationDamageMgr();
    durations.AddFixedDamage(type, 1.0f, strength);
    durations.EndAttack();
}

} // namespace GAME
