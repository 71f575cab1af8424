#include "world/ProjectileArrowLike.h"

#include "core/Saturate.h"
#include "engine/CollisionData.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileArrowLike, ProjectileBase);

namespace {

// How deep an arrow sinks into what it sticks in.
constexpr float kPenetration = 0.5f;

} // namespace

ProjectileArrowLike::~ProjectileArrowLike() = default;

void ProjectileArrowLike::ProjectileGo()
{
    AimStraight(BeginFlight(true, true), aimThreshold);
    EndFlightStart();
    state = State_Flying;
    UpdateSelf(0);
}

void ProjectileArrowLike::UpdateSelf(int32_t elapsedMs)
{
    ProjectileBase::UpdateSelf(elapsedMs);
    stopCountdown = AddSaturating(stopCountdown, -elapsedMs);
    if (state == State_Stopped) {
        if (stopCountdown <= 0) {
            GetFlightFx().StopFx();
            DeleteProjectile();
            state = State_Done;
        }
        return;
    }
    if (state == State_Flying && (StrikeAlongPath() || IsBeyondRange()))
        ProjectileStop(0);
}

void ProjectileArrowLike::CollisionCallback(const CollisionData& data)
{
    ProjectileBase::CollisionCallback(data);
    if (state == State_Flying)
        UpdateSelf(0);
    if (data.surface == CollisionData::kSurfaceEntity) {
        ProjectileStop(0);
        return;
    }
    ProjectileStop(static_cast<int32_t>(GetMissTime()));
    WorldCoords coords = GetCoords();
    WorldVec3 position = coords.GetPosition();
    position.TranslateInRegion(coords.GetRegionCoords().forward * kPenetration);
    coords.SetPosition(position);
    PlaceInWorld(coords);
}

void ProjectileArrowLike::ProjectileStop(int32_t milliseconds)
{
    SetVelocity(Vec3());
    stopCountdown = milliseconds;
    state = State_Stopped;
    GetFlightFx().StopFx();
}

} // namespace GAME
