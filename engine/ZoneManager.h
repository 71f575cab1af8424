#pragma once

#include <cstdint>
#include <map>

namespace GAME {

// Which act of the story each region belongs to, as the level data says.
class ZoneManager {
public:
    static ZoneManager& Instance();

    void SetActForRegion(uint32_t regionId, int32_t act) { acts[regionId] = act; }
    // 0 for a region no act claims.
    int32_t GetActFromRegion(uint32_t regionId) const;
    void Clear() { acts.clear(); }

private:
    std::map<uint32_t, int32_t> acts;
};

} // namespace GAME
