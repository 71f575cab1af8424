#pragma once

#include "engine/Vec3.h"

#include <cstdint>

namespace GAME {

class Region;
class World;

// A position in the world: a region and a position relative to that region. Region 0 means
// "no region", the empty position. The operations that need the regions ask the engine's
// world; without a world, or with a region it does not know, they fail and change nothing.
class WorldVec3 {
public:
    WorldVec3() = default;
    WorldVec3(uint32_t regionId, const Vec3& position) : regionId(regionId), position(position) {}

    bool HasRegion() const { return regionId != 0; }
    uint32_t GetRegionId() const { return regionId; }
    // Null without a region or when the engine's world does not know it.
    Region* GetRegion() const;
    const Vec3& GetRegionPosition() const { return position; }
    void SetRegionPosition(const Vec3& value) { position = value; }

    // This position relative to another region, through the two regions' offsets from the
    // world. Within one region it is the position itself, asked of no world. False when either
    // side has no region or, across regions, when the world does not know one of them.
    bool GetPositionInRegion(uint32_t otherRegionId, Vec3& out) const;
    bool GetPositionInRegion(uint32_t otherRegionId, Vec3& out, const World* world) const;

    // Moves by the offset and, when the new point has left the region for another one that
    // contains it, re-homes it there (the region of lowest id among several). A point that no
    // other region contains stays in its own, even outside its bounds.
    void Translate(const Vec3& offset);
    // Moves by the offset and stays in the region whatever the bounds say.
    void TranslateInRegion(const Vec3& offset) { position += offset; }
    // Drops (or lifts) the point onto its region's floor. False, unchanged, when the region is
    // unknown or has no floor under the point.
    bool PutOnFloor();
    // Translate, then PutOnFloor; on failure the point is left as it was before the move.
    bool TranslateToFloor(const Vec3& offset);
    // The same against the given world rather than the engine's, each region looked up once.
    bool TranslateToFloor(const Vec3& offset, const World& world);

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
