#include "skills/Skill_Teleport.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_Teleport, SkillActivated);

namespace {
constexpr float kRange = 20.0f;
}

Skill_Teleport::Skill_Teleport()
{
    SetDisplayName("^bTeleport");
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
    // Aimed at someone, so not used at once from a hot slot.
    SetSkillType(SkillType_Normal);
}

Skill_Teleport::~Skill_Teleport() = default;

bool Skill_Teleport::GetValidTarget(const Character& owner, uint32_t& target,
                                    const WorldVec3& point, bool aroundSelf, float radius)
{
    return GetValidRangedTarget(owner, target, point, aroundSelf, radius) ||
           GetValidFriendTarget(owner, target, point, aroundSelf, radius, false);
}

void Skill_Teleport::ActivateNow(Character& owner, const Name& /*callback*/, uint32_t targetId,
                                 const WorldVec3& /*point*/)
{
    SendResultAtTarget(owner, targetId, kRange);
}

void Skill_Teleport::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                  const WorldCoords& origin, uint32_t /*seed*/,
                                  uint32_t /*weaponId*/, bool /*melee*/)
{
    if (targets.empty())
        return;
    if (Character* target = ObjectManager::Instance().GetObject<Character>(targets.front())) {
        const WorldCoords userWas = owner.GetCoords();
        const WorldCoords targetWas = target->GetCoords();
        CreateTargetFx(targetWas);
        PlayHitSound(targetWas.GetPosition());
        CreateTargetFx(userWas);
        PlayHitSound(userWas.GetPosition());
        target->TeleportToLocation(userWas);
        owner.TeleportToLocation(targetWas);
    }
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

} // namespace GAME
