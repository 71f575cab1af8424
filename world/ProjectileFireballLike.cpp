#include "world/ProjectileFireballLike.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileFireballLike, ProjectileBase);

ProjectileFireballLike::~ProjectileFireballLike() = default;

void ProjectileFireballLike::ProjectileGo()
{
    AimStraight(BeginFlight(true, true), aimThreshold);
    EndFlightStart();
    state = State_Flying;
    UpdateSelf(0);
}

void ProjectileFireballLike::UpdateSelf(int32_t elapsedMs)
{
    ProjectileBase::UpdateSelf(elapsedMs);
    if (state == State_Stopped) {
        state = State_Done;
        DeleteProjectile();
        return;
    }
    if (state != State_Flying)
        return;
    if (StrikeAlongPath()) {
        ProjectileStop();
    } else if (IsBeyondRange()) {
        PlayDestructSound(GetCoords().GetPosition());
        ProjectileStop();
    }
}

void ProjectileFireballLike::CollisionCallback(const CollisionData& data)
{
    ProjectileBase::CollisionCallback(data);
    if (state == State_Flying)
        UpdateSelf(0);
    PlayDestructSound(GetCoords().GetPosition());
    ProjectileStop();
}

void ProjectileFireballLike::ProjectileStop()
{
    SetVelocity(Vec3());
    GetFlightFx().StopFx();
    state = State_Stopped;
}

} // namespace GAME
