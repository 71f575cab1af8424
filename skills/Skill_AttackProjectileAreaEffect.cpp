#include "skills/Skill_AttackProjectileAreaEffect.h"

#include "characters/Character.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"
#include "skills/Skill_AttackProjectile.h"
#include "world/ProjectileBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackProjectileAreaEffect, SkillActivated);

Skill_AttackProjectileAreaEffect::Skill_AttackProjectileAreaEffect()
{
    SetPrimary(false);
    SetSecondary(true);
}

Skill_AttackProjectileAreaEffect::~Skill_AttackProjectileAreaEffect() = default;

WorldCoords Skill_AttackProjectileAreaEffect::GetLaunchPoint(Character& owner, const Name& callback)
{
    WorldCoords launch = owner.GetCoords();
    launch.SetPosition(GetCoordsFromCallback(owner, callback).GetPosition());
    return launch;
}

bool Skill_AttackProjectileAreaEffect::DoSpecialProjectileGo(Character& /*owner*/,
                                                             ProjectileBase* /*projectile*/)
{
    return false;
}

std::string Skill_AttackProjectileAreaEffect::GetSpecialProjectileName(uint32_t /*id*/) const
{
    return std::string();
}

void Skill_AttackProjectileAreaEffect::ActivateNow(Character& owner, const Name& callback,
                                                   uint32_t targetId, const WorldVec3& point)
{
    SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services == nullptr)
        return;
    for (int32_t i = 0; i < GetNumProjectiles(); ++i) {
        const WorldCoords launch = GetLaunchPoint(owner, callback);
        if (i > 0)
            services->ClearHitIteration();
        services->SendCreateProjectile(GetObjectId(), launch, targetId, point,
                                       static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()),
                                       i == 0 ? 1u : 0u);
    }
}

void Skill_AttackProjectileAreaEffect::CreateProjectile(Character& owner, const WorldCoords& origin,
                                                        uint32_t targetId, const WorldVec3& point,
                                                        uint32_t weaponId, uint32_t projectileId,
                                                        uint32_t seed)
{
    if (weaponId != 0)
        PlayHitSound(origin.GetPosition());
    std::string recordName = GetSpecialProjectileName(projectileId);
    if (recordName.empty())
        recordName = GetProjectileName();
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    ProjectileBase* projectile = Skill_AttackProjectile::SpawnProjectile(
        *this, owner, recordName, origin, targetId, point, projectileId, seed,
        static_cast<int32_t>(data.GetActiveDuration()), true);
    if (projectile != nullptr && !DoSpecialProjectileGo(owner, projectile))
        projectile->ProjectileGo();
}

} // namespace GAME
