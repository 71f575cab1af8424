#include "world/ProjectileTelekinesis.h"

#include "core/RandomHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/World.h"
#include "world/FxPak.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileTelekinesis, ProjectileBase);

namespace {

constexpr const char* kDefaultExplosion = "Records/Effects/Storm/LStrike_FxPak01.dbr";

} // namespace

ProjectileTelekinesis::~ProjectileTelekinesis() = default;

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
