#include "skills/Skill_MeleeModifier.h"

#include "combat/ParametersCombat.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_MeleeModifier, Skill_Modifier);

Skill_MeleeModifier::~Skill_MeleeModifier() = default;

void Skill_MeleeModifier::ActivateModifierAttack(Character& /*owner*/, uint32_t /*value*/,
                                                 const WorldVec3& /*point*/)
{}

void Skill_MeleeModifier::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                       const WorldCoords& /*origin*/, uint32_t seed,
                                       uint32_t /*weaponId*/, bool /*melee*/)
{
    AttackTargets(owner, targets, seed, ParametersCombatStyle_Probability, 0, nullptr);
}

} // namespace GAME
