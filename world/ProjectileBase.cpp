#include "world/ProjectileBase.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "core/Helpers.h"
#include "engine/CollisionData.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/SoundPak.h"
#include "engine/Tile.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "world/Decoration.h"

#include <limits>

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileBase, Actor);

namespace {

constexpr const char* kSourceFile = "Project/Game/ProjectileBase";
constexpr float kGravity = 9.8f;

SoundPak* LoadSound(const LoadTable& table, const char* key)
{
    const std::string name = table.GetString(key, "");
    return name.empty() ? nullptr : ObjectManager::Instance().CreateObjectFromFile<SoundPak>(name);
}

EffectEntity* LoadEffect(const std::string& name)
{
    return name.empty() ? nullptr
                        : ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(name);
}

// Seconds in the record, whole milliseconds here (truncated toward zero).
int32_t LoadMilliseconds(const LoadTable& table, const char* key)
{
    return static_cast<int32_t>(table.GetFloat(key, 0.0f) * 1000.0f);
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
    DestroySounds();
    DestroyImpactFx();
}

void ProjectileBase::DestroySounds()
{
    for (SoundPak** sound :
         {&hitSound, &explodingHitSound, &swipeSound, &bounceSound, &destructSound}) {
        ObjectManager::Instance().DestroyObjectEx(*sound, kSourceFile, __LINE__);
        *sound = nullptr;
    }
}

void ProjectileBase::DestroyImpactFx()
{
    for (EffectEntity** effect : {&impactFx, &explodingImpactFx}) {
        ObjectManager::Instance().DestroyObjectEx(*effect, kSourceFile, __LINE__);
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
    hitSound = LoadSound(table, "projectileHitSound");
    explodingHitSound = LoadSound(table, "projectileExplodingHitSound");
    swipeSound = LoadSound(table, "projectileSwipeSound");
    bounceSound = LoadSound(table, "projectileBounceSound");
    destructSound = LoadSound(table, "projectileDestructSound");
    launchAngle = table.GetFloat("launchAngle", 0.0f);
    notificationRadius = table.GetFloat("notificationRadius", 5.0f);
    weaponTrailName = table.GetString("projectileWeaponTrail", "");
    DestroyImpactFx();
    impactFxName = table.GetString("projectileImpactFX", "");
    explodingImpactFxName = table.GetString("projectileExplodingImpactFX", "");
    impactFx = LoadEffect(impactFxName);
    explodingImpactFx = LoadEffect(explodingImpactFxName);
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
}

void ProjectileBase::UpdateSelf(int32_t elapsedMs)
{
    Actor::UpdateSelf(elapsedMs);
    AdvanceFlight(elapsedMs);
    // The first update belongs to the weapon trails, which are not drawn here.
    if (trailRefreshPending != 0) {
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

// Nothing here simulates physics, so the projectile carries itself along its velocity.
void ProjectileBase::AdvanceFlight(int32_t elapsedMs)
{
    if (deleted || elapsedMs <= 0 || GetPhysicsType() != kPhysicsTypeFlight || !IsInWorld())
        return;
    const float ms = static_cast<float>(elapsedMs);
    if (gravityEnabled)
        flightVelocity.y -= kGravity * ms / 1000.0f;
    // Multiplied before dividing, so whole speeds over whole frames land exactly.
    const Vec3 step(flightVelocity.x * ms / 1000.0f, flightVelocity.y * ms / 1000.0f,
                    flightVelocity.z * ms / 1000.0f);
    WorldCoords coords = GetCoords();
    WorldVec3 position = coords.GetPosition();
    position.Translate(step);
    coords.SetPosition(position);
    gEngine->GetWorld()->SetCoords(this, coords);
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
    return DynamicCast<Decoration>(other) != nullptr || DynamicCast<Tile>(other) != nullptr;
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
    if (World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr)
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, kSourceFile, __LINE__);
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
    effect->AddToWorld(at, true);
}

} // namespace GAME
