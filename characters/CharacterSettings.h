#pragma once

namespace GAME {

// A per-difficulty float of the game settings record at the current difficulty; 0 without an
// entry.
float GetDefenseCapSetting(const char* key);

} // namespace GAME
