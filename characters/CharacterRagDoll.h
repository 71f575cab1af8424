#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// The character's rag doll. Without a physics engine there is no body to throw; what exists is
// the impulse that hits and deaths hand it.
class CharacterRagDoll {
public:
    // The effect kind, then five floats: the direction, the speed and the amplification.
    struct EffectData {
        static constexpr int32_t kSpeed = 3;
        int32_t kind = 2;
        float values[5] = {0.0f, 1.0f, 0.0f, 1.0f, 0.0f};
    };

    // "Crumple" 0, "TakeHit" 1, any other text 2 (random); exact and case-sensitive.
    static int32_t GetEffectEnum(const std::string& text)
    {
        if (text == "Crumple")
            return 0;
        if (text == "TakeHit")
            return 1;
        return 2;
    }
};

} // namespace GAME
