#include "engine/GridRegion.h"

#include <algorithm>

namespace GAME {

GridRegion::GridRegion(const Vec3& cellSpacing, int32_t cellsX, int32_t storeys, int32_t cellsZ)
    : spacing(cellSpacing), sizeX(2 * std::clamp(cellsX, 0, 4096) + 1),
      sizeY(std::clamp(storeys, 0, 256)), sizeZ(2 * std::clamp(cellsZ, 0, 4096) + 1),
      values(static_cast<size_t>(sizeX) * static_cast<size_t>(sizeY) * static_cast<size_t>(sizeZ),
             0)
{}

size_t GridRegion::Index(int32_t x, int32_t y, int32_t z) const
{
    return (static_cast<size_t>(y) * static_cast<size_t>(sizeZ) + static_cast<size_t>(z)) *
               static_cast<size_t>(sizeX) +
           static_cast<size_t>(x);
}

uint8_t GridRegion::GetValue(int32_t x, int32_t y, int32_t z) const
{
    return IsInside(x, y, z) ? values[Index(x, y, z)] : 0;
}

void GridRegion::SetValue(int32_t x, int32_t y, int32_t z, uint8_t value)
{
    if (IsInside(x, y, z))
        values[Index(x, y, z)] = value;
}

} // namespace GAME
