#include "skills/SkillActivated.h"

#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "core/GameEvents.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/Weapon.h"
#include "skills/SkillActivatedWeapon.h"
#include "skills/SkillActivatedWeaponPool.h"
#include "skills/SkillBuffTransfer.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"
#include "world/ProjectileBase.h"
#include "world/ProjectileInfo.h"

namespace GAME {

void SkillActivated::SendProjectileTargets(const ProjectileInfo& info, const WorldCoords& origin,
                                           const std::vector<uint32_t>& targets)
{
    SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services == nullptr ||
        ObjectManager::Instance().GetObject<Character>(info.ownerId) == nullptr)
        return;
    // A projectile's hit never charges: its launch did.
    services->ClearHitIteration();
    services->SendTargetResult(GetObjectId(), targets, origin,
                               static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()),
                               info.weaponId, false);
}

void SkillActivatedWeapon::TargetInformation(const ProjectileInfo& info, const WorldCoords& origin,
                                             const std::vector<uint32_t>& targets)
{
    SendProjectileTargets(info, origin, targets);
}

void SkillActivatedWeaponPool::TargetInformation(const ProjectileInfo& info,
                                                 const WorldCoords& origin,
                                                 const std::vector<uint32_t>& targets)
{
    SendProjectileTargets(info, origin, targets);
}

bool SkillActivated::StartCastAnimation(Character& owner, AnimationSet_Type type)
{
    if (!IsSkillEnabled())
        return false;
    const float speed = HasManager() ? GetManager()->GetSpellCastSpeed() : 1.0f;
    if (StartSpecialAnimation(owner, speed, false))
        return true;
    return StartNormalAnimation(owner, type, Name(), speed, false, 0);
}

void SkillActivated::CameraShake()
{
    if (cameraShakeDurationSecs <= 0.0001f)
        return;
    GameEvent_CameraShake event;
    event.durationMs = static_cast<int32_t>(cameraShakeDurationSecs * 1000.0f);
    event.amplitude = cameraShakeAmplitude;
    EventManager::Instance().Send("GameEvent_CameraShake", event);
}

void SkillActivated::ApplyBuffOnTarget(Character& caster, Character& target, std::string& buffName,
                                       int32_t timeToLive)
{
    SendBuffTransfer(*this, caster, target, buffName, timeToLive);
}

void SkillActivated::CreateProjectile(Character& owner, const WorldCoords& origin,
                                      uint32_t targetId, const WorldVec3& point, uint32_t weaponId,
                                      uint32_t projectileId, uint32_t seed)
{
    ObjectManager& objects = ObjectManager::Instance();
    const WorldVec3 ownerPosition = owner.GetCoords().GetPosition();
    WorldCoords launch = origin;
    std::string recordName;
    std::string weaponName;
    float weaponPiercing = 0.0f;
    if (Weapon* weapon = objects.GetObject<Weapon>(weaponId)) {
        weapon->PlayHitSound(ownerPosition);
        weaponPiercing = weapon->GetProjectilePiercingChance();
        recordName = weapon->GetProjectileName();
        weaponName = weapon->GetObjectName();
        if (weapon->GetAttachParent() != nullptr)
            launch.SetPosition(weapon->GetAttachedCoords(Name::Create("Shoot")).GetPosition());
    }
    PlayHitSound(ownerPosition);

    ProjectileBase* projectile =
        recordName.empty()
            ? nullptr
            : objects.CreateObjectFromFile<ProjectileBase>(recordName, projectileId, true);
    if (projectile == nullptr) {
        gEngine->Log(1, "Failed to spawn ranged projectile (%s) (%s)", recordName.c_str(),
                     weaponName.c_str());
        return;
    }

    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    ProjectileInfo info;
    info.skillId = GetObjectId();
    info.ownerId = owner.GetObjectId();
    info.launchCoords = launch;
    info.weaponId = weaponId;
    info.targetId = targetId;
    info.targetPoint = point;
    info.team = owner.GetTeam();
    info.piercingChance = data.GetProjectilePiercing() + weaponPiercing;
    info.speedBonus = GetTotalSkillAttribute(SkillAttribute_ProjectileSpeedModifier);
    projectile->LoadInfo(info, seed);
    AddProjectileModifier(projectile);
    projectile->PlaySwipeSound(ownerPosition);
    projectile->ProjectileGo();
}

} // namespace GAME
