#pragma once

namespace GAME {

// A rotation as (x, y, z, w); q and -q are the same rotation.
struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    constexpr Quaternion() = default;
    constexpr Quaternion(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

    static constexpr float Dot(const Quaternion& a, const Quaternion& b)
    {
        return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    }

    // A zero quaternion has no direction to keep and is left as it is.
    void Normalize();

    // Normalised linear blend, taking b or -b, whichever is nearer a, so the turn is the short one.
    static Quaternion Blend(const Quaternion& a, const Quaternion& b, float t);
};

} // namespace GAME
