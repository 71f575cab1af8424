#include "skills/Skill_Modifier.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "skills/SkillContribution.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_Modifier, Skill);

Skill_Modifier::Skill_Modifier()
{
    SetPrimary(false);
    SetSecondary(false);
}

Skill_Modifier::~Skill_Modifier() = default;

void Skill_Modifier::CollectModifierCharAttributes(CharAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::Char(*this, acc, true);
}

void Skill_Modifier::CollectModifierSkillAttributes(SkillAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::SkillAttributes(*this, acc);
}

void Skill_Modifier::CollectModifierOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::OffensiveDamage(*this, acc);
}

void Skill_Modifier::CollectModifierOffensiveModifierAttributes(
    CombatAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::OffensiveModifier(*this, acc);
}

void Skill_Modifier::CollectModifierRetaliationAttributes(CombatAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::Retaliation(*this, acc);
}

void Skill_Modifier::CollectModifierDefenseAttributes(CombatAttributeAccumulator& acc) const
{
    if (IsSkillEnabled())
        SkillContribution::Defense(*this, acc);
}

void Skill_Modifier::CollectModifierRacialBonusDamage(const std::vector<std::string>& races,
                                                      RacialBonus_Damage& damage) const
{
    if (IsSkillEnabled())
        SkillContribution::RacialDamage(*this, races, damage);
}

void Skill_Modifier::CollectModifierRacialBonusDefense(const std::vector<std::string>& races,
                                                       RacialBonus_Defense& defense) const
{
    if (IsSkillEnabled())
        SkillContribution::RacialDefense(*this, races, defense);
}

void Skill_Modifier::AttackTargets(Character& owner, const std::vector<uint32_t>& targets,
                                   uint32_t seed, ParametersCombatStyle style, uint32_t weaponId,
                                   const WorldCoords* ragDollFrom)
{
    if (targets.empty())
        return;
    RandomUniform random;
    random.Seed(seed);
    for (const uint32_t id : targets) {
        auto* target = ObjectManager::Instance().GetObject<Character>(id);
        if (target == nullptr)
            continue;
        ParametersCombat parameters(random);
        CollectCombatParameters(owner, target, style, false, weaponId, parameters, 0.0f);
        if (ragDollFrom != nullptr)
            InitRagDollData(parameters.ragDoll, *ragDollFrom, target->GetCoords());
        else
            CreateTargetFx(target->GetCoords());
        target->TakeAttack(parameters);
    }
}

} // namespace GAME
