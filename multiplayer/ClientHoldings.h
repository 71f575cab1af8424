#pragma once

#include <cstddef>
#include <cstdint>

namespace GAME {

// What one client's machine made that the server holds now: live entities (its player, his
// pets, what else it placed), items (on the ground or carried) and portals. Counted from the
// objects themselves, so that a count falls as soon as a thing dies or is destroyed; the server
// refuses a client's creation that would pass a bound.
class ClientHoldings {
public:
    static constexpr size_t kMaxEntities = 64;
    static constexpr size_t kMaxItems = 256;
    static constexpr size_t kMaxPortals = 4;

    // Counts what the objects of `host` (their ids carry it) are now.
    static ClientHoldings Of(int host);
    // Whether `id` is one that the machine of `host` made (0 is nobody's).
    static bool Made(int host, uint32_t id);

    size_t entities = 0;
    size_t items = 0;
    size_t portals = 0;
};

} // namespace GAME
