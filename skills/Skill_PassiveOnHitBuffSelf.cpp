#include "skills/Skill_PassiveOnHitBuffSelf.h"

#include "characters/Character.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "game/GameEngine.h"
#include "skills/SkillProfile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_PassiveOnHitBuffSelf, Skill);

void Skill_PassiveOnHitBuffSelf::OnHitActivation(Character& /*owner*/,
                                                 const ParametersCombat& /*parameters*/)
{
    if (!IsControllingSkill() || !IsSkillEnabled() || GetCurrentLevel() == 0 ||
        remainingActiveTime >= 1)
        return;
    const float chance = GetSkillProfile().GetActivationChance(GetCurrentLevel());
    const int draw = GameEngine::Get().GetRandomGen().IGenerate(0, 100);
    if (static_cast<float>(draw) > chance)
        return;
    SendActiveState(true);
    totalActiveTime = SkillSelfBuffShield::GetActiveTime(*this);
    remainingActiveTime = totalActiveTime;
}

void Skill_PassiveOnHitBuffSelf::Update(Character& owner, int32_t elapsedMs)
{
    Skill::Update(owner, elapsedMs);
    if (!IsControllingSkill() || remainingActiveTime <= 0)
        return;
    remainingActiveTime = SaturateToInt(static_cast<double>(remainingActiveTime) - elapsedMs);
    if (remainingActiveTime < 1)
        SendActiveState(false);
}

void Skill_PassiveOnHitBuffSelf::StopSkill(Character& /*owner*/)
{
    if (!IsControllingSkill() || remainingActiveTime <= 0)
        return;
    remainingActiveTime = 0;
    SendActiveState(false);
}

void Skill_PassiveOnHitBuffSelf::ReceiveActiveUpdate(Character* owner,
                                                     const SkillActiveState& state, bool force)
{
    Skill::ReceiveActiveUpdate(owner, state, force);
    if (owner != nullptr)
        ApplySwitch(*owner, state.active, force);
}

bool Skill_PassiveOnHitBuffSelf::IsTrackable(uint32_t /*level*/) const
{
    return remainingActiveTime > 0;
}

bool Skill_PassiveOnHitBuffSelf::TrackableTimed(uint32_t /*level*/) const
{
    return remainingActiveTime > 0;
}

int32_t Skill_PassiveOnHitBuffSelf::TrackableRemainingTime(uint32_t /*level*/) const
{
    return remainingActiveTime > 0 ? remainingActiveTime : 1;
}

int32_t Skill_PassiveOnHitBuffSelf::TrackableTotalTime(uint32_t /*level*/) const
{
    return remainingActiveTime > 0 ? totalActiveTime : 1;
}

} // namespace GAME
