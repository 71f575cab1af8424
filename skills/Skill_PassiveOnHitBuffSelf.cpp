#include "skills/Skill_PassiveOnHitBuffSelf.h"

#include "characters/Character.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "game/GameEngine.h"
#include "skills/SkillContribution.h"
#include "skills/SkillProfile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_PassiveOnHitBuffSelf, Skill);

Skill_PassiveOnHitBuffSelf::Skill_PassiveOnHitBuffSelf()
{
    SetPrimary(false);
    SetSecondary(false);
    SetRepeatable(false);
}

Skill_PassiveOnHitBuffSelf::~Skill_PassiveOnHitBuffSelf()
{
    shield.Release(*this);
}

void Skill_PassiveOnHitBuffSelf::UnInstall(Character* owner)
{
    Skill::UnInstall(owner);
    shield.Release(*this);
}

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
    SkillSelfBuffShield::SendActive(*this, true);
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
        SkillSelfBuffShield::SendActive(*this, false);
}

void Skill_PassiveOnHitBuffSelf::StopSkill(Character& /*owner*/)
{
    if (!IsControllingSkill() || remainingActiveTime <= 0)
        return;
    remainingActiveTime = 0;
    SkillSelfBuffShield::SendActive(*this, false);
}

void Skill_PassiveOnHitBuffSelf::ReceiveActiveUpdate(Character* owner,
                                                     const SkillActiveState& state, bool force)
{
    Skill::ReceiveActiveUpdate(owner, state, force);
    if (owner == nullptr)
        return;
    if (!force) {
        if (state.active) {
            shield.SwitchOn(*this, *owner, *this);
        } else {
            StartCooldown();
            shield.SwitchOff(*owner, *this);
        }
        PlayActivatedSounds(owner->GetCoords().GetPosition(), state.active);
    }
    ApplyActivatedVisualEffects(*owner, state.active);
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

float Skill_PassiveOnHitBuffSelf::ModifyDamage(float damage, CombatAttributeType type)
{
    return shield.Filter(*this, damage, type);
}

bool Skill_PassiveOnHitBuffSelf::ProvidesInvulnerability(
    const std::vector<std::string>& /*races*/) const
{
    return false;
}

void Skill_PassiveOnHitBuffSelf::CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Char(*this, acc, false);
}

void Skill_PassiveOnHitBuffSelf::CollectPassiveSkillAttributes(SkillAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::SkillAttributes(*this, acc);
}

void Skill_PassiveOnHitBuffSelf::CollectPassiveOffensiveDamageAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::OffensiveDamage(*this, acc);
}

void Skill_PassiveOnHitBuffSelf::CollectPassiveOffensiveModifierAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::OffensiveModifier(*this, acc);
}

void Skill_PassiveOnHitBuffSelf::CollectPassiveRetaliationAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Retaliation(*this, acc);
}

void Skill_PassiveOnHitBuffSelf::CollectPassiveDefenseAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Defense(*this, acc);
}

void Skill_PassiveOnHitBuffSelf::CollectPassiveRacialBonusDamage(
    const std::vector<std::string>& races, RacialBonus_Damage& damage) const
{
    if (GetActiveState().active)
        SkillContribution::RacialDamage(*this, races, damage);
}

void Skill_PassiveOnHitBuffSelf::CollectPassiveRacialBonusDefense(
    const std::vector<std::string>& races, RacialBonus_Defense& defense) const
{
    if (GetActiveState().active)
        SkillContribution::RacialDefense(*this, races, defense);
}

} // namespace GAME
