#pragma once

#include <cstddef>
#include <cstdint>

namespace GAME {

// The common 32-bit checksum (reflected polynomial 0xEDB88320, all-ones start and finish), as
// zip and PNG use it: quest state remembers the checksum of the design it was written against.
uint32_t Crc32(const void* data, size_t size);

} // namespace GAME
