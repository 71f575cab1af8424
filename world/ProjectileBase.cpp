#include "world/ProjectileBase.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/CollisionData.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/SoundPak.h"
#include "engine/Tile.h"
#include "engine/WeaponTrail.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "world/Decoration.h"

#include <limits>

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileBase, Actor);

namespace {

constexpr const char* kProjectileBaseSource = "Project/Game/ProjectileBase";

SoundPak* LoadProjectileSound(const LoadTable& table, const char* key)
{
    const std::string name = table.GetString(key, "");
    return name.empty() ? nullptr : ObjectManager::Instance().CreateObjectFromFile<SoundPak>(name);
}

EffectEntity* LoadEffect(const std::string& name)
{
    return name.empty() ? nullptr
                        : ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(name);
}

void LoadAnimationSlot(AnimationEntry& slot, const LoadTable& table, const char* key,
                       const char* speedKey)
{
    const std::string name = table.GetString(key, "");
    if (!name.empty())
        slot.AddAnimation(name, table.GetFloat(speedKey, 0.0f), 0.0f, "");
}

bool AtOrigin(const Coords& placement)
{
    return placement.origin == Vec3();
}

// Seconds in the record, whole milliseconds here (truncated toward zero, saturated).
int32_t LoadMilliseconds(const LoadTable& table, const char* key)
{
    return SaturateToInt(static_cast<double>(table.GetFloat(key, 0.0f)) * 1000.0);
}

void PlayAt(SoundPak* sound, const WorldVec3& position)
{
    if (sound != nullptr)
        sound->Play(WorldCoords(position), false, true);
}

// A sound that flies on with the projectile.
void PlayTracked(SoundPak* sound, const WorldVec3& position, uint32_t projectileId)
{
    if (sound == nullptr)
        return;
    sound->Play(WorldCoords(position), false, true);
    sound->Track(projectileId);
}

} // namespace

ProjectileBase::ProjectileBase()
{
    SetGravityEnabled(false);
}

ProjectileBase::~ProjectileBase()
{
    DestroyWeaponTrails();
    DestroySounds();
    DestroyImpactFx();
}

void ProjectileBase::DestroySounds()
{
    for (SoundPak** sound :
         {&hitSound, &explodingHitSound, &swipeSound, &bounceSound, &destructSound}) {
        ObjectManager::Instance().DestroyObjectEx(*sound, kProjectileBaseSource, __LINE__);
        *sound = nullptr;
    }
}

void ProjectileBase::DestroyImpactFx()
{
    for (EffectEntity** effect : {&impactFx, &explodingImpactFx}) {
        ObjectManager::Instance().DestroyObjectEx(*effect, kProjectileBaseSource, __LINE__);
        *effect = nullptr;
    }
}

void ProjectileBase::Load(const LoadTable& table)
{
    Actor::Load(table);
    velocity = table.GetFloat("projectileVelocity", 0.0f);
    distance = table.GetFloat("projectileDistance", 0.0f);
    hitTimeToLive = LoadMilliseconds(table, "projectileHitTimeToLive");
    missTimeToLive = LoadMilliseconds(table, "projectileMissTimeToLive");
    // A second load must not strand the first load's sounds and effects.
    DestroySounds();
    hitSound = LoadProjectileSound(table, "projectileHitSound");
    explodingHitSound = LoadProjectileSound(table, "projectileExplodingHitSound");
    swipeSound = LoadProjectileSound(table, "projectileSwipeSound");
    bounceSound = LoadProjectileSound(table, "projectileBounceSound");
    destructSound = LoadProjectileSound(table, "projectileDestructSound");
    launchAngle = table.GetFloat("launchAngle", 0.0f);
    notificationRadius = table.GetFloat("notificationRadius", 5.0f);
    weaponTrailName = table.GetString("projectileWeaponTrail", "");
    const std::string flightFxName = table.GetString("projectileFlightFX", "");
    if (!flightFxName.empty())
        flightFx.LoadFX(flightFxName, this);
    DestroyImpactFx();
    impactFxName = table.GetString("projectileImpactFX", "");
    explodingImpactFxName = table.GetString("projectileExplodingImpactFX", "");
    impactFx = LoadEffectEntityFromTable(table, "projectileImpactFX");
    explodingImpactFx = LoadEffectEntityFromTable(table, "projectileExplodingImpactFX");
    LoadAnimationSlot(launchAnimation, table, "projectileLaunchAnimation",
                      "projectileLaunchAnimationSpeed");
    LoadAnimationSlot(flightAnimation, table, "projectileFlightAnimation",
                      "projectileFlightAnimationSpeed");
}

void ProjectileBase::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    for (SoundPak* sound : {hitSound, explodingHitSound, swipeSound, bounceSound, destructSound}) {
        if (sound != nullptr)
            sound->PreLoad(flag);
    }
    for (EffectEntity* effect : {impactFx, explodingImpactFx}) {
        if (effect != nullptr)
            effect->PreLoad(flag);
    }
    flightFx.PreLoad(flag);
}

void ProjectileBase::UpdateSelf(int32_t elapsedMs)
{
    Actor::UpdateSelf(elapsedMs);
    AdvanceFlight(elapsedMs);
    if (trailRefreshPending != 0) {
        SwitchWeaponTrails();
        trailRefreshPending = 0;
        return;
    }
    if (deleted || notificationCountdown < 0)
        return;
    notificationCountdown -= elapsedMs;
    if (notificationCountdown < 0) {
        notificationCountdown = notificationInterval;
        NotifyMonsters();
    }
}

void ProjectileBase::AdvanceFlight(int32_t elapsedMs)
{
    if (deleted || GetPhysicsType() != kPhysicsTypeFlight || !IsInWorld())
        return;
    gEngine->GetPhysicsEngine().StepBody(*this, flightVelocity, gravityEnabled, elapsedMs,
                                         [this](const Entity* other) { return CanCollide(other); });
}

void ProjectileBase::StartPhysicsFlight()
{
    SetPhysicsType(kPhysicsTypeFlight);
    SetSimulationEnabled(true);
}

void ProjectileBase::PlaceInWorld(const WorldCoords& coords)
{
    if (World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr)
        world->SetCoords(this, coords);
}

int32_t ProjectileBase::CountWeaponTrails() const
{
    if (AtOrigin(GetAttachPointPlacement(Name::Create("Anchor1"))))
        return 0;
    return AtOrigin(GetAttachPointPlacement(Name::Create("Anchor3"))) ? 1 : 2;
}

WeaponTrail* ProjectileBase::GetWeaponTrail(int32_t index) const
{
    if (index < 0 || index > 1 || weaponTrailIds[index] == 0)
        return nullptr;
    return ObjectManager::Instance().GetObject<WeaponTrail>(weaponTrailIds[index]);
}

void ProjectileBase::DestroyWeaponTrails()
{
    for (int32_t index = 0; index < 2; ++index) {
        if (WeaponTrail* trail = GetWeaponTrail(index)) {
            Detach(trail);
            ObjectManager::Instance().DestroyObjectEx(trail, kProjectileBaseSource, __LINE__);
        }
        weaponTrailIds[index] = 0;
    }
}

void ProjectileBase::SwitchWeaponTrails()
{
    trailCount = CountWeaponTrails();
    DestroyWeaponTrails();
    if (trailCount == 0 || weaponTrailName.empty())
        return;
    for (int32_t index = 0; index < trailCount; ++index) {
        auto* trail =
            ObjectManager::Instance().CreateObjectFromFile<WeaponTrail>(weaponTrailName, 0, true);
        if (trail == nullptr)
            continue;
        trail->SetPointSetIndex(index);
        trail->SetBBox(GetRegionBoundingBox());
        Attach(trail, Coords::Identity(), "");
        weaponTrailIds[index] = trail->GetObjectId();
    }
    EnableWeaponTrail();
}

void ProjectileBase::EnableWeaponTrail()
{
    for (int32_t index = 0; index < 2; ++index) {
        if (WeaponTrail* trail = GetWeaponTrail(index))
            trail->Start();
    }
}

void ProjectileBase::DisableWeaponTrail()
{
    for (int32_t index = 0; index < 2; ++index) {
        if (WeaponTrail* trail = GetWeaponTrail(index))
            trail->Stop();
    }
}

void ProjectileBase::StartLaunchAnimation()
{
    animationState = AnimationState_Launching;
    if (launchAnimation.PlayAnimation(*this, Name::noName, 1.0f, false, 0))
        return;
    animationState = AnimationState_Flying;
    flightAnimation.PlayAnimation(*this, Name::noName, 1.0f, true, 0);
}

void ProjectileBase::AnimationCallback(int32_t kind, const Name& name)
{
    Actor::AnimationCallback(kind, name);
    static const Name end = Name::Create("End");
    if (animationState != AnimationState_Launching || !(name == end))
        return;
    animationState = AnimationState_Flying;
    flightAnimation.PlayAnimation(*this, Name::noName, 1.0f, true, 0);
}

float ProjectileBase::GetLaunchAngle() const
{
    return Clamp(launchAngle, 10.0f, 80.0f);
}

void ProjectileBase::ProjectileGo()
{
    lastPosition = info.launchCoords.GetPosition();
}

WorldCoords ProjectileBase::GetFlightCoords() const
{
    return GetCoords();
}

Character* ProjectileBase::GetOwner() const
{
    return ObjectManager::Instance().GetObject<Character>(info.ownerId);
}

void ProjectileBase::NotifyMonsters()
{
    const Character* owner = GetOwner();
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    const TeamManager* teams = gGameEngine != nullptr ? gGameEngine->GetTeamManager() : nullptr;
    if (owner == nullptr || world == nullptr || teams == nullptr)
        return;
    const WorldVec3 position = GetCoords().GetPosition();
    std::vector<Entity*> nearby;
    // Only characters are told: other projectiles nearby are passed over inside the query.
    world->GetEntitiesInSphere(nearby, position.GetRegion(), position.GetRegionPosition(),
                               notificationRadius, Character::classInfo);
    for (Entity* entity : nearby) {
        auto* character = DynamicCast<Character>(entity);
        if (character != nullptr && teams->IsFoe(character->GetTeam(), owner->GetTeam()))
            character->ProjectileNotification(GetObjectId());
    }
}

WorldVec3 ProjectileBase::GetHitPoint(const Character& character)
{
    return character.GetAttachedCoords(Name::Create("Target")).GetPosition();
}

uint32_t ProjectileBase::FindClosestTarget(const std::vector<uint32_t>& ids, const WorldVec3& point)
{
    uint32_t closest = 0;
    float best = std::numeric_limits<float>::max();
    for (uint32_t id : ids) {
        const Character* character = ObjectManager::Instance().GetObject<Character>(id);
        if (character == nullptr)
            continue;
        Vec3 there;
        if (!character->GetCoords().GetPosition().GetPositionInRegion(point.GetRegionId(), there))
            continue;
        const float gap = (there - point.GetRegionPosition()).Length() - character->GetExtents();
        if (closest == 0 || gap < best) {
            best = gap;
            closest = id;
        }
    }
    return closest;
}

bool ProjectileBase::CanCollide(const Entity* other) const
{
    if (other == nullptr)
        return false;
    // Doors are looked up by name: they live with the fixed items, which know nothing of us.
    static const RTTI_ClassInfo* door = Object::classInfo.FindClass("FixedItemDoor");
    return DynamicCast<Decoration>(other) != nullptr || DynamicCast<Tile>(other) != nullptr ||
           (door != nullptr && other->GetClassInfo()->IsA(*door));
}

void ProjectileBase::CollisionCallback(const CollisionData& data)
{
    animationState = AnimationState_None;
    SetGravityEnabled(true);
    SetPhysicsType(0);
    gEngine->GetPhysicsEngine().RemoveEntityFromSimulation(this);
    if (Character* owner = GetOwner())
        owner->ProjectileCollisionCallback(info, data);
}

void ProjectileBase::DeleteProjectile()
{
    if (deleted)
        return;
    deleted = true;
    flightFx.ReleaseFx(GetCoords());
    if (World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr)
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, kProjectileBaseSource, __LINE__);
}

void ProjectileBase::LoadInfo(const ProjectileInfo& newInfo, uint32_t seed)
{
    info = newInfo;
    randomGen.Seed(seed);
}

void ProjectileBase::PlaySwipeSound(const WorldVec3& position)
{
    PlayTracked(swipeSound, position, GetObjectId());
}

void ProjectileBase::PlayHitSound(const WorldVec3& position)
{
    PlayAt(hitSound, position);
}

void ProjectileBase::PlayExplodingHitSound(const WorldVec3& position)
{
    PlayAt(explodingHitSound, position);
}

void ProjectileBase::PlayBounceSound(const WorldVec3& position)
{
    PlayTracked(bounceSound, position, GetObjectId());
}

void ProjectileBase::PlayDestructSound(const WorldVec3& position)
{
    PlayAt(destructSound, position);
}

void ProjectileBase::CreateImpactFx()
{
    SpawnImpactFx(impactFxName);
}

void ProjectileBase::CreateExploadingImpactFx()
{
    SpawnImpactFx(explodingImpactFxName);
}

void ProjectileBase::SpawnImpactFx(const std::string& name)
{
    EffectEntity* effect = LoadEffect(name);
    if (effect == nullptr)
        return;
    effect->StartEmitting();
    WorldCoords at = GetCoords();
    at.ClearRotation();
    // The world plays the impact out; one it refuses would be nobody's.
    if (!effect->AddToWorld(at, true))
        ObjectManager::Instance().DestroyObjectEx(effect, kProjectileBaseSource, __LINE__);
}

} // namespace GAME
