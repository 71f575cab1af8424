#pragma once

#include "engine/BoundedLog.h"

#include <cstddef>
#include <cstdint>

namespace GAME {

class GraphicsAnim;

// One of an actor's animation channels: what it plays now and its latest play requests in order
// (an idle actor replays its animation for as long as it stands, so not every one is kept).
struct AnimationChannel {
    struct PlayRequest {
        GraphicsAnim* animation = nullptr;
        bool keepPlaying = false;
        float speed = 0.0f;
        int32_t blendTimeMs = 0;
    };

    GraphicsAnim* animation = nullptr;
    bool keepPlaying = false;
    float speed = 0.0f;
    int32_t blendTimeMs = 0;
    float speedMultiplier = 1.0f;
    // The play position in milliseconds of the animation's own time, the first of its events
    // not yet raised in this pass, and whether "End" has been raised.
    double timeMs = 0.0;
    size_t nextEvent = 0;
    bool ended = false;
    BoundedLog<PlayRequest> playRequests{16};
};

} // namespace GAME
