#include "engine/Quaternion.h"

#include "core/MathUtils.h"

namespace GAME {

void Quaternion::Normalize()
{
    const float length = Sqrt(Dot(*this, *this));
    if (!(length > 0.0f))
        return;
    x /= length;
    y /= length;
    z /= length;
    w /= length;
}

Quaternion Quaternion::Blend(const Quaternion& a, const Quaternion& b, float t)
{
    const float weightA = 1.0f - t;
    const float weightB = Dot(a, b) < 0.0f ? -t : t;
    Quaternion result(weightA * a.x + weightB * b.x, weightA * a.y + weightB * b.y,
                      weightA * a.z + weightB * b.z, weightA * a.w + weightB * b.w);
    result.Normalize();
    return result;
}

} // namespace GAME
