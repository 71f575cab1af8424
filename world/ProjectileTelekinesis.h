#pragma once

#include "world/ProjectileBase.h"

#include <cstdint>

namespace GAME {

// A thrown object that lies in the level between uses. So far what the drop skill needs:
// falling from its launch point, exploding, and going once exploded.
class ProjectileTelekinesis : public ProjectileBase {
    GAME_DECLARE_CLASS(ProjectileTelekinesis)

public:
    enum State : int32_t {
        State_Idle = 0,
        State_Coming = 1,
        State_Flying = 2,
        State_Falling = 3,
        State_Exploded = 4,
        State_Removed = 5
    };

    ProjectileTelekinesis() = default;
    ~ProjectileTelekinesis() override;

    bool OccludesPathing() const override { return true; }
    void UpdateSelf(int32_t elapsedMs) override;
    WorldCoords GetFlightCoords() const override;
    virtual void ProjectileFall();
    virtual bool IsInUse() const { return state != State_Idle; }
    bool IsIdle() const { return state == State_Idle; }
    void Explode(bool withSound);

    int32_t GetState() const { return state; }

private:
    void CreateExplosionEffect();

    int32_t state = State_Idle;
};

} // namespace GAME
