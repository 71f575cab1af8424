// Any datagram as the transport reads it before ENet does, for the longest message its fragments
// announce: every command's size is checked against the bytes left, and nothing is read past
// them.
#include "engine/ConnectionManager.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static_cast<void>(GAME::ConnectionManager::LongestAnnounced(data, size));
    return 0;
}
