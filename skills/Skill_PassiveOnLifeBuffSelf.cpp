#include "skills/Skill_PassiveOnLifeBuffSelf.h"

#include "characters/CharAttributeType.h"
#include "characters/Character.h"
#include "core/Saturate.h"
#include "skills/SkillContribution.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_PassiveOnLifeBuffSelf, Skill);

Skill_PassiveOnLifeBuffSelf::Skill_PassiveOnLifeBuffSelf()
{
    SetPrimary(false);
    SetSecondary(false);
    SetRepeatable(false);
}

Skill_PassiveOnLifeBuffSelf::~Skill_PassiveOnLifeBuffSelf()
{
    shield.Release(*this);
}

void Skill_PassiveOnLifeBuffSelf::UnInstall(Character* owner)
{
    Skill::UnInstall(owner);
    shield.Release(*this);
}

void Skill_PassiveOnLifeBuffSelf::Update(Character& owner, int32_t elapsedMs)
{
    Skill::Update(owner, elapsedMs);
    if (!IsControllingSkill())
        return;
    const float monitor = GetSkillProfile().GetLifeMonitorPercent(GetCurrentLevel());
    const float maxLife = owner.GetTotalCharAttribute(CharAttribute_Life);
    // Without a maximum the share means nothing: a dead or unset owner neither triggers nor
    // counts as restored.
    const bool known = maxLife > 0.0f;
    const float lifePercent = known ? owner.GetCurrentLife() / maxLife * 100.0f : 0.0f;
    if (!triggered) {
        if (known && lifePercent <= monitor && IsSkillEnabled()) {
            triggered = true;
            lifeRestored = false;
            SkillSelfBuffShield::SendActive(*this, true);
            totalActiveTime = SkillSelfBuffShield::GetActiveTime(*this);
            remainingActiveTime = totalActiveTime;
        }
        return;
    }
    if (known && lifePercent > monitor)
        lifeRestored = true;
    if (!lifeRestored)
        return;
    remainingActiveTime = SaturateToInt(static_cast<double>(remainingActiveTime) - elapsedMs);
    if (remainingActiveTime < 1) {
        triggered = false;
        SkillSelfBuffShield::SendActive(*this, false);
    }
}

void Skill_PassiveOnLifeBuffSelf::StopSkill(Character& /*owner*/)
{
    if (!IsControllingSkill() || !triggered)
        return;
    triggered = false;
    lifeRestored = false;
    remainingActiveTime = 0;
    SkillSelfBuffShield::SendActive(*this, false);
}

void Skill_PassiveOnLifeBuffSelf::ReceiveActiveUpdate(Character* owner,
                                                      const SkillActiveState& state, bool force)
{
    Skill::ReceiveActiveUpdate(owner, state, force);
    if (owner == nullptr)
        return;
    if (!force) {
        if (state.active) {
            CreateTargetFx(owner->GetCoords());
            shield.SwitchOn(*this, *owner, *this);
        } else {
            StartCooldown();
            shield.SwitchOff(*owner, *this);
        }
        PlayActivatedSounds(owner->GetCoords().GetPosition(), state.active);
    }
    ApplyActivatedVisualEffects(*owner, state.active);
    if (GetManager() != nullptr)
        GetManager()->SetSpeedUpdateNeeded();
}

bool Skill_PassiveOnLifeBuffSelf::IsTrackable(uint32_t /*level*/) const
{
    return triggered;
}

bool Skill_PassiveOnLifeBuffSelf::TrackableTimed(uint32_t /*level*/) const
{
    return true;
}

int32_t Skill_PassiveOnLifeBuffSelf::TrackableRemainingTime(uint32_t /*level*/) const
{
    return lifeRestored ? remainingActiveTime : 1;
}

int32_t Skill_PassiveOnLifeBuffSelf::TrackableTotalTime(uint32_t /*level*/) const
{
    return lifeRestored ? totalActiveTime : 1;
}

float Skill_PassiveOnLifeBuffSelf::ModifyDamage(float damage, CombatAttributeType type)
{
    return shield.Filter(*this, damage, type);
}

bool Skill_PassiveOnLifeBuffSelf::ProvidesInvulnerability(
    const std::vector<std::string>& /*races*/) const
{
    return false;
}

void Skill_PassiveOnLifeBuffSelf::CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Char(*this, acc, false);
}

void Skill_PassiveOnLifeBuffSelf::CollectPassiveSkillAttributes(
    SkillAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::SkillAttributes(*this, acc);
}

void Skill_PassiveOnLifeBuffSelf::CollectPassiveOffensiveDamageAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::OffensiveDamage(*this, acc);
}

void Skill_PassiveOnLifeBuffSelf::CollectPassiveOffensiveModifierAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::OffensiveModifier(*this, acc);
}

void Skill_PassiveOnLifeBuffSelf::CollectPassiveRetaliationAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Retaliation(*this, acc);
}

void Skill_PassiveOnLifeBuffSelf::CollectPassiveDefenseAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (GetActiveState().active)
        SkillContribution::Defense(*this, acc);
}

void Skill_PassiveOnLifeBuffSelf::CollectPassiveRacialBonusDamage(
    const std::vector<std::string>& races, RacialBonus_Damage& damage) const
{
    if (GetActiveState().active)
        SkillContribution::RacialDamage(*this, races, damage);
}

void Skill_PassiveOnLifeBuffSelf::CollectPassiveRacialBonusDefense(
    const std::vector<std::string>& races, RacialBonus_Defense& defense) const
{
    if (GetActiveState().active)
        SkillContribution::RacialDefense(*this, races, defense);
}

} // namespace GAME
