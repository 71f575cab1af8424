#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace GAME {

class GraphicsAnim;

// One of an actor's animation channels: what it plays now and every play request in order.
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
    std::vector<PlayRequest> playRequests;
};

} // namespace GAME
