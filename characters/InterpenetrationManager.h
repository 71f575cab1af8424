#pragma once

#include <cstdint>

namespace GAME {

class GameCamera;

// Pushes apart characters in view that stand inside one another. The host owns one and calls it
// once a frame with the current camera.
class InterpenetrationManager {
public:
    InterpenetrationManager();
    ~InterpenetrationManager();

    // The passes made (0 in the level editor, else 1 to 3), so callers can see whether the crowd
    // settled.
    int32_t FixupCharacterCollisions(const GameCamera& camera);

    static constexpr int32_t kMaxPasses = 3;
};

} // namespace GAME
