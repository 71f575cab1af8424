#pragma once

#include "engine/Vec3.h"

#include <cstdint>

namespace GAME {

// A position in the world: a region and a position relative to that region. Region 0 means
// "no region", the empty position.
class WorldVec3 {
public:
    WorldVec3() = default;
    WorldVec3(uint32_t regionId, const Vec3& position) : regionId(regionId), position(position) {}

    bool HasRegion() const { return regionId != 0; }
    uint32_t GetRegionId() const { return regionId; }
    const Vec3& GetRegionPosition() const { return position; }

    bool operator==(const WorldVec3& other) const
    {
        return regionId == other.regionId && position == other.position;
    }
    bool operator!=(const WorldVec3& other) const { return !(*this == other); }

private:
    uint32_t regionId = 0;
    Vec3 position;
};

} // namespace GAME
