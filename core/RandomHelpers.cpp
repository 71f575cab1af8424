#include "core/RandomHelpers.h"

#include "engine/Platform.h"

#include <cstdint>

namespace GAME {

float RandomFloat(float min, float max)
{
    // The single-precision constant nearest 1 / 32767.
    return static_cast<float>(Platform::Rand()) * 3.051851e-5f * (max - min) + min;
}

int RandomInt(int min, int max)
{
    if (max < min) {
        const int swap = min;
        min = max;
        max = swap;
    }
    const int64_t range = static_cast<int64_t>(max) - min + 1;
    return static_cast<int>(min + Platform::Rand() % range);
}

} // namespace GAME
