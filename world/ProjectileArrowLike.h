#pragma once

#include "world/ProjectileBase.h"

#include <cstdint>

namespace GAME {

// Flies straight, stops at its first target unless it pierces, and sticks in scenery it strikes
// until its miss time runs out.
class ProjectileArrowLike : public ProjectileBase {
    GAME_DECLARE_CLASS(ProjectileArrowLike)

public:
    enum State : int32_t { State_None = 0, State_Flying = 1, State_Stopped = 2, State_Done = 4 };

    ProjectileArrowLike() = default;
    ~ProjectileArrowLike() override;

    void ProjectileGo() override;
    void UpdateSelf(int32_t elapsedMs) override;
    void CollisionCallback(const CollisionData& data) override;
    // Still for this long, then gone.
    virtual void ProjectileStop(int32_t milliseconds);

    int32_t GetState() const { return state; }

private:
    float aimThreshold = 2.0f;
    int32_t state = State_None;
    int32_t stopCountdown = 0; // ms
};

} // namespace GAME
