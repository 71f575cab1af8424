#pragma once

#include "engine/GameTimer.h"
#include "world/ProjectileBase.h"

#include <cstdint>
#include <string>

namespace GAME {

// A cloud placed at the target that pulses on foes (and tells friendly skills of friends
// within reach) once a second for its duration.
class ProjectileAreaEffect : public ProjectileBase {
    GAME_DECLARE_CLASS(ProjectileAreaEffect)

public:
    enum State : int32_t { State_None = 0, State_Active = 1, State_Done = 2 };

    ProjectileAreaEffect() = default;
    ~ProjectileAreaEffect() override;

    void Load(const LoadTable& table) override;
    void ProjectileGo() override;
    // Always at the target point, where the cloud stands.
    void PlaySwipeSound(const WorldVec3& position) override;
    void UpdateSelf(int32_t elapsedMs) override;
    virtual void ProjectileStop();

    int32_t GetState() const { return state; }
    int32_t GetLifeCountdown() const { return lifeCountdown; }
    int32_t GetPulseCountdown() const { return pulseCountdown; }

private:
    void Pulse();

    int32_t pulseCountdown = 0; // ms
    int32_t lifeCountdown = 0;  // ms
    int32_t state = State_None;
    int32_t pulseInterval = 1000; // ms
    std::string areaEffectName;
    GameTimer timer;
};

} // namespace GAME
