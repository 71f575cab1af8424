#pragma once

#include <cstdint>

namespace GAME {

// The character's rag doll. Without a physics engine there is no body to throw; what exists is
// the impulse that hits and deaths hand it.
class CharacterRagDoll {
public:
    // The effect kind, then five floats of which the fourth is the strength.
    struct EffectData {
        int32_t kind = 2;
        float values[5] = {0.0f, 1.0f, 0.0f, 1.0f, 0.0f};
    };
};

} // namespace GAME
