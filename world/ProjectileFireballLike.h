#pragma once

#include "world/ProjectileBase.h"

#include <cstdint>

namespace GAME {

// Flies straight at its target (or along its facing), reports what it passes through and
// stops at the first hit unless it pierces, at its range, or against scenery.
class ProjectileFireballLike : public ProjectileBase {
    GAME_DECLARE_CLASS(ProjectileFireballLike)

public:
    enum State : int32_t { State_None = 0, State_Flying = 1, State_Stopped = 2, State_Done = 3 };

    ProjectileFireballLike() = default;
    ~ProjectileFireballLike() override;

    void ProjectileGo() override;
    void UpdateSelf(int32_t elapsedMs) override;
    void CollisionCallback(const CollisionData& data) override;
    virtual void ProjectileStop();

    int32_t GetState() const { return state; }

private:
    // Closer than this to a point target, it keeps its launch facing.
    float aimThreshold = 2.0f;
    int32_t state = State_None;
};

} // namespace GAME
