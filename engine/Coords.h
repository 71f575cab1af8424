#pragma once

#include "engine/Vec3.h"

namespace GAME {

struct Quaternion;

// A frame: its right, up and forward axes in this order, then its origin. A local point p lies
// at p.x * right + p.y * up + p.z * forward + origin; the axes are the rows of the matrix that
// takes local row vectors to world ones.
struct Coords {
    Vec3 right{1.0f, 0.0f, 0.0f};
    Vec3 up{0.0f, 1.0f, 0.0f};
    Vec3 forward{0.0f, 0.0f, 1.0f};
    Vec3 origin;

    constexpr Coords() = default;
    constexpr Coords(const Vec3& right, const Vec3& up, const Vec3& forward, const Vec3& origin)
        : right(right), up(up), forward(forward), origin(origin)
    {}

    static constexpr Coords Identity() { return Coords(); }
    static constexpr Coords FromTranslation(const Vec3& origin)
    {
        return Coords({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, origin);
    }
    // Right-handed: counter-clockwise seen from the tip of the unit axis, so a quarter turn
    // about up takes forward (0, 0, 1) to (1, 0, 0).
    static Coords RotationAboutAxis(float radians, const Vec3& axis);
    // right = forward x up and up' = right x forward. Facing +z with +y up, right is -x: these
    // frames mirror the ones RotationAboutAxis builds.
    static Coords LookAt(const Vec3& from, const Vec3& to, const Vec3& up);
    static Coords LookAlong(const Vec3& forward, const Vec3& up, const Vec3& origin);
    // The frame that rotates vectors as q v q* does.
    static Coords FromQuaternion(const Quaternion& q, const Vec3& origin = Vec3());
    Quaternion ToQuaternion() const;
    // Rotations blended through quaternions the short way, origins linearly.
    static Coords Interpolate(const Coords& a, const Coords& b, float t);

    constexpr Vec3 TransformVector(const Vec3& v) const
    {
        return right * v.x + up * v.y + forward * v.z;
    }
    constexpr Vec3 TransformPoint(const Vec3& p) const { return TransformVector(p) + origin; }

    // this * local places a frame given in this one: local is applied first.
    constexpr Coords operator*(const Coords& local) const
    {
        return Coords(TransformVector(local.right), TransformVector(local.up),
                      TransformVector(local.forward), TransformPoint(local.origin));
    }

    constexpr bool operator==(const Coords& other) const
    {
        return right == other.right && up == other.up && forward == other.forward &&
               origin == other.origin;
    }
};

} // namespace GAME
