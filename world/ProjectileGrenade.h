#pragma once

#include "world/ProjectileBase.h"

#include <cstdint>

namespace GAME {

// A lob that bounces under physics until it strikes a target on its path or comes to rest,
// then explodes. A harmless one hurts nothing before its first bounce.
class ProjectileGrenade : public ProjectileBase {
    GAME_DECLARE_CLASS(ProjectileGrenade)

public:
    enum State : int32_t { State_None = 0, State_Flying = 1, State_Bounced = 2, State_Done = 3 };

    ProjectileGrenade() = default;
    ~ProjectileGrenade() override;

    void Load(const LoadTable& table) override;
    void ProjectileGo() override;
    void UpdateSelf(int32_t elapsedMs) override;
    void CollisionCallback(const CollisionData& data) override;
    virtual void ProjectileStop();

    int32_t GetState() const { return state; }
    bool IsHarmlessInFlight() const { return harmlessInFlight; }

private:
    // True when something was hit or the grenade lies still.
    bool Detonate();

    int32_t state = State_None;
    bool harmlessInFlight = false;
};

} // namespace GAME
