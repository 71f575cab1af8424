#pragma once

#include "engine/WorldFrustum.h"

#include <cstdint>
#include <map>
#include <memory>

namespace GAME {

// What each remote host sees: one frustum entry per host, which decides the entities sent to
// it. An entry may be taken away (while its player travels) and given back for a new place.
class NetworkEntityList {
public:
    struct FrustumEntry {
        int32_t host = 0;
        WorldFrustum frustum;
    };

    void SetFrustumEntry(int32_t host, const WorldFrustum& frustum);
    // Null when the host has none.
    const FrustumEntry* GetFrustumEntry(int32_t host) const;
    // The entry leaves the list; null when the host has none.
    std::unique_ptr<FrustumEntry> StealFrustumEntryOfHost(int32_t host);
    // Null is ignored.
    void ReturnFrustumEntry(std::unique_ptr<FrustumEntry> entry, const WorldFrustum& frustum);

    uint32_t GetStealCount() const { return stealCount; }
    uint32_t GetReturnCount() const { return returnCount; }
    void Clear() { entries.clear(); }

private:
    std::map<int32_t, std::unique_ptr<FrustumEntry>> entries;
    uint32_t stealCount = 0;
    uint32_t returnCount = 0;
};

} // namespace GAME
