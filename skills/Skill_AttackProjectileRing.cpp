#include "skills/Skill_AttackProjectileRing.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"
#include "skills/Skill_AttackProjectile.h"
#include "world/ProjectileBase.h"

#include <numbers>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackProjectileRing, SkillActivated);

Skill_AttackProjectileRing::Skill_AttackProjectileRing()
{
    SetPrimary(false);
    SetSecondary(true);
    SetSkillType(SkillType_UseAtOnce);
}

Skill_AttackProjectileRing::~Skill_AttackProjectileRing() = default;

WorldCoords Skill_AttackProjectileRing::RotateAboutUp(const WorldCoords& coords, float degrees)
{
    const float radians = degrees * std::numbers::pi_v<float> / 180.0f;
    Coords frame =
        coords.GetRegionCoords() * Coords::RotationAboutAxis(radians, Vec3(0.0f, 1.0f, 0.0f));
    frame.origin = coords.GetRegionCoords().origin;
    return WorldCoords(coords.GetRegionId(), frame);
}

uint32_t Skill_AttackProjectileRing::GetLaunchCount() const
{
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    return data.GetProjectileLaunchNumber() > 0
               ? static_cast<uint32_t>(data.GetProjectileLaunchNumber())
               : 1u;
}

bool Skill_AttackProjectileRing::GetValidTarget(const Character& /*owner*/, uint32_t& target,
                                                const WorldVec3& /*point*/, bool /*aroundSelf*/,
                                                float /*radius*/)
{
    target = 0;
    return true;
}

void Skill_AttackProjectileRing::ActivateNow(Character& owner, const Name& /*callback*/,
                                             uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services == nullptr)
        return;
    WorldCoords centre = owner.GetCoords();
    WorldVec3 raised = centre.GetPosition();
    raised.Translate(Vec3(0.0f, 1.0f, 0.0f));
    centre.SetPosition(raised);

    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    const uint32_t count = GetLaunchCount();
    const float spread = data.GetProjectileLaunchRotation();
    const float step = spread / static_cast<float>(count);
    float angle = -spread * 0.5f;
    std::vector<WorldCoords> coords;
    std::vector<uint32_t> ids;
    for (uint32_t index = 0; index < count; ++index) {
        coords.push_back(RotateAboutUp(centre, angle));
        angle += step;
        ids.push_back(ObjectManager::Instance().CreateObjectID());
    }
    services->SendSpawnObject(GetObjectId(), owner.GetCoords(), 0, coords, ids,
                              static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()));
}

void Skill_AttackProjectileRing::SkillSpawnObject(Character& owner, const WorldCoords& origin,
                                                  uint32_t targetId,
                                                  const std::vector<WorldCoords>& coords,
                                                  const std::vector<uint32_t>& ids, uint32_t seed)
{
    if (ids.empty())
        return;
    // The list comes from a peer: more than one cast sends would create without bound.
    if (ids.size() > GetLaunchCount()) {
        gEngine->Log(2, "Spawn list too long (%u) (%s)", static_cast<uint32_t>(ids.size()),
                     GetObjectName().c_str());
        return;
    }
    SubtractManaCost();
    StartCooldown();
    PlayHitSound(origin.GetPosition());
    const std::string recordName = GetProjectileName();
    for (size_t index = 0; index < ids.size(); ++index) {
        const WorldCoords& launch = index < coords.size() ? coords[index] : origin;
        if (ProjectileBase* projectile = Skill_AttackProjectile::SpawnProjectile(
                *this, owner, recordName, launch, targetId, launch.GetPosition(), ids[index], seed,
                0, index == 0))
            projectile->ProjectileGo();
    }
}

} // namespace GAME
