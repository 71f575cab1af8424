#include "skills/Skill_AttackProjectileBurst.h"

#include "characters/Character.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"
#include "skills/Skill_AttackProjectile.h"
#include "skills/Skill_AttackProjectileRing.h"
#include "world/ProjectileBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackProjectileBurst, SkillActivated);

Skill_AttackProjectileBurst::Skill_AttackProjectileBurst()
{
    SetPrimary(false);
    SetSecondary(true);
}

Skill_AttackProjectileBurst::~Skill_AttackProjectileBurst() = default;

void Skill_AttackProjectileBurst::DrawNextDelay()
{
    nextDelay = GameEngine::Get().GetRandomGen().IGenerate(lowestDelay, highestDelay);
}

void Skill_AttackProjectileBurst::ActivateNow(Character& owner, const Name& callback,
                                              uint32_t targetId, const WorldVec3& point)
{
    SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services != nullptr) {
        const Entity* target = ObjectManager::Instance().GetObject<Entity>(targetId);
        const WorldVec3 aim = target != nullptr ? target->GetCoords().GetPosition() : point;
        burstCoords = owner.GetCoords();
        burstCoords.LookAt(owner.GetCoords().GetPosition(), aim, Vec3(0.0f, 1.0f, 0.0f));
        burstCoords.SetPosition(GetCoordsFromCallback(owner, callback).GetPosition());
        SkillProfile_Modifiers data;
        GetSkillModifierData(data);
        spreadAngle = data.GetProjectileLaunchRotation();
        remaining = data.GetProjectileLaunchNumber();
        services->SendCreateProjectile(GetObjectId(), burstCoords, targetId, aim,
                                       static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0);
        --remaining;
        DrawNextDelay();
    }
    PlayHitSound(owner.GetCoords().GetPosition());
}

void Skill_AttackProjectileBurst::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedSpell::Update(owner, elapsedMs);
    SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services == nullptr || remaining <= 0)
        return;
    nextDelay -= elapsedMs;
    if (nextDelay >= 0)
        return;
    const float angle = GameEngine::Get().GetRandomGen().FGenerate(-spreadAngle, spreadAngle);
    const WorldCoords launch = Skill_AttackProjectileRing::RotateAboutUp(burstCoords, angle);
    services->ClearHitIteration();
    services->SendCreateProjectile(GetObjectId(), launch, 0, launch.GetPosition(),
                                   static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0);
    --remaining;
    DrawNextDelay();
}

void Skill_AttackProjectileBurst::StopSkill(Character& owner)
{
    SkillActivatedSpell::StopSkill(owner);
    remaining = 0;
    nextDelay = 0;
}

void Skill_AttackProjectileBurst::CreateProjectile(Character& owner, const WorldCoords& origin,
                                                   uint32_t targetId, const WorldVec3& point,
                                                   uint32_t /*weaponId*/, uint32_t projectileId,
                                                   uint32_t seed)
{
    // The burst's sound played once, at its start.
    if (ProjectileBase* projectile =
            Skill_AttackProjectile::SpawnProjectile(*this, owner, GetProjectileName(), origin,
                                                    targetId, point, projectileId, seed, 0, true))
        projectile->ProjectileGo();
}

} // namespace GAME
