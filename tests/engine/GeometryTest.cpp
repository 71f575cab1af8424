#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/OBBox.h"
#include "engine/Platform.h"
#include "engine/Quaternion.h"
#include "engine/Ray.h"
#include "engine/Rect.h"
#include "engine/Sphere.h"

#include <gtest/gtest.h>

#include <ostream>

namespace GAME {

void PrintTo(const Vec3& v, std::ostream* out)
{
    *out << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}

namespace {

const Vec3 kUp(0.0f, 1.0f, 0.0f);

void ExpectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-6f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectNear(const Coords& actual, const Coords& expected)
{
    ExpectNear(actual.right, expected.right);
    ExpectNear(actual.up, expected.up);
    ExpectNear(actual.forward, expected.forward);
    ExpectNear(actual.origin, expected.origin);
}

// q and -q are one rotation, so the comparison takes whichever sign is nearer.
void ExpectSameRotation(const Quaternion& actual, const Quaternion& expected)
{
    const float sign = Quaternion::Dot(actual, expected) < 0.0f ? -1.0f : 1.0f;
    ExpectNear(Vec3(actual.x, actual.y, actual.z) * sign, Vec3(expected.x, expected.y, expected.z));
    EXPECT_NEAR(actual.w * sign, expected.w, 1e-6f);
}

Quaternion Normalized(Quaternion q)
{
    q.Normalize();
    return q;
}

TEST(Vec3, TheZeroVectorHasNoDirection)
{
    EXPECT_EQ(Vec3().Unit(), Vec3());
}

TEST(Coords, RowsAreLocalAxesAndCompositionAppliesTheRightOperandFirst)
{
    const Coords frame({0.0f, 0.0f, -1.0f}, kUp, {1.0f, 0.0f, 0.0f}, {10.0f, 20.0f, 30.0f});
    EXPECT_EQ(frame.TransformPoint({1.0f, 2.0f, 3.0f}), Vec3(13.0f, 22.0f, 29.0f));
    const Coords world = frame * Coords::FromTranslation({0.0f, 0.0f, 1.0f});
    EXPECT_EQ(world.origin, Vec3(11.0f, 20.0f, 30.0f));

    const Coords tilt = Coords::RotationAboutAxis(0.5f, Vec3(1.0f, 2.0f, 2.0f) / 3.0f);
    const Vec3 p(0.25f, -1.5f, 2.0f);
    ExpectNear((frame * tilt).TransformPoint(p), frame.TransformPoint(tilt.TransformPoint(p)),
               1e-5f);
}

TEST(Coords, LookAtRowsAreRightUpForward)
{
    // right = forward x up: facing +z with +y up that is -x, a mirror of RotationAboutAxis.
    const Coords ahead =
        Coords::LookAt({1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, 13.0f}, {0.0f, 1.0f, 1.0f});
    EXPECT_EQ(ahead, Coords({-1.0f, 0.0f, 0.0f}, kUp, {0.0f, 0.0f, 1.0f}, {1.0f, 2.0f, 3.0f}));

    const Coords general = Coords::LookAlong({1.0f, -2.0f, 0.5f}, {0.3f, 1.0f, 0.2f}, {});
    EXPECT_NEAR(general.up.Length(), 1.0f, 1e-6f);
    EXPECT_NEAR(Dot(general.up, general.forward), 0.0f, 1e-6f);
    ExpectNear(Cross(general.forward, general.up), general.right);
}

TEST(Coords, QuaternionsRoundTripIncludingHalfTurns)
{
    const Vec3 axis = Vec3(1.0f, 2.0f, 3.0f).Unit();
    const Quaternion general(axis.x * Sin(1.25f), axis.y * Sin(1.25f), axis.z * Sin(1.25f),
                             Cos(1.25f));
    ExpectNear(Coords::FromQuaternion(general), Coords::RotationAboutAxis(2.5f, axis));

    const Quaternion rotations[] = {Quaternion(), general,
                                    // A half turn, where the trace is -1.
                                    Normalized({1.0f, 1.0f, 0.0f, 0.0f}),
                                    // Just short of half turns, one per largest-diagonal branch,
                                    // where a wrong sign of w or of a sum would show.
                                    Normalized({0.9f, 0.3f, -0.2f, 0.004f}),
                                    Normalized({-0.2f, 0.9f, 0.3f, 0.004f}),
                                    Normalized({0.3f, -0.2f, 0.9f, 0.004f})};
    for (const Quaternion& q : rotations) {
        SCOPED_TRACE(testing::Message() << q.x << " " << q.y << " " << q.z << " " << q.w);
        ExpectSameRotation(Coords::FromQuaternion(q).ToQuaternion(), q);
    }
}

TEST(Quaternion, BlendTakesTheShortWay)
{
    // -quarter is the same quarter turn; blending towards it as written would swing the long way.
    const Quaternion quarter = Normalized({0.0f, 1.0f, 0.0f, 1.0f});
    const Quaternion negated(-quarter.x, -quarter.y, -quarter.z, -quarter.w);
    const Quaternion eighth(0.0f, 0.38268343f, 0.0f, 0.9238795f);
    ExpectSameRotation(Quaternion::Blend(Quaternion(), quarter, 0.5f), eighth);
    const Quaternion halfway = Quaternion::Blend(Quaternion(), negated, 0.5f);
    EXPECT_NEAR(halfway.y, eighth.y, 1e-6f);
    EXPECT_NEAR(halfway.w, eighth.w, 1e-6f);
}

TEST(OBBox, AxisAlignedBoundsFollowItsAxes)
{
    // Local x along world -z, local z along world x: the extents swap axes.
    const Coords swapped({0.0f, 0.0f, -1.0f}, kUp, {1.0f, 0.0f, 0.0f}, {5.0f, 0.0f, 0.0f});
    EXPECT_EQ(OBBox({1.0f, 2.0f, 3.0f}, swapped).GetAxisAlignedBox(),
              ABBox({2.0f, -2.0f, -1.0f}, {8.0f, 2.0f, 1.0f}));
}

TEST(OBBox, RandomPointOnAFlatAxisLiesOnThePlaneWithoutADraw)
{
    Platform::SRand(11);
    const int first = Platform::Rand();
    const int second = Platform::Rand();
    const int third = Platform::Rand();
    Platform::SRand(11);
    const Vec3 point =
        OBBox({0.5f, 0.0f, 2.0f}, Coords::FromTranslation({10.0f, 20.0f, 30.0f})).GetRandomPoint();
    EXPECT_EQ(point, Vec3(10.0f + (static_cast<float>(first % 1000) * 0.001f - 0.5f), 20.0f,
                          30.0f + (static_cast<float>(second % 4000) * 0.001f - 2.0f)));
    EXPECT_EQ(Platform::Rand(), third);
}

TEST(OBBox, RandomPointWithBadExtentsStaysDefined)
{
    Platform::SRand(3);
    const int first = Platform::Rand();
    Platform::SRand(3);
    // Inverted: its -e face, no draw. NaN: the centre. Huge: the step count saturates.
    const Vec3 point = OBBox({-1.0f, gQuietNaN, 1e30f}, Coords()).GetRandomPoint();
    EXPECT_EQ(point, Vec3(1.0f, 0.0f, static_cast<float>(first) * 0.001f - 1e30f));
    EXPECT_EQ(OBBox({gPositiveInfinity, 0.0f, 0.0f}, Coords()).GetRandomPoint(), Vec3());
}

TEST(Sphere, IntersectRay)
{
    const auto cast = [](const Vec3& center, float direction) {
        const Ray ray({}, {0.0f, 0.0f, direction});
        return Sphere::IntersectRay(Sphere(center, 1.0f), ray);
    };
    EXPECT_EQ(cast({0.0f, 0.0f, 5.0f}, 1.0f), 4.0f);
    EXPECT_EQ(cast({0.0f, 0.5f, 0.5f}, 1.0f), 0.0f); // starts inside
    EXPECT_EQ(cast({0.0f, 0.0f, 5.0f}, -1.0f), gPositiveInfinity);
    EXPECT_EQ(cast({0.0f, 1.0f, 5.0f}, 1.0f), 5.0f); // grazes: m equals R
    EXPECT_EQ(cast({0.0f, 3.0f, 5.0f}, 1.0f), gPositiveInfinity);
    // The line crosses this sphere, but only behind the start.
    EXPECT_EQ(cast({0.0f, 0.9f, -0.5f}, 1.0f), gPositiveInfinity);
    // From the surface the far crossing is reported.
    EXPECT_EQ(cast({0.0f, 0.0f, 1.0f}, 1.0f), 2.0f);
}

TEST(Rect, ContainsLeftAndTopEdgesOnly)
{
    const Rect rect(1.0f, 2.0f, 3.0f, 4.0f);
    EXPECT_TRUE(rect.Contains({1.0f, 2.0f}));
    EXPECT_FALSE(rect.Contains({4.0f, 3.0f}));
    EXPECT_FALSE(rect.Contains({2.0f, 6.0f}));
}

} // namespace
} // namespace GAME
