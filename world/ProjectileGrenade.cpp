#include "world/ProjectileGrenade.h"

#include "core/MathUtils.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"

#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileGrenade, ProjectileBase);

ProjectileGrenade::~ProjectileGrenade() = default;

void ProjectileGrenade::Load(const LoadTable& table)
{
    ProjectileBase::Load(table);
    harmlessInFlight = table.GetBool("harmlessInFlight", false);
}

void ProjectileGrenade::ProjectileGo()
{
    MoveTrajectory(BeginFlight(false, false), DegreesToRadians(GetLaunchAngle()), true);
    EndFlightStart();
    state = State_Flying;
    UpdateSelf(0);
}

// No base callback: the grenade stays with the physics and keeps bouncing.
void ProjectileGrenade::CollisionCallback(const CollisionData&)
{
    if (state == State_Flying)
        PlayBounceSound(GetCoords().GetPosition());
    if (state == State_Flying || state == State_Bounced)
        state = State_Bounced;
}

void ProjectileGrenade::UpdateSelf(int32_t elapsedMs)
{
    ProjectileBase::UpdateSelf(elapsedMs);
    const bool idle = (state == State_Flying && harmlessInFlight) ||
                      (state != State_Flying && state != State_Bounced);
    if (idle) {
        SetLastPosition(GetFlightCoords().GetPosition());
        return;
    }
    if (Detonate())
        ProjectileStop();
}

bool ProjectileGrenade::Detonate()
{
    std::vector<uint32_t> hits;
    ProcessPathTargets(true, hits);
    for (uint32_t id : hits) {
        const Actor* actor = ObjectManager::Instance().GetObject<Actor>(id);
        if (actor == nullptr)
            continue;
        WorldCoords at = actor->GetCoords();
        if (ProcessExplosion(false, at)) {
            PlayExplodingHitSound(at.GetPosition());
            CreateExploadingImpactFx();
        } else {
            PlayHitSound(at.GetPosition());
        }
        ProcessFragmentation(id, at);
    }
    if (!hits.empty())
        return true;
    if (state != State_Bounced || IsSimulationEnabled())
        return false;
    WorldCoords at = GetCoords();
    if (ProcessExplosion(false, at)) {
        PlayExplodingHitSound(at.GetPosition());
        CreateExploadingImpactFx();
    }
    ProcessFragmentation(0, at);
    return true;
}

void ProjectileGrenade::ProjectileStop()
{
    SetVelocity(Vec3());
    GetFlightFx().StopFx();
    CreateImpactFx();
    DeleteProjectile();
    state = State_Done;
}

} // namespace GAME
