#pragma once

#include "engine/Engine.h"

#include <algorithm>
#include <cstdint>

namespace GAME {

// A number read from a player's save, held within what the game can give it: a damaged value
// is told in one line naming the field and goes on at the nearer limit, so that it reaches no
// conversion or index outside its range.
inline int64_t HoldInSavedRange(const char* owner, const char* field, int64_t value, int64_t low,
                                int64_t high)
{
    const int64_t held = std::clamp(value, low, high);
    if (held != value)
        gEngine->Log(Engine::LogData, "%s: saved %s %lld lies outside %lld to %lld, held at %lld",
                     owner, field, static_cast<long long>(value), static_cast<long long>(low),
                     static_cast<long long>(high), static_cast<long long>(held));
    return held;
}

} // namespace GAME
