#pragma once

#include <cstdint>

namespace GAME {

// Byte formats (level state, save streams, packets) are little-endian whatever the machine.
inline uint16_t LoadLittleEndian16(const uint8_t* b)
{
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

inline uint32_t LoadLittleEndian32(const uint8_t* b)
{
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

} // namespace GAME
