#pragma once

#include "ai/ControllerPlayerState.h"

#include <cstdint>

namespace GAME {

// Walking to a clicked point. An order almost straight ahead waits until the walk nearly ends,
// so that a held button does not re-route at every frame.
class ControllerPlayerStateMoveTo : public ControllerPlayerState {
public:
    explicit ControllerPlayerStateMoveTo(ControllerPlayer* controller)
        : ControllerPlayerState(controller)
    {}
    ~ControllerPlayerStateMoveTo() override = default;

    static constexpr float kSameHeadingDegrees = 3.0f;
    static constexpr float kRemainingPathForNext = 2.5f;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override { SetState("Idle", ControllerAIStateData()); }
    void RequestMoveAction(bool flagA, bool flagB, const WorldVec3& point) override;

    const Vec3& GetHeading() const { return heading; }
    const WorldVec3& GetNextDestination() const { return nextDestination; }
    // The horizontal unit direction between the points; (0, 0, 0) when they coincide or
    // cannot be related.
    static Vec3 HorizontalDirection(const WorldVec3& from, const WorldVec3& to);

private:
    Vec3 heading;
    WorldVec3 nextDestination;
};

} // namespace GAME
