#include "world/ProjectileFireballLike.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileFireballLike, ProjectileBase);

ProjectileFireballLike::~ProjectileFireballLike() = default;

void ProjectileFireballLike::ProjectileGo()
{
    ProjectileBase::ProjectileGo();
    const ProjectileInfo& info = GetInfo();
    if (World* world = gEngine->GetWorld())
        world->AddEntity(this, info.launchCoords, true);
    const Character* target = ObjectManager::Instance().GetObject<Character>(info.targetId);
    WorldVec3 aim = info.targetPoint;
    if (target != nullptr)
        aim = GetHitPoint(*target);
    else
        aim.TranslateInRegion(Vec3(0.0f, 1.0f, 0.0f));
    Vec3 there;
    const WorldVec3 from = info.launchCoords.GetPosition();
    const bool related = aim.GetPositionInRegion(from.GetRegionId(), there);
    if (target != nullptr ||
        (related && (there - from.GetRegionPosition()).Length() > aimThreshold))
        MoveStraightLine(aim);
    else
        MoveStraightLine();
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

    const ProjectileInfo& info = GetInfo();
    const float roll = GetRandomGen().FGenerate(0.1f, 100.0f);
    const bool piercing = roll < GetPiercingModifier(info.skillId) + info.piercingChance;
    std::vector<uint32_t> hits;
    ProcessPathTargets(!piercing, hits);

    bool anyExploded = false;
    for (uint32_t id : hits) {
        if (ObjectManager::Instance().GetObject<Actor>(id) == nullptr)
            continue;
        WorldCoords at = GetCoords();
        const bool exploded = ProcessExplosion(false, at);
        anyExploded = anyExploded || exploded;
        if (exploded)
            PlayExplodingHitSound(at.GetPosition());
        else
            PlayHitSound(at.GetPosition());
        ProcessFragmentation(id, at);
    }
    if (!hits.empty()) {
        if (anyExploded)
            CreateExploadingImpactFx();
        else
            CreateImpactFx();
        if (!piercing) {
            ProjectileStop();
            return;
        }
    }
    Vec3 here;
    const WorldVec3 launch = info.launchCoords.GetPosition();
    if (GetCoords().GetPosition().GetPositionInRegion(launch.GetRegionId(), here) &&
        (here - launch.GetRegionPosition()).Length() >= GetDistance()) {
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
    state = State_Stopped;
}

} // namespace GAME
