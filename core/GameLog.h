#pragma once

#include <cstdint>

namespace GAME {

// Category words of the engine's categorized log. The library only reads them; a host that wants
// a subsystem's trace sets its word and enables the same bits on the engine.
extern __attribute__((visibility("default"))) uint32_t gLogCombat;

} // namespace GAME
