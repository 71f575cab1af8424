#pragma once

#include "world/ProjectileBase.h"

#include <cstdint>

namespace GAME {

// A lob that flies an arc, checks nothing on the way and bursts where it lands.
class ProjectileExploding : public ProjectileBase {
    GAME_DECLARE_CLASS(ProjectileExploding)

public:
    enum State : int32_t { State_None = 0, State_Flying = 1, State_Landed = 2, State_Done = 3 };

    ProjectileExploding() = default;
    ~ProjectileExploding() override;

    void ProjectileGo() override;
    void UpdateSelf(int32_t elapsedMs) override;
    void CollisionCallback(const CollisionData& data) override;
    virtual void ProjectileStop();

    int32_t GetState() const { return state; }

private:
    int32_t state = State_None;
};

} // namespace GAME
