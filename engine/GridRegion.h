#pragma once

#include "engine/Frustum.h"
#include "engine/Vec3.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace GAME {

// The lattice of an underground level: cells of one spacing, with the walls between them. The
// two horizontal axes have 2N + 1 entries (cells at odd indices, walls at even ones), the
// vertical axis one per storey; a nonzero value is solid. Nothing is drawn here: the frustums
// whose walls should show transparent are recorded.
class GridRegion {
public:
    GridRegion(const Vec3& cellSpacing, int32_t cellsX, int32_t storeys, int32_t cellsZ);

    const Vec3& GetCellSpacing() const { return spacing; }
    int32_t GetSizeX() const { return sizeX; }
    int32_t GetSizeY() const { return sizeY; }
    int32_t GetSizeZ() const { return sizeZ; }
    // 0 outside the lattice.
    uint8_t GetValue(int32_t x, int32_t y, int32_t z) const;
    void SetValue(int32_t x, int32_t y, int32_t z, uint8_t value);
    bool IsInside(int32_t x, int32_t y, int32_t z) const
    {
        return x >= 0 && y >= 0 && z >= 0 && x < sizeX && y < sizeY && z < sizeZ;
    }

    void UpdateTransparency(const Frustum& frustum) { transparencyUpdates.push_back(frustum); }
    const std::vector<Frustum>& GetTransparencyUpdates() const { return transparencyUpdates; }
    void ClearTransparencyUpdates() { transparencyUpdates.clear(); }

private:
    size_t Index(int32_t x, int32_t y, int32_t z) const;

    Vec3 spacing;
    int32_t sizeX;
    int32_t sizeY;
    int32_t sizeZ;
    std::vector<uint8_t> values;
    std::vector<Frustum> transparencyUpdates;
};

// What a region's level holds beyond its floor: so far its lattice, when it has one.
class Level {
public:
    GridRegion* GetGridRegion() const { return gridRegion.get(); }
    void SetGridRegion(std::unique_ptr<GridRegion> grid) { gridRegion = std::move(grid); }

private:
    std::unique_ptr<GridRegion> gridRegion;
};

} // namespace GAME
