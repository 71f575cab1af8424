#include "engine/OBBox.h"

#include "engine/Platform.h"

#include <cstdint>

namespace GAME {

namespace {

float RandomCoordinate(float extent)
{
    // An infinite or NaN extent has no face to fall back on; the centre keeps the point usable.
    if (!IsFinite(extent))
        return 0.0f;
    const float steps = 2.0f * extent * 1000.0f;
    // A flat or inverted box has no step to draw from: the point stays on its -e face, and
    // no draw is spent.
    if (!(steps >= 1.0f))
        return -extent;
    const int count = steps >= 2147483648.0f ? INT32_MAX : static_cast<int>(steps);
    return static_cast<float>(Platform::Rand() % count) * 0.001f - extent;
}

} // namespace

ABBox OBBox::GetAxisAlignedBox() const
{
    const Vec3 half = ComponentAbs(coords.right * extents.x) + ComponentAbs(coords.up * extents.y) +
                      ComponentAbs(coords.forward * extents.z);
    return ABBox::FromCenterAndExtents(coords.origin, half);
}

Vec3 OBBox::GetRandomPoint() const
{
    const float x = RandomCoordinate(extents.x);
    const float y = RandomCoordinate(extents.y);
    const float z = RandomCoordinate(extents.z);
    return coords.TransformPoint({x, y, z});
}

} // namespace GAME
