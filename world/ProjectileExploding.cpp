#include "world/ProjectileExploding.h"

#include "core/MathUtils.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileExploding, ProjectileBase);

ProjectileExploding::~ProjectileExploding() = default;

void ProjectileExploding::ProjectileGo()
{
    MoveTrajectory(BeginFlight(false, false), DegreesToRadians(GetLaunchAngle()), true);
    EndFlightStart();
    state = State_Flying;
    UpdateSelf(0);
}

void ProjectileExploding::CollisionCallback(const CollisionData& data)
{
    ProjectileBase::CollisionCallback(data);
    ProjectileStop();
}

void ProjectileExploding::ProjectileStop()
{
    SetVelocity(Vec3());
    GetFlightFx().StopFx();
    CreateImpactFx();
    state = State_Landed;
}

void ProjectileExploding::UpdateSelf(int32_t elapsedMs)
{
    ProjectileBase::UpdateSelf(elapsedMs);
    if (state != State_Landed)
        return;
    WorldCoords at = GetCoords();
    PlayHitSound(at.GetPosition());
    if (ProcessExplosion(true, at)) {
        PlayExplodingHitSound(at.GetPosition());
        CreateExploadingImpactFx();
    }
    ProcessFragmentation(0, at);
    DeleteProjectile();
    state = State_Done;
}

} // namespace GAME
