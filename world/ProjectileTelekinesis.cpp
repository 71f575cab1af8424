#include "world/ProjectileTelekinesis.h"

#include "characters/Character.h"
#include "core/RandomHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
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

constexpr const char* kDefaultExplosion = "Records/Effects/Storm/LStrike_FxPak01.dbr";

} // namespace

ProjectileTelekinesis::~ProjectileTelekinesis() = default;

void ProjectileTelekinesis::Load(const LoadTable& table)
{
    ProjectileBase::Load(table);
    initialImpactSound = table.GetString("initialImpactSound", "");
    explodeOnFirstImpact = table.GetBool("explodeOnFirstImpact", false);
}

void ProjectileTelekinesis::ProjectileCome(uint32_t caster)
{
    returnStartCoords = GetCoords();
    SetLastPosition(GetCoords().GetPosition());
    casterId = caster;
    state = State_Coming;
    allowanceCountdown = kAllowance;
    initialImpactPlayed = false;
}

void ProjectileTelekinesis::Release()
{
    if (!IsInUse())
        return;
    state = State_Idle;
    SetGravityEnabled(true);
    SetPhysicsType(kPhysicsTypeFlight);
}

void ProjectileTelekinesis::ProjectileStop(bool /*flag*/)
{
    SetGravityEnabled(true);
    SetPhysicsType(0);
    SetVelocity(Vec3());
    state = State_Idle;
    casterId = 0;
    knownTargets.clear();
}

void ProjectileTelekinesis::ProjectileGo()
{
    const auto* target = ObjectManager::Instance().GetObject<Character>(GetInfo().targetId);
    MoveToTarget(target != nullptr ? GetHitPoint(*target) : GetInfo().targetPoint);
    SetLastPosition(GetCoords().GetPosition());
    state = State_Flying;
    EditInfo().team.Set(1, 0);
    UpdateSelf(0);
}

void ProjectileTelekinesis::MoveToTarget(const WorldVec3& aim)
{
    SetGravityEnabled(false);
    SetPhysicsType(kPhysicsTypeFlight);
    WorldCoords coords = GetCoords();
    coords.LookAt(coords.GetPosition(), aim, Vec3(0.0f, 1.0f, 0.0f));
    if (World* world = gEngine->GetWorld(); world != nullptr && IsInWorld())
        world->SetCoords(this, coords);
    SetVelocity(GetCoords().GetRegionCoords().forward * GetVelocity());
    gEngine->GetPhysicsEngine().SetEntityAngularVelocity(this, GetCoords().GetRegionCoords().right *
                                                                   kSpin);
}

void ProjectileTelekinesis::FindAndProcessTargets(bool flying)
{
    const WorldCoords at = GetFlightCoords();
    const WorldVec3 position = at.GetPosition();
    const GameEngine& game = GameEngine::Get();
    std::vector<uint32_t> found;
    if (flying)
        game.GetAllTargetsInRadius(GetInfo().team, position, GetMeshBoundingRadius(), found,
                                   GetInfo().ownerId);
    else
        game.GetTargetsInRadius(GetInfo().team, position, GetMeshBoundingRadius(), found, 0, false);
    std::vector<uint32_t> fresh;
    FilterAndAddKnownTargets(found, knownTargets, fresh, false);
    if (fresh.empty())
        return;
    if (auto* skill = ObjectManager::Instance().GetObject<Skill>(GetInfo().skillId))
        skill->TargetInformation(GetInfo(), at, fresh);
    PlayHitSound(position);
}

void ProjectileTelekinesis::Land()
{
    state = State_Idle;
    casterId = 0;
    knownTargets.clear();
    CreateImpactFx();
}

void ProjectileTelekinesis::CollisionCallback(const CollisionData& /*data*/)
{
    if (!initialImpactPlayed) {
        initialImpactPlayed = true;
        if (!initialImpactSound.empty()) {
            if (auto* sound =
                    ObjectManager::Instance().CreateObjectFromFile<SoundPak>(initialImpactSound)) {
                sound->Play(GetCoords(), false, true);
                ObjectManager::Instance().DestroyObjectEx(
                    sound, "Project/Game/ProjectileTelekinesis", __LINE__);
            }
        }
    }
    if (state == State_Flying)
        Explode(true);
    else if (state == State_Falling && explodeOnFirstImpact)
        Explode(true);
    else if (state == State_Falling)
        Land();
}

void ProjectileTelekinesis::ProjectileFall()
{
    if (World* world = gEngine->GetWorld())
        world->AddEntity(this, GetInfo().launchCoords, false);
    SetGravityEnabled(true);
    SetPhysicsType(kPhysicsTypeFlight);
    SetVelocity(Vec3());
    // Spin is for show only: unseeded, machines need not agree on it.
    const float x = RandomFloat(-1.0f, 1.0f);
    const float y = RandomFloat(-1.0f, 1.0f);
    const float z = RandomFloat(-1.0f, 1.0f);
    gEngine->GetPhysicsEngine().SetEntityAngularVelocity(this, Vec3(x, y, z));
    SetLastPosition(GetCoords().GetPosition());
    state = State_Falling;
    EditInfo().team.Set(3, 0);
    UpdateSelf(0);
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
    if (state == State_Exploded) {
        state = State_Removed;
        DeleteProjectile();
    }
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

} // namespace GAME
