#include "skills/Skill_BuffAttackRadiusToggled.h"

#include "characters/Character.h"
#include "core/Saturate.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillSelfBuffShield.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffAttackRadiusToggled, SkillActivated);

Skill_BuffAttackRadiusToggled::Skill_BuffAttackRadiusToggled()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
    SetCooldownAtEnd(true);
}

Skill_BuffAttackRadiusToggled::~Skill_BuffAttackRadiusToggled() = default;

void Skill_BuffAttackRadiusToggled::ActivateNow(Character& /*owner*/, const Name& /*callback*/,
                                                uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    SwitchByUse(toggledOn);
}

void Skill_BuffAttackRadiusToggled::ReceiveActiveUpdate(Character* owner,
                                                        const SkillActiveState& state,
                                                        bool fromSave)
{
    SkillActivatedBuffSelf::ReceiveActiveUpdate(owner, state, fromSave);
    if (owner == nullptr)
        return;
    if (!fromSave) {
        ApplyCost(state.active);
        PlayActivatedSounds(owner->GetCoords().GetPosition(), state.active);
    }
    ApplyActivatedVisualEffects(*owner, state.active);
    if (HasManager())
        GetManager()->SetSpeedUpdateNeeded();
}

void Skill_BuffAttackRadiusToggled::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedBuffSelf::Update(owner, elapsedMs);
    if (GetActiveState().active)
        ApplyActiveCosts(owner, elapsedMs);
    SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services == nullptr || !toggledOn)
        return;
    pulseCountdown = SaturateToInt(static_cast<double>(pulseCountdown) - elapsedMs);
    if (pulseCountdown >= 1)
        return;
    pulseCountdown = pulseInterval;
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    GameEngine& engine = GameEngine::Get();
    std::vector<uint32_t> targets;
    engine.GetTargetsInRadius(owner.GetTeam(), owner.GetCoords().GetPosition(),
                              data.GetTargetRadius(), targets, 0, false);
    if (targets.empty())
        return;
    services->ClearHitIteration();
    services->SendTargetResult(GetObjectId(), targets, owner.GetCoords(),
                               static_cast<uint32_t>(engine.GetRandomSeed()), 0, false);
}

void Skill_BuffAttackRadiusToggled::TargetResult(Character& owner,
                                                 const std::vector<uint32_t>& targets,
                                                 const WorldCoords& origin, uint32_t seed,
                                                 uint32_t /*weaponId*/, bool /*initial*/)
{
    ApplyDirectDamage(owner, targets, origin, seed);
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

void Skill_BuffAttackRadiusToggled::StopSkill(Character& /*owner*/)
{
    if (!IsControllingSkill() || !toggledOn)
        return;
    toggledOn = false;
    SendActiveState(false);
}

bool Skill_BuffAttackRadiusToggled::IsTrackable(uint32_t /*level*/) const
{
    return toggledOn;
}

} // namespace GAME
