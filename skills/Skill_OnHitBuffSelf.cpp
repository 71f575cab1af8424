#include "skills/Skill_OnHitBuffSelf.h"

#include "characters/Character.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "game/GameEngine.h"
#include "skills/SkillContribution.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_OnHitBuffSelf, SkillActivated);

Skill_OnHitBuffSelf::Skill_OnHitBuffSelf()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
    // Paying for a burst must not start the skill cooldown: that time is the internal one.
    SetCooldownAtEnd(true);
}

Skill_OnHitBuffSelf::~Skill_OnHitBuffSelf() = default;

void Skill_OnHitBuffSelf::ActivateNow(Character& /*owner*/, const Name& /*callback*/,
                                      uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    SwitchByUse(armed);
}

void Skill_OnHitBuffSelf::OnHitActivation(Character& /*owner*/,
                                          const ParametersCombat& /*parameters*/)
{
    if (!IsControllingSkill() || !armed || remainingTime > 0)
        return;
    float chance = GetSkillProfile().GetActivationChance(GetCurrentLevel());
    const float roll = GameEngine::Get().GetRandomGen().FGenerate(0.1f, 100.0f);
    if (onHitCooldown > 0)
        chance = 0.0f;
    if (roll > chance)
        return;
    SendActiveState(true, true);
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    burstTime = SaturateToInt(static_cast<double>(data.GetActiveDuration()) * 1000.0);
    remainingTime = burstTime;
}

void Skill_OnHitBuffSelf::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedBuffSelf::Update(owner, elapsedMs);
    if (!IsControllingSkill())
        return;
    if (onHitCooldown > 0)
        onHitCooldown = SaturateToInt(static_cast<double>(onHitCooldown) - elapsedMs);
    if (armed && remainingTime > 0) {
        remainingTime = SaturateToInt(static_cast<double>(remainingTime) - elapsedMs);
        if (remainingTime < 1) {
            onHitCooldown = SaturateToInt(static_cast<double>(GetCooldownTime()));
            SendActiveState(true);
        }
    }
    if (skillActiveState.active)
        ApplyActiveCosts(owner, elapsedMs);
}

bool Skill_OnHitBuffSelf::TrackableTimed(uint32_t /*level*/) const
{
    return remainingTime > 0;
}

int32_t Skill_OnHitBuffSelf::TrackableRemainingTime(uint32_t /*level*/) const
{
    return remainingTime > 0 ? remainingTime : 1;
}

int32_t Skill_OnHitBuffSelf::TrackableTotalTime(uint32_t /*level*/) const
{
    return remainingTime > 0 ? burstTime : 1;
}

void Skill_OnHitBuffSelf::StopSkill(Character& /*owner*/)
{
    if (!IsControllingSkill() || !armed)
        return;
    armed = false;
    SendActiveState(false);
}

void Skill_OnHitBuffSelf::ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                                              bool fromSave)
{
    SkillActivatedBuffSelf::ReceiveActiveUpdate(owner, state, fromSave);
    if (owner == nullptr)
        return;
    const WorldVec3 position = owner->GetCoords().GetPosition();
    if (!fromSave) {
        if (state.transition) {
            ApplyCost(true);
            CreateTargetFx(owner->GetCoords());
            PlayHitSound(position);
        } else {
            PlayActivatedSounds(position, state.active);
        }
    }
    ApplyActivatedVisualEffects(*owner, state.active);
    owner->ForceSpeedUpdate();
}

void Skill_OnHitBuffSelf::CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const
{
    if (!skillActiveState.active)
        return;
    GetSkillProfile().GetCharAttributesPenalty(acc, GetCurrentLevel());
    if (InForce())
        SkillContribution::Char(*this, acc, false);
}

} // namespace GAME
