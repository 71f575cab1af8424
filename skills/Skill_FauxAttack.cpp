#include "skills/Skill_FauxAttack.h"

#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_FauxAttack, SkillActivated);

Skill_FauxAttack::Skill_FauxAttack()
{
    SetPrimary(true);
    SetSecondary(true);
}

Skill_FauxAttack::~Skill_FauxAttack() = default;

void Skill_FauxAttack::ActivateNow(Character& owner, const Name& /*callback*/, uint32_t targetId,
                                   const WorldVec3& /*point*/)
{
    SendResultAtTarget(owner, targetId, 0.0f);
}

void Skill_FauxAttack::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                    const WorldCoords& /*origin*/, uint32_t seed,
                                    uint32_t /*weaponId*/, bool /*melee*/)
{
    RandomUniform random;
    random.Seed(seed);
    for (uint32_t id : targets) {
        if (Character* target = ObjectManager::Instance().GetObject<Character>(id))
            ApplyFauxHit(owner, *target, random);
    }
}

} // namespace GAME
