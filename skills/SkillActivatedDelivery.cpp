#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillActivated.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"
#include "skills/Skill_AttackProjectile.h"
#include "world/ProjectileBase.h"

namespace GAME {

namespace {
constexpr float kDeliveryRange = 20.0f;
}

void SkillActivated::DeliverToTarget(Character& owner, const Name& callback, uint32_t targetId,
                                     const WorldVec3& point)
{
    SkillServicesBase* services = ServicesOf(*this);
    if (services == nullptr)
        return;
    if (!GetProjectileName().empty()) {
        WorldCoords launch = owner.GetCoords();
        launch.SetPosition(GetCoordsFromCallback(owner, callback).GetPosition());
        services->SendCreateProjectile(GetObjectId(), launch, targetId, point,
                                       static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0);
        return;
    }
    SendResultAtTarget(owner, targetId, kDeliveryRange);
}

void SkillActivated::SendResultAtTarget(Character& owner, uint32_t targetId, float range)
{
    SkillServicesBase* services = ServicesOf(*this);
    if (services == nullptr ||
        ObjectManager::Instance().GetObject<Character>(targetId) == nullptr ||
        (range > 0.0f && !IsTargetInRange(owner, targetId, range)))
        return;
    services->SendTargetResult(GetObjectId(), {targetId}, owner.GetCoords(),
                               static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0, false);
}

bool SkillActivated::GetValidDeliveryTarget(const Character& owner, uint32_t& target,
                                            const WorldVec3& point, bool aroundSelf, float radius)
{
    if (!GetProjectileName().empty() ||
        ObjectManager::Instance().GetObject<Character>(target) != nullptr)
        return true;
    return GetValidFriendTarget(owner, target, point, aroundSelf, radius, false);
}

void SkillActivated::CreateTimedProjectile(Character& owner, const WorldCoords& origin,
                                           uint32_t targetId, const WorldVec3& point,
                                           uint32_t projectileId, uint32_t seed)
{
    PlayHitSound(origin.GetPosition());
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    if (ProjectileBase* projectile = Skill_AttackProjectile::SpawnProjectile(
            *this, owner, GetProjectileName(), origin, targetId, point, projectileId, seed,
            static_cast<int32_t>(data.GetActiveDuration()), true))
        projectile->ProjectileGo();
}

} // namespace GAME
