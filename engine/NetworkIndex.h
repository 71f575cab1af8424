#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// A record path as one word on the wire: its position among the database's sorted record paths,
// the same on every machine of a game. An unknown path gives kNoNetworkIndex, an unknown index "".
constexpr uint32_t kNoNetworkIndex = 0xFFFFFFFFu;
uint32_t StringToNetworkIndex(const std::string& recordPath);
std::string NetworkIndexToString(uint32_t index);

} // namespace GAME
