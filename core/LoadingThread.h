#pragma once

#include <cstdint>

namespace GAME {

// The thread that loaded the library; game logic runs only there.
extern const uint32_t gLoadingThreadId;

bool IsLoadingThread();

} // namespace GAME
