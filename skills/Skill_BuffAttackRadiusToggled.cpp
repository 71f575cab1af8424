#include "skills/Skill_BuffAttackRadiusToggled.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillContribution.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillSelfBuffShield.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

namespace {
// Style 0: a direct attack that always lands.
constexpr auto kDirectStyle = static_cast<ParametersCombatStyle>(0);
} // namespace

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
    // One generator per result, seeded once, so every machine rolls the same numbers.
    RandomUniform random;
    random.Seed(seed);
    ObjectManager& objects = ObjectManager::Instance();
    for (const uint32_t id : targets) {
        Character* target = objects.GetObject<Character>(id);
        if (target == nullptr)
            continue;
        ParametersCombat parameters(random);
        CollectCombatParameters(owner, target, kDirectStyle, false, 0, parameters, 0.0f);
        InitRagDollData(parameters.ragDoll, origin, target->GetCoords());
        CreateTargetFx(target->GetCoords());
        target->TakeAttack(parameters);
    }
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

void Skill_BuffAttackRadiusToggled::CollectPassiveCharAttributes(
    CharAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Char(*this, acc, true);
}

void Skill_BuffAttackRadiusToggled::CollectPassiveSkillAttributes(
    SkillAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::SkillAttributes(*this, acc);
}

void Skill_BuffAttackRadiusToggled::CollectPassiveRetaliationAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Retaliation(*this, acc);
}

void Skill_BuffAttackRadiusToggled::CollectPassiveDefenseAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Defense(*this, acc);
}

void Skill_BuffAttackRadiusToggled::CollectPassiveRacialBonusDefense(
    const std::vector<std::string>& races, RacialBonus_Defense& defense) const
{
    if (GetActiveState().active)
        SkillContribution::RacialDefense(*this, races, defense);
}

} // namespace GAME
