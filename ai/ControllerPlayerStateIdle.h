#pragma once

#include "ai/ControllerPlayerState.h"

#include <cstdint>

namespace GAME {

// Standing still; after a quiet while the player drops into "LongIdle".
class ControllerPlayerStateIdle : public ControllerPlayerState {
public:
    explicit ControllerPlayerStateIdle(ControllerPlayer* controller)
        : ControllerPlayerState(controller)
    {}
    ~ControllerPlayerStateIdle() override = default;

    static constexpr int32_t kMinIdleTime = 8000;
    static constexpr int32_t kMaxIdleTime = 12000;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    int32_t GetIdleCountdown() const { return idleCountdown; }

private:
    void DrawCountdown();

    int32_t idleCountdown = 0;
};

} // namespace GAME
