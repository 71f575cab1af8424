#include "world/ProjectileTelekinesis.h"

#include "characters/Character.h"
#include "core/RandomHelpers.h"
#include "engine/CollisionData.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/OBBox.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"
#include "world/FxPak.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileTelekinesis, ProjectileBase);

namespace {

constexpr const char* kProjectileTelekinesisSource = "Project/Game/ProjectileTelekinesis";
constexpr const char* kDefaultExplosion = "Records/Effects/Storm/LStrike_FxPak01.dbr";
constexpr Vec3 kCarryUp{0.0f, 1.0f, 0.0f};
constexpr float kThrowSpin = 8.0f;

} // namespace

ProjectileTelekinesis::~ProjectileTelekinesis()
{
    RemovePathObstacle();
    ObjectManager::Instance().DestroyObjectEx(initialImpactSound, kProjectileTelekinesisSource,
                                              __LINE__);
}

void ProjectileTelekinesis::Load(const LoadTable& table)
{
    ProjectileBase::Load(table);
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(initialImpactSound, kProjectileTelekinesisSource, __LINE__);
    const std::string sound = table.GetString("initialImpactSound", "");
    initialImpactSound = sound.empty() ? nullptr : objects.CreateObjectFromFile<SoundPak>(sound);
    explodeOnFirstImpact = table.GetBool("explodeOnFirstImpact", false);
}

void ProjectileTelekinesis::PreLoad(bool flag)
{
    ProjectileBase::PreLoad(flag);
    if (initialImpactSound != nullptr)
        initialImpactSound->PreLoad(flag);
}

void ProjectileTelekinesis::BeginMove(int32_t newState)
{
    SetLastPosition(GetCoords().GetPosition());
    GetFlightFx().StartFx();
    StartLaunchAnimation();
    state = newState;
}

void ProjectileTelekinesis::ProjectileGo()
{
    const ProjectileInfo& info = GetInfo();
    const Character* target = ObjectManager::Instance().GetObject<Character>(info.targetId);
    MoveToTarget(target != nullptr ? GetHitPoint(*target) : info.targetPoint);
    BeginMove(State_Flying);
    EditInfo().team.Set(1, 0);
    UpdateSelf(0);
}

void ProjectileTelekinesis::MoveToTarget(const WorldVec3& aim)
{
    SetGravityEnabled(false);
    StartPhysicsFlight();
    WorldCoords coords = GetCoords();
    coords.LookAt(coords.GetPosition(), aim, kCarryUp);
    PlaceInWorld(coords);
    SetVelocity(GetCoords().GetRegionCoords().forward * GetVelocity());
    gEngine->GetPhysicsEngine().SetEntityAngularVelocity(this, GetCoords().GetRegionCoords().right *
                                                                   kThrowSpin);
}

void ProjectileTelekinesis::ProjectileFall()
{
    if (World* world = gEngine->GetWorld())
        world->AddEntity(this, GetInfo().launchCoords, true);
    SetGravityEnabled(true);
    StartPhysicsFlight();
    SetVelocity(Vec3());
    // Spin is for show only: unseeded, machines need not agree on it.
    const float x = RandomFloat(-1.0f, 1.0f);
    const float y = RandomFloat(-1.0f, 1.0f);
    const float z = RandomFloat(-1.0f, 1.0f);
    gEngine->GetPhysicsEngine().SetEntityAngularVelocity(this, Vec3(x, y, z));
    BeginMove(State_Falling);
    EditInfo().team.Set(3, 0);
    UpdateSelf(0);
}

void ProjectileTelekinesis::ProjectileCome(uint32_t caster)
{
    returnStartCoords = GetCoords();
    BeginMove(State_Coming);
    casterId = caster;
    allowanceCountdown = timeAllowance;
    initialImpactPlayed = false;
}

void ProjectileTelekinesis::Release()
{
    if (!IsInUse())
        return;
    state = State_Idle;
    SetGravityEnabled(true);
    StartPhysicsFlight();
}

void ProjectileTelekinesis::ProjectileStop(bool)
{
    SetGravityEnabled(true);
    SetPhysicsType(0);
    SetVelocity(Vec3());
    GetFlightFx().StopFx();
    state = State_Idle;
    casterId = 0;
    knownTargets.clear();
}

// No base callback: a thrown object stays with the physics until it explodes or lies still.
void ProjectileTelekinesis::CollisionCallback(const CollisionData&)
{
    if (!initialImpactPlayed) {
        initialImpactPlayed = true;
        if (initialImpactSound != nullptr)
            initialImpactSound->Play(WorldCoords(GetCoords().GetPosition()), false, true);
    }
    if (state == State_Flying || (state == State_Falling && explodeOnFirstImpact)) {
        Explode(true);
    } else if (state == State_Falling) {
        GetFlightFx().StopFx();
        state = State_Idle;
        casterId = 0;
        knownTargets.clear();
        CreateImpactFx();
    }
}

void ProjectileTelekinesis::Explode(bool withSound)
{
    SetVisibility(false);
    SetVelocity(Vec3());
    SetGravityEnabled(false);
    SetPhysicsType(0);
    CreateExplosionEffect();
    if (withSound)
        PlayExplodingHitSound(GetFlightCoords().GetPosition());
    state = State_Exploded;
}

void ProjectileTelekinesis::UpdateSelf(int32_t elapsedMs)
{
    ProjectileBase::UpdateSelf(elapsedMs);
    if (state == State_Flying || state == State_Falling)
        FindAndProcessTargets(state == State_Flying);
    UpdatePathObstacle();
    if (state == State_Exploded) {
        state = State_Removed;
        RemovePathObstacle();
        DeleteProjectile();
    }
}

void ProjectileTelekinesis::UpdatePathObstacle()
{
    if (IsInUse() || IsSimulationEnabled())
        RemovePathObstacle();
    else if (pathObstacles.empty())
        CreatePathObstacle();
}

void ProjectileTelekinesis::FindAndProcessTargets(bool flying)
{
    if (gGameEngine == nullptr)
        return;
    const ProjectileInfo& info = GetInfo();
    const WorldCoords at = GetFlightCoords();
    std::vector<uint32_t> found;
    if (flying)
        gGameEngine->GetAllTargetsInRadius(info.team, at.GetPosition(), GetMeshBoundingRadius(),
                                           found, info.ownerId);
    else
        gGameEngine->GetTargetsInRadius(info.team, at.GetPosition(), GetMeshBoundingRadius(), found,
                                        0, false);
    std::vector<uint32_t> fresh;
    FilterAndAddKnownTargets(found, knownTargets, fresh, false);
    if (fresh.empty())
        return;
    if (Skill* skill = ObjectManager::Instance().GetObject<Skill>(info.skillId))
        skill->TargetInformation(info, at, fresh);
    PlayHitSound(at.GetPosition());
}

WorldCoords ProjectileTelekinesis::GetFlightCoords() const
{
    WorldCoords coords = GetCoords();
    WorldVec3 position = coords.GetPosition();
    position.TranslateInRegion(GetCenterOfMass());
    coords.SetPosition(position);
    return coords;
}

void ProjectileTelekinesis::CreateExplosionEffect()
{
    ObjectManager& objects = ObjectManager::Instance();
    std::string name;
    if (!GetObjectName().empty())
        name = objects.GetLoadTable(GetObjectName()).GetString("explosionEffect", "");
    if (name.empty())
        name = kDefaultExplosion;
    auto* effect = objects.CreateObjectFromFile<FxPak>(name, 0, true);
    World* world = gEngine->GetWorld();
    if (effect == nullptr || world == nullptr)
        return;
    WorldCoords at = GetCoords();
    at.ClearRotation();
    world->AddEntity(effect, at, true);
}

void ProjectileTelekinesis::CreatePathObstacle()
{
    RemovePathObstacle();
    const OBBox box(GetRegionBoundingBox());
    auto obstacle = DynamicObstacle::Create(GetCoords().GetRegionId(), box);
    if (obstacle == nullptr)
        return;
    obstacle->Attach();
    pathObstacles.push_back(std::move(obstacle));
}

void ProjectileTelekinesis::RemovePathObstacle()
{
    for (const std::unique_ptr<DynamicObstacle>& obstacle : pathObstacles)
        obstacle->Detach();
    pathObstacles.clear();
}

} // namespace GAME
