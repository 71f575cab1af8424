#include "skills/SkillActivatedBuffSelf.h"

#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "core/PlayStatsDamageType.h"
#include "core/Saturate.h"
#include "skills/SkillContribution.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"

namespace GAME {

namespace {
// The play statistics' kind for what a buff costs its own caster.
constexpr int32_t kActiveCostStatsKind = 6;
} // namespace

SkillActivatedBuffSelf::SkillActivatedBuffSelf()
{
    SetTargetType(SkillTargetType_Self);
    // A self buff needs no target search and is used at once from a hot slot.
    SetSkillType(SkillType_UseAtOnce);
}

SkillActivatedBuffSelf::~SkillActivatedBuffSelf() = default;

bool SkillActivatedBuffSelf::GetValidTarget(const Character& owner, uint32_t& target,
                                            const WorldVec3& /*point*/, bool /*aroundSelf*/,
                                            float /*radius*/)
{
    target = owner.GetObjectId();
    return true;
}

void SkillActivatedBuffSelf::DispellSelfBuff(Character& owner)
{
    if (!GetSkillProfile().GetNotDispelSetting())
        StopSkill(owner);
}

bool SkillActivatedBuffSelf::StartAction(Character& owner, uint32_t /*targetId*/,
                                         const WorldVec3& /*point*/, uint32_t /*seed*/)
{
    return StartCastAnimation(owner, AnimationSet_BuffSelf);
}

void SkillActivatedBuffSelf::SwipeAction(Character& owner, const Name& /*callback*/,
                                         uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    PlaySwipeSound(owner.GetCoords().GetPosition());
}

void SkillActivatedBuffSelf::HitAction(Character& owner, const Name& callback, uint32_t targetId,
                                       const WorldVec3& point)
{
    ActivateNow(owner, callback, targetId, point);
}

void SkillActivatedBuffSelf::ApplyCost(bool atStart)
{
    if (atStart) {
        SubtractManaCost();
        if (!cooldownAtEnd)
            StartCooldown();
    } else if (cooldownAtEnd) {
        StartCooldown();
    }
}

void SkillActivatedBuffSelf::ApplyActiveCosts(Character& owner, int32_t ms)
{
    SkillManagerBase* manager = GetManager();
    if (manager == nullptr)
        return;
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    const float seconds = static_cast<float>(ms) * 0.001f;
    if (data.GetActiveLifeCost() != 0.0f) {
        const float cost = seconds * data.GetActiveLifeCost();
        const float life = owner.GetCurrentLife();
        if (cost < life && life > 1.0f)
            manager->SubtractLife(cost, PlayStatsDamageType{kActiveCostStatsKind, 0});
    }
    if (data.GetActiveManaCost() != 0.0f) {
        manager->SubtractMana(seconds * data.GetActiveManaCost());
        // Spent mana drains over the character's next updates: this frame's cost counts now.
        if (manager->GetCurrentMana() <= 0.0f ||
            owner.GetCharacterBio().GetManaAfterDrain() <= 0.0f)
            StopSkill(owner);
    }
}

void SkillActivatedBuffSelf::SwitchByUse(bool& on)
{
    if (!IsControllingSkill())
        return;
    on = !on;
    if (on)
        NotifyUIOnActivate();
    else
        NotifyUIOnDeactivate();
    SendActiveState(on);
    SetIgnoreMana(on);
}

void SkillActivatedBuffSelf::SwitchOffWhenRunOut(bool& on, int32_t& remainingMs, int32_t elapsedMs)
{
    if (!IsControllingSkill() || !on)
        return;
    remainingMs = SaturateToInt(static_cast<double>(remainingMs) - elapsedMs);
    if (remainingMs < 1) {
        on = false;
        SendActiveState(false);
    }
}

void SkillActivatedBuffSelf::CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const
{
    if (InForce())
        SkillContribution::Char(*this, acc, true);
}

void SkillActivatedBuffSelf::CollectPassiveSkillAttributes(SkillAttributeAccumulator& acc) const
{
    if (InForce())
        SkillContribution::SkillAttributes(*this, acc);
}

void SkillActivatedBuffSelf::CollectPassiveOffensiveDamageAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (InForce() && !KeepsOffenseForOwnStrikes())
        SkillContribution::OffensiveDamage(*this, acc);
}

void SkillActivatedBuffSelf::CollectPassiveOffensiveModifierAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (InForce() && !KeepsOffenseForOwnStrikes())
        SkillContribution::OffensiveModifier(*this, acc);
}

void SkillActivatedBuffSelf::CollectPassiveRetaliationAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (InForce())
        SkillContribution::Retaliation(*this, acc);
}

void SkillActivatedBuffSelf::CollectPassiveDefenseAttributes(CombatAttributeAccumulator& acc) const
{
    if (InForce())
        SkillContribution::Defense(*this, acc);
}

void SkillActivatedBuffSelf::CollectPassiveRacialBonusDamage(const std::vector<std::string>& races,
                                                             RacialBonus_Damage& damage) const
{
    if (InForce() && !KeepsOffenseForOwnStrikes())
        SkillContribution::RacialDamage(*this, races, damage);
}

void SkillActivatedBuffSelf::CollectPassiveRacialBonusDefense(const std::vector<std::string>& races,
                                                              RacialBonus_Defense& defense) const
{
    if (InForce())
        SkillContribution::RacialDefense(*this, races, defense);
}

} // namespace GAME
