#pragma once

#include "engine/Coords.h"
#include "engine/WorldVec3.h"

#include <cstdint>

namespace GAME {

class Region;

// A frame placed in the world: a region and a frame relative to it. Region 0 means "no region".
class WorldCoords {
public:
    WorldCoords() = default;
    WorldCoords(uint32_t regionId, const Coords& coords) : regionId(regionId), coords(coords) {}
    // An unrotated frame at the position.
    explicit WorldCoords(const WorldVec3& position);

    bool HasRegion() const { return regionId != 0; }
    uint32_t GetRegionId() const { return regionId; }
    // Null without a region or when the engine's world does not know it.
    Region* GetRegion() const;
    const Coords& GetRegionCoords() const { return coords; }
    void SetRegionCoords(const Coords& value) { coords = value; }

    WorldVec3 GetPosition() const { return WorldVec3(regionId, coords.origin); }
    // Takes the position's region too; the rotation stays.
    void SetPosition(const WorldVec3& position);

    // Placed at `from`, facing `to`. When no frame can be built (`to` is in a region that cannot
    // be related to from's, or lies on the up line through `from`) only the position changes.
    void LookAt(const WorldVec3& from, const WorldVec3& to, const Vec3& up);
    // The same, upright: the facing loses its component along `up`, so the frame never leans.
    void LookAtNoLean(const WorldVec3& from, const WorldVec3& to, const Vec3& up);
    // Turns the frame, its position included, by `radians` about the line through `point`
    // along `axis`. A point in a region that cannot be related to this one changes nothing.
    void RotateAroundPoint(const WorldVec3& point, float radians, const Vec3& axis);
    // Back to the unrotated axes, in place.
    void ClearRotation() { coords = Coords::FromTranslation(coords.origin); }

    bool operator==(const WorldCoords& other) const
    {
        return regionId == other.regionId && coords == other.coords;
    }
    bool operator!=(const WorldCoords& other) const { return !(*this == other); }

private:
    void Face(const WorldVec3& from, const WorldVec3& to, const Vec3& up, bool upright);

    uint32_t regionId = 0;
    Coords coords;
};

} // namespace GAME
