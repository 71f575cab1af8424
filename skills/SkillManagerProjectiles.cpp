#include "skills/SkillManager.h"

#include "engine/ObjectManager.h"
#include "world/ProjectileBase.h"

namespace GAME {

void SkillManager::DeleteProjectile(uint32_t projectileId)
{
    if (auto* projectile = ObjectManager::Instance().GetObject<ProjectileBase>(projectileId))
        projectile->DeleteProjectile();
}

} // namespace GAME
