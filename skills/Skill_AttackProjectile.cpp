#include "skills/Skill_AttackProjectile.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillAttributeType.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"
#include "world/ProjectileBase.h"
#include "world/ProjectileInfo.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackProjectile, SkillActivated);

Skill_AttackProjectile::Skill_AttackProjectile()
{
    SetPrimary(true);
    SetSecondary(true);
}

Skill_AttackProjectile::~Skill_AttackProjectile() = default;

ProjectileBase* Skill_AttackProjectile::SpawnProjectile(SkillActivated& skill, Character& owner,
                                                        const std::string& recordName,
                                                        const WorldCoords& origin,
                                                        uint32_t targetId, const WorldVec3& point,
                                                        uint32_t projectileId, uint32_t seed,
                                                        int32_t duration, bool swipe)
{
    ObjectManager& objects = ObjectManager::Instance();
    // Ids come from a peer's command: one already in use must not be taken over.
    if (objects.GetObject(projectileId) != nullptr) {
        gEngine->Log(2, "Projectile id %u already in use (%s)", projectileId,
                     skill.GetObjectName().c_str());
        return nullptr;
    }
    ProjectileBase* projectile =
        recordName.empty()
            ? nullptr
            : objects.CreateObjectFromFile<ProjectileBase>(recordName, projectileId, true);
    if (projectile == nullptr) {
        gEngine->Log(1, "Failed to spawn projectile (%s) (%s)", recordName.c_str(),
                     skill.GetObjectName().c_str());
        return nullptr;
    }

    SkillProfile_Modifiers data;
    skill.GetSkillModifierData(data);
    ProjectileInfo info;
    info.skillId = skill.GetObjectId();
    info.ownerId = owner.GetObjectId();
    info.targetId = targetId;
    info.targetPoint = point;
    info.team = owner.GetTeam();
    info.launchCoords = origin;
    info.piercingChance = data.GetProjectilePiercing();
    info.speedBonus = skill.GetTotalSkillAttribute(SkillAttribute_ProjectileSpeedModifier);
    info.duration = duration;
    projectile->LoadInfo(info, seed);
    skill.AddProjectileModifier(projectile);
    if (swipe)
        projectile->PlaySwipeSound(owner.GetCoords().GetPosition());
    return projectile;
}

void Skill_AttackProjectile::CreateProjectile(Character& owner, const WorldCoords& origin,
                                              uint32_t targetId, const WorldVec3& point,
                                              uint32_t /*weaponId*/, uint32_t projectileId,
                                              uint32_t seed)
{
    PlayHitSound(origin.GetPosition());
    if (ProjectileBase* projectile = SpawnProjectile(*this, owner, GetProjectileName(), origin,
                                                     targetId, point, projectileId, seed, 0, true))
        projectile->ProjectileGo();
}

void Skill_AttackProjectile::ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                                         const WorldVec3& point)
{
    if (!HasManager() || GetManager()->GetSkillServices() == nullptr)
        return;
    WorldCoords launch = owner.GetCoords();
    launch.SetPosition(GetCoordsFromCallback(owner, callback).GetPosition());
    ExecuteRangedAttack(owner, launch, targetId, point, 0);
}

} // namespace GAME
