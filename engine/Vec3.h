#pragma once

#include "core/MathUtils.h"

namespace GAME {

// A single-precision vector: positions within a region, directions and extents.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Vec3() = default;
    constexpr Vec3(float x, float y, float z) : x(x), y(y), z(z) {}

    constexpr Vec3 operator+(const Vec3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    constexpr Vec3 operator-(const Vec3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    constexpr Vec3 operator-() const { return {-x, -y, -z}; }
    constexpr Vec3 Subtract(const Vec3& v) const { return *this - v; }
    constexpr Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
    // Times the reciprocal rather than three divisions, so results round as they always have.
    constexpr Vec3 operator/(float s) const { return *this * (1.0f / s); }
    constexpr Vec3& operator+=(const Vec3& v) { return *this = *this + v; }
    constexpr Vec3& operator*=(float s) { return *this = *this * s; }
    constexpr bool operator==(const Vec3& v) const { return x == v.x && y == v.y && z == v.z; }
    constexpr bool operator!=(const Vec3& v) const { return !(*this == v); }

    constexpr float LengthSquared() const { return x * x + y * y + z * z; }
    float Length() const
    {
        const float squared = LengthSquared();
        return squared > 0.0f ? Sqrt(squared) : 0.0f;
    }
    // The zero vector stays zero rather than turning into NaNs.
    Vec3 Unit() const
    {
        const float length = Length();
        return length > 0.0f ? *this * (1.0f / length) : *this;
    }
    // Crossing with the up axis degenerates for vectors along it; those cross the x axis.
    Vec3 GetPerpendicular() const
    {
        if (Abs(y) > 0.9999f)
            return Vec3(0.0f, z, -y).Unit();
        return Vec3(-z, 0.0f, x).Unit();
    }
};

constexpr Vec3 operator*(float s, const Vec3& v)
{
    return v * s;
}

constexpr float Dot(const Vec3& a, const Vec3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
constexpr Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
constexpr Vec3 Lerp(const Vec3& a, const Vec3& b, float t)
{
    return a * (1.0f - t) + b * t;
}

inline Vec3 ComponentAbs(const Vec3& v)
{
    return {Abs(v.x), Abs(v.y), Abs(v.z)};
}
constexpr Vec3 ComponentMin(const Vec3& a, const Vec3& b)
{
    return {Min(a.x, b.x), Min(a.y, b.y), Min(a.z, b.z)};
}
constexpr Vec3 ComponentMax(const Vec3& a, const Vec3& b)
{
    return {Max(a.x, b.x), Max(a.y, b.y), Max(a.z, b.z)};
}

} // namespace GAME
