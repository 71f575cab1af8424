#include "skills/Skill_WeaponPool_ChargedLinear.h"

#include "characters/Character.h"
#include "core/GameTextLine.h"
#include "core/Saturate.h"
#include "engine/LocalizationManager.h"
#include "skills/SkillProfile.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_WeaponPool_ChargedLinear, SkillActivatedWeaponPool);

Skill_WeaponPool_ChargedLinear::Skill_WeaponPool_ChargedLinear()
{
    SetDisplayName("^bCharging Weapon Attack - Linear");
}

Skill_WeaponPool_ChargedLinear::~Skill_WeaponPool_ChargedLinear() = default;

void Skill_WeaponPool_ChargedLinear::IncrementCharge()
{
    if (charge < GetMaxCharge())
        ++charge;
    chargeTimer = ChargeDurationAt(charge);
}

void Skill_WeaponPool_ChargedLinear::DecrementCharge()
{
    if (charge > 0)
        --charge;
    chargeTimer = ChargeDurationAt(charge);
}

void Skill_WeaponPool_ChargedLinear::ResetCharge()
{
    charge = 0;
    chargeTimer = ChargeDurationAt(0);
}

void Skill_WeaponPool_ChargedLinear::WPAttackCallback(Character& /*owner*/,
                                                      const std::vector<uint32_t>& targets)
{
    if (targets.empty())
        return;
    SubtractManaCost();
    StartCooldown();
    if (!IsControllingSkill())
        return;
    IncrementCharge();
    SendCharge();
}

void Skill_WeaponPool_ChargedLinear::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedWeaponPool::Update(owner, elapsedMs);
    if (!IsControllingSkill())
        return;
    chargeTimer = AddSaturating(chargeTimer, elapsedMs == INT32_MIN ? INT32_MAX : -elapsedMs);
    // Each step down restarts the timer at the lower charge's duration.
    while (HoldsCharge() && charge > 0 && chargeTimer < 1) {
        DecrementCharge();
        SendCharge();
    }
    if (!HoldsCharge() && charge > 0) {
        ResetCharge();
        SendCharge();
    }
    if (charge > 0)
        NotifyUIOnActivate();
}

void Skill_WeaponPool_ChargedLinear::StopSkill(Character& /*owner*/)
{
    ResetCharge();
    SendCharge();
}

void Skill_WeaponPool_ChargedLinear::ReceiveActiveUpdate(Character* owner,
                                                         const SkillActiveState& state,
                                                         bool initial)
{
    const SkillActiveState clamped = ClampedState(state);
    const int32_t before = skillActiveState.subLevel;
    SkillActivatedWeaponPool::ReceiveActiveUpdate(owner, clamped, initial);
    AdoptCharge(clamped, initial);
    if (!initial && clamped.subLevel > before)
        SubtractManaCost();
    if (owner != nullptr)
        SetChargeEffect(*owner, static_cast<uint32_t>(clamped.subLevel));
}

void Skill_WeaponPool_ChargedLinear::SetChargeEffect(Character& owner, uint32_t level)
{
    if (runningEffect != 0)
        owner.StopParticleEffect(runningEffect);
    runningEffect = 0;
    level = std::min(level, GetMaxCharge());
    if (level == 0)
        return;
    const SkillProfile& record = GetSkillProfile();
    while (chargeEffects.size() < level) {
        const uint32_t next = static_cast<uint32_t>(chargeEffects.size()) + 1;
        chargeEffects.push_back(owner.AddParticleEffect(record.GetChargeAuraName(next), ""));
    }
    runningEffect = chargeEffects[level - 1];
    if (runningEffect != 0)
        owner.StartParticleEffect(runningEffect);
}

void Skill_WeaponPool_ChargedLinear::CollectPassiveCharAttributes(
    CharAttributeAccumulator& acc) const
{
    if (const uint32_t level = GetReplicatedCharge(); level > 0) {
        GetSkillProfile().GetCharAttributes(acc, level);
        GetSkillProfile().GetCharAttributesPenalty(acc, level);
        AddModifierCharAttributes(acc);
    }
}

void Skill_WeaponPool_ChargedLinear::CollectPassiveSkillAttributes(
    SkillAttributeAccumulator& acc) const
{
    if (const uint32_t level = GetReplicatedCharge(); level > 0) {
        GetSkillProfile().GetSkillAttributes(acc, level);
        AddModifierSkillAttributes(acc);
    }
}

void Skill_WeaponPool_ChargedLinear::CollectPassiveOffensiveDamageAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (const uint32_t level = GetReplicatedCharge(); level > 0) {
        GetSkillProfile().GetOffensiveDamageAttributes(acc, level);
        AddModifierOffensiveDamageAttributes(acc);
    }
}

void Skill_WeaponPool_ChargedLinear::CollectPassiveOffensiveModifierAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (const uint32_t level = GetReplicatedCharge(); level > 0) {
        GetSkillProfile().GetOffensiveModifierAttributes(acc, level);
        AddModifierOffensiveModifierAttributes(acc);
    }
}

void Skill_WeaponPool_ChargedLinear::CollectPassiveRetaliationAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (const uint32_t level = GetReplicatedCharge(); level > 0) {
        GetSkillProfile().GetRetaliationAttributes(acc, level);
        AddModifierRetaliationAttributes(acc);
    }
}

void Skill_WeaponPool_ChargedLinear::CollectPassiveDefenseAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (const uint32_t level = GetReplicatedCharge(); level > 0) {
        GetSkillProfile().GetDefenseAttributes(acc, level);
        AddModifierDefenseAttributes(acc);
    }
}

void Skill_WeaponPool_ChargedLinear::CollectPassiveRacialBonusDamage(
    const std::vector<std::string>& races, RacialBonus_Damage& damage) const
{
    if (const uint32_t level = GetReplicatedCharge(); level > 0) {
        GetSkillProfile().GetRacialBonusDamage(races, damage, level);
        AddModifierRacialBonusDamage(races, damage);
    }
}

void Skill_WeaponPool_ChargedLinear::CollectPassiveRacialBonusDefense(
    const std::vector<std::string>& races, RacialBonus_Defense& defense) const
{
    if (const uint32_t level = GetReplicatedCharge(); level > 0) {
        GetSkillProfile().GetRacialBonusDefense(races, defense, level);
        AddModifierRacialBonusDefense(races, defense);
    }
}

void Skill_WeaponPool_ChargedLinear::CreateUIParameterText(std::vector<GameTextLine>& lines) const
{
    const uint32_t most = GetMaxCharge();
    if (most == 0)
        return;
    lines.emplace_back(GameTextClass::SkillLevelTitles,
                       LocalizationManager::Instance().Format("tagCurrentLevel", {most}), false);
    CreateUISpecializedText(GameTextClass::SkillStatsCurrent, lines);
    CreateUIModifierText(GameTextClass::SkillStatsCurrent, lines);
    AddStoreLines(most, most, true, GameTextClass::SkillStatsCurrent, lines);
}

void Skill_WeaponPool_ChargedLinear::CreateUINextParameterText(
    std::vector<GameTextLine>& lines) const
{
    const uint32_t level = GetCurrentLevel();
    const uint32_t next = level < UINT32_MAX ? level + 1 : level;
    const uint32_t most = GetMaxCharge();
    const uint32_t nextMost = GetSkillProfile().GetMaxChargeLevel(next);
    lines.emplace_back(GameTextClass::SkillLevelTitles,
                       LocalizationManager::Instance().Format("tagNextLevel", {nextMost}), false);
    CreateUINextModifierText(lines);
    CreateUINextSpecializedText(lines);
    AddStoreLines(most, nextMost, true, GameTextClass::SkillStatsNext, lines);
}

} // namespace GAME
