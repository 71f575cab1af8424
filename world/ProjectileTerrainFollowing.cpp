#include "world/ProjectileTerrainFollowing.h"

#include "core/MathUtils.h"
#include "engine/Engine.h"
#include "engine/World.h"

#include <cmath>

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileTerrainFollowing, ProjectileFireballLike);

namespace {

// Within this share above the hover height the projectile snaps back to it; beyond, it eases.
constexpr float kSnapBand = 1.25f;
constexpr float kEase = 0.75f;

float FloorUnder(const WorldVec3& point)
{
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    return world != nullptr ? world->GetNearestFloorHeight(point)
                            : std::numeric_limits<float>::infinity();
}

} // namespace

ProjectileTerrainFollowing::~ProjectileTerrainFollowing() = default;

void ProjectileTerrainFollowing::LoadInfo(const ProjectileInfo& info, uint32_t seed)
{
    ProjectileFireballLike::LoadInfo(info, seed);
    EditInfo().targetPoint = info.launchCoords.GetPosition();
}

void ProjectileTerrainFollowing::ProjectileGo()
{
    ProjectileFireballLike::ProjectileGo();
    const WorldVec3 launch = GetInfo().launchCoords.GetPosition();
    const float floor = FloorUnder(launch);
    if (std::isfinite(floor))
        hoverHeight = launch.GetRegionPosition().y - floor;
}

void ProjectileTerrainFollowing::UpdateSelf(int32_t elapsedMs)
{
    WorldCoords coords = GetCoords();
    const float floor = FloorUnder(coords.GetPosition());
    if (std::isfinite(floor)) {
        const float h = coords.GetRegionCoords().origin.y - floor;
        const float height = Abs(h) <= hoverHeight * kSnapBand
                                 ? hoverHeight
                                 : (h - hoverHeight) * kEase + hoverHeight;
        Vec3 position = coords.GetRegionCoords().origin;
        position.y = floor + height;
        coords.SetPosition(WorldVec3(coords.GetRegionId(), position));
        PlaceInWorld(coords);
    }
    ProjectileFireballLike::UpdateSelf(elapsedMs);
}

} // namespace GAME
