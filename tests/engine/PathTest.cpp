#include "engine/Path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace GAME {
namespace {

constexpr float kHalfPi = 1.5707964f;

// Two metres along x, then a quarter turn left round (2, 0, 1) to (3, 0, 1).
Path MakeBend()
{
    std::vector<Path::Piece> pieces(2);
    pieces[0].from = {0, 0, 0};
    pieces[0].to = {2, 0, 0};
    pieces[0].length = 2.0f;
    pieces[1].from = {2, 0, 0};
    pieces[1].to = {3, 0, 1};
    pieces[1].center = {2, 0, 1};
    pieces[1].radius = 1.0f;
    pieces[1].startAngle = -kHalfPi;
    pieces[1].sweep = kHalfPi;
    pieces[1].length = kHalfPi;
    return Path(7, std::move(pieces));
}

TEST(PathTest, AdvanceFollowsLineThenArcAndStopsAtTheEnd)
{
    Path path = MakeBend();
    EXPECT_EQ(path.GetStart(), WorldVec3(7, {0, 0, 0}));
    EXPECT_EQ(path.GetEnd(), WorldVec3(7, {3, 0, 1}));
    EXPECT_FLOAT_EQ(path.GetLength(), 2.0f + kHalfPi);

    WorldVec3 position;
    Vec3 direction;
    path.Advance(1.0f, position, direction);
    EXPECT_EQ(position, WorldVec3(7, {1, 0, 0}));
    EXPECT_EQ(direction, Vec3(1, 0, 0));

    // Halfway round the arc: 45 degrees past its start, heading diagonally.
    path.Advance(1.0f + kHalfPi / 2.0f, position, direction);
    EXPECT_NEAR(position.GetRegionPosition().x, 2.0f + std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(position.GetRegionPosition().z, 1.0f - std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(direction.x, std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(direction.z, std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(path.GetLength(), kHalfPi / 2.0f, 1e-5f);

    // Steps that are not steps change nothing; the end holds the cursor.
    path.Advance(-1.0f, position, direction);
    path.Advance(std::numeric_limits<float>::quiet_NaN(), position, direction);
    EXPECT_NEAR(path.GetLength(), kHalfPi / 2.0f, 1e-5f);
    path.Advance(10.0f, position, direction);
    EXPECT_EQ(position, path.GetEnd());
    EXPECT_FLOAT_EQ(path.GetLength(), 0.0f);
    EXPECT_NEAR(direction.z, 1.0f, 1e-5f);
}

TEST(PathTest, DebugRenderRecordsCornersAndArcChords)
{
    Path path = MakeBend();
    path.DebugRender();
    path.DebugRender();
    EXPECT_EQ(path.GetDebugRenderCount(), 2u);
    // Start, corner, six chord ends inside the quarter turn, end.
    const std::vector<Vec3>& points = path.GetDebugRenderPoints();
    ASSERT_EQ(points.size(), 9u);
    EXPECT_EQ(points[1], Vec3(2, 0, 0));
    EXPECT_EQ(points.back(), Vec3(3, 0, 1));
}

TEST(PathTest, EmptyPathHasNoEndsAndDoesNotMove)
{
    Path path(1, {});
    WorldVec3 position(1, {5, 0, 5});
    Vec3 direction(1, 0, 0);
    path.Advance(1.0f, position, direction);
    EXPECT_FALSE(path.GetStart().HasRegion());
    EXPECT_EQ(position, WorldVec3(1, {5, 0, 5}));
    EXPECT_EQ(direction, Vec3());
    EXPECT_FLOAT_EQ(path.GetLength(), 0.0f);
}

} // namespace
} // namespace GAME
