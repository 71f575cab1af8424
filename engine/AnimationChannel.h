#pragma once

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
    std::vector<PlayRequest> playRequests;
};

} // namespace GAME
