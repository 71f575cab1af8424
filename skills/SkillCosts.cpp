#include "skills/Skill.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "combat/RacialBonus.h"
#include "core/GameLog.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/Weapon.h"
#include "skills/SkillAttributeAccumulator.h"
#include "skills/SkillAttributeType.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillProfile_ProjectileModifiers.h"
#include "skills/SkillSecondary.h"
#include "skills/Skill_Modifier.h"
#include "skills/Skill_ProjectileModifier.h"
#include "world/ProjectileBase.h"

#include <initializer_list>

namespace GAME {

namespace {

// Ids that no longer resolve, or name a skill of another kind, are passed over.
template <class Kind, class Call> void ForEach(const std::vector<uint32_t>& ids, Call&& call)
{
    const ObjectManager& objects = ObjectManager::Instance();
    for (const uint32_t id : ids) {
        if (Kind* skill = objects.GetObject<Kind>(id))
            call(*skill);
    }
}

} // namespace

void Skill::GetSkillModifierData(SkillProfile_Modifiers& data) const
{
    const uint32_t level = GetCurrentLevel();
    if (level == 0)
        return;
    data += GetSkillProfile().GetSkillModifierData(level);
    ForEach<Skill_Modifier>(
        modifiers, [&](const Skill_Modifier& modifier) { modifier.GetSkillModifierData(data); });
}

float Skill::GetTotalSkillAttribute(SkillAttributeType type) const
{
    // Built afresh each time: chances roll on a new seed, and nothing is cached.
    SkillAttributeAccumulator accumulator;
    accumulator.SetSeed(static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()));
    GetSkillProfile().GetSkillAttributes(accumulator, GetCurrentLevel());
    AddModifierSkillAttributes(accumulator);
    const float owner = skillManager != nullptr ? skillManager->GetTotalSkillAttribute(type) : 0.0f;
    return owner + accumulator.GetValue(type);
}

float Skill::GetManaCost() const
{
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    const float cost = data.GetManaCost() *
                       (1.0f - GetTotalSkillAttribute(SkillAttribute_ManaCostReduction) * 0.01f);
    // A reduction above 100 % makes the skill free, never a mana gain (nor NaN).
    return cost > 0.0f ? cost : 0.0f;
}

void Skill::SubtractManaCost()
{
    if (skillManager != nullptr)
        skillManager->SubtractMana(GetManaCost());
}

float Skill::GetCooldownTime() const
{
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    const float ms = data.GetCooldownTime() * 1000.0f;
    return (1.0f - GetTotalSkillAttribute(SkillAttribute_CooldownReduction) * 0.01f) * ms;
}

void Skill::StartCooldown()
{
    const float time = GetCooldownTime();
    if (static_cast<double>(time) > 0.1)
        ReplaceCooldownTime(time);
}

void Skill::ReplaceCooldownTime(float ms)
{
    // A longer cooldown already running is never shortened.
    if (!(ms > 0.0f) || !(static_cast<float>(cooldownRemaining) < ms))
        return;
    cooldownRemaining = SaturateToInt(ms);
    cooldownTotal = cooldownRemaining;
}

void Skill::ApplyDisruptionCooldownTime(float ms)
{
    if (disruptable)
        ReplaceCooldownTime(ms);
}

void Skill::EndCooldown()
{
    cooldownRemaining = 0;
}

float Skill::GetCooldownCompletion() const
{
    if (cooldownTotal < 1)
        return 1.0f;
    return 1.0f - static_cast<float>(cooldownRemaining) / static_cast<float>(cooldownTotal);
}

void Skill::CollectLocalOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const
{
    GetSkillProfile().GetOffensiveDamageAttributes(acc, GetCurrentLevel());
    AddModifierOffensiveDamageAttributes(acc);
}

void Skill::CollectLocalOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const
{
    GetSkillProfile().GetOffensiveModifierAttributes(acc, GetCurrentLevel());
    AddModifierOffensiveModifierAttributes(acc);
}

void Skill::CollectLocalRacialBonusDamage(const std::vector<std::string>& races,
                                          RacialBonus_Damage& damage) const
{
    GetSkillProfile().GetRacialBonusDamage(races, damage, GetCurrentLevel());
    AddModifierRacialBonusDamage(races, damage);
}

void Skill::AddModifierCharAttributes(CharAttributeAccumulator& acc) const
{
    ForEach<Skill_Modifier>(modifiers, [&](const Skill_Modifier& modifier) {
        modifier.CollectModifierCharAttributes(acc);
    });
}

void Skill::AddModifierSkillAttributes(SkillAttributeAccumulator& acc) const
{
    ForEach<Skill_Modifier>(modifiers, [&](const Skill_Modifier& modifier) {
        modifier.CollectModifierSkillAttributes(acc);
    });
}

void Skill::AddModifierOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const
{
    ForEach<Skill_Modifier>(modifiers, [&](const Skill_Modifier& modifier) {
        modifier.CollectModifierOffensiveDamageAttributes(acc);
    });
}

void Skill::AddModifierOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const
{
    ForEach<Skill_Modifier>(modifiers, [&](const Skill_Modifier& modifier) {
        modifier.CollectModifierOffensiveModifierAttributes(acc);
    });
}

void Skill::AddModifierRetaliationAttributes(CombatAttributeAccumulator& acc) const
{
    ForEach<Skill_Modifier>(modifiers, [&](const Skill_Modifier& modifier) {
        modifier.CollectModifierRetaliationAttributes(acc);
    });
}

void Skill::AddModifierDefenseAttributes(CombatAttributeAccumulator& acc) const
{
    ForEach<Skill_Modifier>(modifiers, [&](const Skill_Modifier& modifier) {
        modifier.CollectModifierDefenseAttributes(acc);
    });
}

void Skill::AddModifierRacialBonusDamage(const std::vector<std::string>& races,
                                         RacialBonus_Damage& damage) const
{
    ForEach<Skill_Modifier>(modifiers, [&](const Skill_Modifier& modifier) {
        modifier.CollectModifierRacialBonusDamage(races, damage);
    });
}

void Skill::AddModifierRacialBonusDefense(const std::vector<std::string>& races,
                                          RacialBonus_Defense& defense) const
{
    ForEach<Skill_Modifier>(modifiers, [&](const Skill_Modifier& modifier) {
        modifier.CollectModifierRacialBonusDefense(races, defense);
    });
}

void Skill::GetModifierInfo(size_t index, std::string& name, uint32_t& level) const
{
    if (index >= modifiers.size())
        return;
    if (const Skill* modifier = ObjectManager::Instance().GetObject<Skill>(modifiers[index])) {
        name = modifier->GetObjectName();
        level = modifier->GetCurrentLevel();
    }
}

void Skill::AddProjectileModifier(ProjectileBase* projectile) const
{
    const uint32_t level = GetCurrentLevel();
    if (level == 0 || projectile == nullptr)
        return;
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    const SkillProfile_ProjectileModifiers& extra =
        GetSkillProfile().GetSkillProjectileModifierData(level);

    ProjectileBase::ProjectileModifierStruct modifier;
    modifier.ownerSkillId = GetObjectId();
    modifier.explosionRadius = data.GetExplosionRadius() + extra.GetExplosionRadius();
    modifier.fragmentsName = extra.GetFragmentsName();
    modifier.fragmentsMin = extra.GetFragmentsLaunchNumberMin();
    modifier.fragmentsMax = extra.GetFragmentsLaunchNumberMax();
    modifier.piercingChance = data.GetProjectilePiercing() + extra.GetPiercingChance();
    projectile->AddProjectileModifier(modifier);

    // Projectile modifiers add a record of their own.
    ForEach<Skill_ProjectileModifier>(modifiers, [&](const Skill_ProjectileModifier& each) {
        each.AddProjectileModifier(projectile);
    });
}

void Skill::PrimaryActivateSecondarySkills(Character& owner, uint32_t target,
                                           const std::vector<uint32_t>& ids, const WorldVec3& point)
{
    ForEach<SkillSecondary>(secondarySkills, [&](SkillSecondary& secondary) {
        secondary.PrimaryActivateNow(owner, target, ids, point);
    });
}

void Skill::ActivateSecondarySkills(Character& owner, uint32_t target,
                                    const std::vector<uint32_t>& ids, const WorldVec3& point)
{
    ForEach<SkillSecondary>(secondarySkills, [&](SkillSecondary& secondary) {
        secondary.ActivateNow(owner, target, ids, point);
    });
}

void Skill::PrimaryStopSecondarySkills(Character& owner)
{
    ForEach<SkillSecondary>(secondarySkills,
                            [&](SkillSecondary& secondary) { secondary.PrimaryStop(owner); });
}

void Skill::Cancel(Character& /*owner*/)
{
    if (skillManager == nullptr)
        return;
    const ObjectManager& objects = ObjectManager::Instance();
    for (const uint32_t id :
         {skillManager->GetRightHandWeapon(), skillManager->GetLeftHandWeapon()}) {
        if (Weapon* weapon = objects.GetObject<Weapon>(id))
            weapon->DisableWeaponTrail();
    }
}

void Skill::CollectCombatParameters(const Character& attacker, Character* defender,
                                    ParametersCombatStyle style, bool collectEquipment,
                                    uint32_t weaponId, ParametersCombat& parameters,
                                    float damagePercent)
{
    if (defender != nullptr) {
        RacialBonus_Damage bonus;
        const std::vector<std::string>& races = defender->GetRace();
        CollectLocalRacialBonusDamage(races, bonus);
        if (GetSkillProfile().IncludeRacialDamage())
            attacker.ContributeRacialBonusDamage(races, weaponId, bonus);
        parameters.racialBonusDamage = bonus.absolute;
        if (bonus.percent > 0.0f) {
            // 0 stands for "unscaled"; the bonus scales on top of the full damage.
            if (damagePercent == 0.0f)
                damagePercent = 100.0f;
            damagePercent += bonus.percent;
            gEngine->LogCategory(gLogCombat, 0, "^bRacial Bonus Damage Percent %f",
                                 static_cast<double>(damagePercent));
        }
        if (bonus.absolute > 0.0f)
            gEngine->LogCategory(gLogCombat, 0, "^bRacial Bonus Damage Absolute %f",
                                 static_cast<double>(bonus.absolute));
    }

    parameters.style = style;
    parameters.attackerId = attacker.GetObjectId();

    CombatAttributeAccumulator& acc = parameters.attributes;
    CollectLocalOffensiveModifierAttributes(acc);
    if (skillManager != nullptr)
        skillManager->CollectAvailableOffensiveModifierAttributes(acc);
    CollectLocalOffensiveDamageAttributes(acc);

    float offensiveReduction = 0.0f;
    if (collectEquipment) {
        if (skillManager != nullptr)
            skillManager->CollectAvailableOffensiveDamageAttributes(weaponId, acc);
        offensiveReduction = attacker.GetOffensiveReduction();
    }
    acc.ProcessDamage(attacker, damagePercent, offensiveReduction,
                      attacker.GetTotalDamageReductionPercent(),
                      attacker.GetTotalDamageReductionAbsolute());

    parameters.offensiveAbility =
        skillManager != nullptr ? skillManager->CalculateOffensiveAbility(0.0f) : 0.0f;
    parameters.fumbleChance = attacker.GetFumbleDamage();
    parameters.skillManaCost = GetManaCost();
}

} // namespace GAME
