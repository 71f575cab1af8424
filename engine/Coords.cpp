#include "engine/Coords.h"

#include "engine/Quaternion.h"

namespace GAME {

Coords Coords::RotationAboutAxis(float radians, const Vec3& axis)
{
    const float cosine = Cos(radians);
    const float sine = Sin(radians);
    // Rodrigues' formula applied to each unit axis gives that axis' row.
    const auto rotate = [&](const Vec3& v) {
        return v * cosine + Cross(axis, v) * sine + axis * (Dot(axis, v) * (1.0f - cosine));
    };
    return Coords(rotate({1.0f, 0.0f, 0.0f}), rotate({0.0f, 1.0f, 0.0f}),
                  rotate({0.0f, 0.0f, 1.0f}), Vec3());
}

Coords Coords::LookAt(const Vec3& from, const Vec3& to, const Vec3& up)
{
    return LookAlong(to - from, up, from);
}

Coords Coords::LookAlong(const Vec3& forward, const Vec3& up, const Vec3& origin)
{
    const Vec3 right = Cross(forward, up);
    const Vec3 trueUp = Cross(right, forward);
    return Coords(right.Unit(), trueUp.Unit(), forward.Unit(), origin);
}

Coords Coords::FromQuaternion(const Quaternion& q, const Vec3& origin)
{
    const float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
    const float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
    const float xw = q.x * q.w, yw = q.y * q.w, zw = q.z * q.w;
    return Coords({1.0f - 2.0f * (yy + zz), 2.0f * (xy + zw), 2.0f * (xz - yw)},
                  {2.0f * (xy - zw), 1.0f - 2.0f * (xx + zz), 2.0f * (yz + xw)},
                  {2.0f * (xz + yw), 2.0f * (yz - xw), 1.0f - 2.0f * (xx + yy)}, origin);
}

Quaternion Coords::ToQuaternion() const
{
    const float t = right.x + up.y + forward.z + 1.0f;
    if (t > 0.0001f) {
        const float s = 2.0f * Sqrt(t);
        return Quaternion((up.z - forward.y) / s, (forward.x - right.z) / s, (right.y - up.x) / s,
                          0.25f * s);
    }
    // Near a half turn w vanishes; dividing by the largest of x, y, z keeps precision.
    if (right.x > up.y && right.x > forward.z) {
        const float s = 2.0f * Sqrt(1.0f + right.x - up.y - forward.z);
        return Quaternion(0.25f * s, (right.y + up.x) / s, (right.z + forward.x) / s,
                          (up.z - forward.y) / s);
    }
    if (up.y > forward.z) {
        const float s = 2.0f * Sqrt(1.0f + up.y - right.x - forward.z);
        return Quaternion((right.y + up.x) / s, 0.25f * s, (up.z + forward.y) / s,
                          (forward.x - right.z) / s);
    }
    const float s = 2.0f * Sqrt(1.0f + forward.z - right.x - up.y);
    return Quaternion((right.z + forward.x) / s, (up.z + forward.y) / s, 0.25f * s,
                      (right.y - up.x) / s);
}

Coords Coords::Interpolate(const Coords& a, const Coords& b, float t)
{
    const Quaternion rotation = Quaternion::Blend(a.ToQuaternion(), b.ToQuaternion(), t);
    return FromQuaternion(rotation, Lerp(a.origin, b.origin, t));
}

} // namespace GAME
