#include "skills/SkillBuff.h"

#include "characters/Character.h"
#include "core/GameLog.h"
#include "engine/Engine.h"
#include "engine/WorldCoords.h"
#include "skills/SkillContribution.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillBuff, Skill);

SkillBuff::SkillBuff()
{
    SetPrimary(false);
    SetSecondary(false);
    SetIgnoreMana(true);
}

SkillBuff::~SkillBuff() = default;

uint32_t SkillBuff::GetCurrentLevel() const
{
    return static_cast<uint32_t>(std::max(GetSkillActiveState().subLevel, 0));
}

void SkillBuff::SetTimeToLive(int32_t ms)
{
    timeToLiveRemaining = ms;
    timeToLiveTotal = ms;
}

void SkillBuff::Install(Character* owner)
{
    if (owner == nullptr)
        return;
    owner->AddCombatFilter(this);
    // Fractions and negative record values add no levels.
    const float enhancement = GetSkillProfile().GetSkillEnhancement(GetCurrentLevel());
    skillEnhancement = enhancement >= 1.0f && enhancement < 4294967296.0f
                           ? static_cast<uint32_t>(enhancement)
                           : (enhancement >= 4294967296.0f ? UINT32_MAX : 0u);
    if (skillEnhancement != 0)
        owner->SetAllSkillLevelAugment(skillEnhancement, GetObjectName());
    ApplyBuffOtherEffects(*owner, true);
}

void SkillBuff::UnInstall(Character* owner)
{
    if (owner == nullptr)
        return;
    owner->RemoveCombatFilter(this);
    if (skillEnhancement != 0)
        owner->RemoveAllSkillLevelAugment(skillEnhancement, GetObjectName());
    // What was added comes off once, even if the buff is taken down twice.
    skillEnhancement = 0;
    ApplyBuffOtherEffects(*owner, false);
}

void SkillBuff::ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                                    bool fromReplica)
{
    Skill::ReceiveActiveUpdate(owner, state, fromReplica);
    if (owner != nullptr) {
        if (!fromReplica)
            PlayCastSounds(owner->GetCoords().GetPosition(), state.active);
        ApplyCastVisualEffects(*owner, state.active);
    }
    if (SkillManagerBase* manager = GetManager())
        manager->SetSpeedUpdateNeeded();
    InitializeBuff();
}

void SkillBuff::InitializeBuff()
{
    if (IsSkillEnabled()) {
        const uint32_t level = GetCurrentLevel();
        damageAbsorption = GetSkillProfile().GetDamageAbsorption(level);
        damageAbsorptionPercent = GetSkillProfile().GetDamageAbsorptionPercent(level);
    } else {
        damageAbsorption = 0.0f;
        damageAbsorptionPercent = 0.0f;
    }
}

void SkillBuff::Update(Character& owner, int32_t elapsedMs)
{
    Skill::Update(owner, elapsedMs);
    if (timeToLiveTotal == 0)
        return;
    // Saturating: a long frame must not wrap a nearly spent buff back to a long life.
    const int64_t remaining = static_cast<int64_t>(timeToLiveRemaining) - elapsedMs;
    timeToLiveRemaining =
        static_cast<int32_t>(std::clamp<int64_t>(remaining, INT32_MIN, INT32_MAX));
    if (timeToLiveRemaining < 0)
        SendRemoval();
}

void SkillBuff::SendRemoval()
{
    SkillManagerBase* manager = GetManager();
    if (manager == nullptr)
        return;
    if (SkillServicesBase* services = manager->GetSkillServices())
        services->RemoveSkillBuff(GetObjectName());
}

void SkillBuff::RequestDispel()
{
    if (!GetSkillProfile().GetNotDispelSetting())
        SendRemoval();
}

float SkillBuff::ModifyDamage(float damage, CombatAttributeType type)
{
    if (!GetSkillProfile().IsQualifyingDamage(type))
        return damage;
    if (damageAbsorptionPercent > 0.0f) {
        const float incoming = damage;
        damage = damage - damageAbsorptionPercent * 0.01f * damage;
        // The combat trace: formatted only when asked for, as every hit passes here.
        gEngine->LogCategory(
            gLogCombat, 0, "^bShield: Reduced (%f) Damage by (%f%%) percent, remaining damage (%f)",
            incoming, damageAbsorptionPercent, damage);
    }
    if (damageAbsorption > 0.0f) {
        const float absorbed = std::min(damage, damageAbsorption);
        gEngine->LogCategory(gLogCombat, 0,
                             "^bShield: Absorbed (%f) of (%f) damage, max absorption (%f)",
                             absorbed, damage, damageAbsorption);
        damage -= absorbed;
    }
    return damage;
}

void SkillBuff::CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const
{
    if (GetSkillActiveState().active)
        SkillContribution::Char(*this, acc, false);
}

void SkillBuff::CollectPassiveSkillAttributes(SkillAttributeAccumulator& acc) const
{
    if (GetSkillActiveState().active)
        SkillContribution::SkillAttributes(*this, acc);
}

void SkillBuff::CollectPassiveOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const
{
    if (GetSkillActiveState().active)
        SkillContribution::OffensiveDamage(*this, acc);
}

void SkillBuff::CollectPassiveOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const
{
    if (GetSkillActiveState().active)
        SkillContribution::OffensiveModifier(*this, acc);
}

void SkillBuff::CollectPassiveRetaliationAttributes(CombatAttributeAccumulator& acc) const
{
    if (GetSkillActiveState().active)
        SkillContribution::Retaliation(*this, acc);
}

void SkillBuff::CollectPassiveDefenseAttributes(CombatAttributeAccumulator& acc) const
{
    if (GetSkillActiveState().active)
        SkillContribution::Defense(*this, acc);
}

void SkillBuff::CollectPassiveRacialBonusDamage(const std::vector<std::string>& races,
                                                RacialBonus_Damage& damage) const
{
    if (GetSkillActiveState().active)
        SkillContribution::RacialDamage(*this, races, damage);
}

void SkillBuff::CollectPassiveRacialBonusDefense(const std::vector<std::string>& races,
                                                 RacialBonus_Defense& defense) const
{
    if (GetSkillActiveState().active)
        SkillContribution::RacialDefense(*this, races, defense);
}

} // namespace GAME
