#pragma once

#include <cstdint>

namespace GAME {

// Why drawing of the world is off for a while. Each reason is switched on its own, so one part
// of the game cannot turn drawing back on under another. The first two are the host's.
enum RenderingDisable : int32_t {
    RenderingDisable_Loading = 0,
    RenderingDisable_Host = 1,
    RenderingDisable_Teleport = 2,
    RenderingDisable_Respawn = 3
};
constexpr int32_t kRenderingDisableCount = 4;

} // namespace GAME
