#pragma once

#include "world/ProjectileFireballLike.h"

namespace GAME {

// A fireball that hugs the ground along its launch facing, easing back to the height it was
// launched at over the floor.
class ProjectileTerrainFollowing : public ProjectileFireballLike {
    GAME_DECLARE_CLASS(ProjectileTerrainFollowing)

public:
    ProjectileTerrainFollowing() = default;
    ~ProjectileTerrainFollowing() override;

    void LoadInfo(const ProjectileInfo& info, uint32_t seed) override;
    void ProjectileGo() override;
    void UpdateSelf(int32_t elapsedMs) override;

    float GetHoverHeight() const { return hoverHeight; }

private:
    float hoverHeight = 1.0f;
};

} // namespace GAME
