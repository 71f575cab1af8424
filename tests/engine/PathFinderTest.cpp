#include "engine/PathFinder.h"

#include "engine/DynamicObstacle.h"
#include "engine/Path.h"
#include "engine/Region.h"
#include "engine/World.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace GAME {
namespace {

constexpr uint32_t kRegion = 1;
constexpr double kPi = 3.14159265358979323846;
constexpr float kHalfPi = 1.5707964f;

// A 40 x 40 floor at height 0.5 centred on its region's origin.
class PathFinderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        region = world.CreateRegion(kRegion, {100, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
        region->SetFloorHeight(0.5f);
    }

    DynamicObstacle* Block(float x, float z, float radius)
    {
        obstacles.push_back(DynamicObstacle::Create(region, Sphere({x, 1, z}, radius)));
        obstacles.back()->Attach();
        return obstacles.back().get();
    }

    std::unique_ptr<Path> Find(const Vec3& from, const Vec3& to, int32_t size = 0)
    {
        return world.FindPath(size, {kRegion, from}, {kRegion, to}, Vec3(), 0.1f, 0.4f, 0.5f, 1.0f,
                              30);
    }

    // Walks the path in small steps: every point on the floor and outside every grown circle.
    void ExpectClear(Path& path, float radius)
    {
        WorldVec3 position;
        Vec3 direction;
        while (path.GetLength() > 0.0f) {
            path.Advance(0.02f, position, direction);
            const Vec3& p = position.GetRegionPosition();
            EXPECT_TRUE(region->HasFloorAt(p));
            EXPECT_FLOAT_EQ(p.y, 0.5f);
            for (const auto& obstacle : obstacles) {
                const Vec3 offset = p - obstacle->GetSphere().center;
                EXPECT_GE(std::hypot(offset.x, offset.z),
                          obstacle->GetSphere().radius + radius - 1e-4f);
            }
        }
    }

    World world;
    Region* region = nullptr;
    std::vector<std::unique_ptr<DynamicObstacle>> obstacles;
};

TEST_F(PathFinderTest, FreeLineIsOneStraightPieceOnTheFloor)
{
    Block(0, 10, 1.0f);
    const auto path = Find({-5, 0, 0}, {5, 2, 3}, 1);
    ASSERT_NE(path, nullptr);
    ASSERT_EQ(path->GetPieces().size(), 1u);
    EXPECT_EQ(path->GetStart(), WorldVec3(kRegion, {-5, 0.5f, 0}));
    EXPECT_EQ(path->GetEnd(), WorldVec3(kRegion, {5, 0.5f, 3}));
    EXPECT_FLOAT_EQ(path->GetLength(), std::sqrt(109.0f));
}

TEST_F(PathFinderTest, ShortestBendRoundOneObstacleGrowsWithTheMover)
{
    Block(0, 0, 1.5f);
    // Tangent, arc, tangent: 2 sqrt(d^2 - r^2) + r (pi - 2 acos(r / d)) with d = 4.
    const float radii[] = {0.5f, 1.0f, 1.75f};
    for (int32_t size = 0; size < 3; ++size) {
        const double r = 1.5 + radii[size];
        const double expected =
            2.0 * std::sqrt(16.0 - r * r) + r * (kPi - 2.0 * std::acos(r / 4.0));
        const auto path = Find({-4, 0, 0}, {4, 0, 0}, size);
        ASSERT_NE(path, nullptr);
        ASSERT_EQ(path->GetPieces().size(), 3u);
        EXPECT_NEAR(path->GetLength(), expected, 1e-4);
        ExpectClear(*path, radii[size]);
    }
}

TEST_F(PathFinderTest, GoesRoundTheSideThatStaysOnTheFloorAndRoundOverlappingObstacles)
{
    // Round the top the mover would leave the floor at z = 20.
    Block(0, 18.5f, 1.0f);
    auto path = Find({-4, 0, 18.5f}, {4, 0, 18.5f});
    ASSERT_NE(path, nullptr);
    WorldVec3 middle;
    Vec3 direction;
    path->Advance(path->GetLength() / 2.0f, middle, direction);
    EXPECT_NEAR(middle.GetRegionPosition().z, 17.0f, 1e-5f);
    ExpectClear(*path, 0.5f);

    // Two overlapping circles make one wall: no arc may cut through the overlap.
    obstacles.clear();
    Block(0, -1.2f, 1.5f);
    Block(0, 1.2f, 1.5f);
    path = Find({-5, 0, 0.3f}, {5, 0, 0.3f});
    ASSERT_NE(path, nullptr);
    EXPECT_GT(path->GetLength(), 10.0f);
    ExpectClear(*path, 0.5f);
}

TEST_F(PathFinderTest, NullOffTheFloorInsideAnObstacleOrWalledIn)
{
    Block(5, 5, 1.0f);
    EXPECT_EQ(Find({-25, 0, 0}, {0, 0, 0}), nullptr);
    EXPECT_EQ(Find({0, 0, 0}, {0, 0, 20.5f}), nullptr);
    EXPECT_EQ(Find({0, 0, 0}, {5, 0, 6.4f}), nullptr);
    EXPECT_EQ(Find({5.5f, 0, 5}, {0, 0, 0}), nullptr);
    EXPECT_EQ(Find({0, 0, 0}, {1, 0, 0}, 3), nullptr);
    EXPECT_EQ(world.FindPath(0, {9, {0, 0, 0}}, {kRegion, {1, 0, 0}}, Vec3(), 0, 0, 0, 0, 0),
              nullptr);
    // Touching the grown circle is standing beside it, not in it.
    EXPECT_NE(Find({0, 0, 0}, {5, 0, 6.5f}), nullptr);

    // A ring of eight overlapping obstacles round the target.
    for (int32_t i = 0; i < 8; ++i) {
        const double angle = i * kPi / 4.0;
        Block(static_cast<float>(-10 + 3 * std::cos(angle)),
              static_cast<float>(3 * std::sin(angle)), 1.2f);
    }
    EXPECT_EQ(Find({0, 0, 0}, {-10, 0, 0}), nullptr);
}

TEST_F(PathFinderTest, SameInputsGiveTheSamePath)
{
    const float places[][3] = {{-6, 1, 1.0f}, {-2, -1, 1.5f}, {2, 2, 1.0f}, {6, -0.5f, 1.2f}};
    for (const auto& place : places)
        Block(place[0], place[1], place[2]);
    const auto first = Find({-12, 0, 0}, {12, 0, 0.5f});
    ASSERT_NE(first, nullptr);
    Find({-12, 0, -8}, {12, 0, 8}, 2);
    const auto second = Find({-12, 0, 0}, {12, 0, 0.5f});
    ASSERT_EQ(first->GetPieces().size(), second->GetPieces().size());
    for (size_t i = 0; i < first->GetPieces().size(); ++i) {
        EXPECT_EQ(first->GetPieces()[i].to, second->GetPieces()[i].to);
        EXPECT_EQ(first->GetPieces()[i].sweep, second->GetPieces()[i].sweep);
    }
    EXPECT_EQ(first->GetLength(), second->GetLength());
    ExpectClear(*first, 0.5f);
}

TEST_F(PathFinderTest, DetachedOrDestroyedObstaclesNoLongerBlock)
{
    DynamicObstacle* obstacle = Block(0, 0, 1.0f);
    EXPECT_EQ(Find({-4, 0, 0}, {4, 0, 0})->GetPieces().size(), 3u);
    obstacle->Detach();
    obstacle->Detach();
    EXPECT_EQ(Find({-4, 0, 0}, {4, 0, 0})->GetPieces().size(), 1u);
    obstacle->Attach();
    obstacles.clear();
    EXPECT_TRUE(region->GetObstacles().empty());

    EXPECT_EQ(DynamicObstacle::Create(nullptr, Sphere({0, 0, 0}, 1.0f)), nullptr);
    EXPECT_EQ(DynamicObstacle::Create(region, Sphere({0, 0, 0}, -1.0f)), nullptr);
    EXPECT_EQ(DynamicObstacle::Create(region, Sphere({0, std::nanf(""), 0}, 1.0f)), nullptr);

    // An obstacle that outlives its world's regions is simply no longer attached.
    auto world2 = std::make_unique<World>();
    auto outlived = DynamicObstacle::Create(world2->CreateRegion(4, {0, 0, 0}, ABBox()),
                                            Sphere({0, 0, 0}, 1.0f));
    outlived->Attach();
    world2.reset();
    EXPECT_FALSE(outlived->IsAttached());
    outlived->Attach();
}

TEST_F(PathFinderTest, FurthestPointAndPointCollide)
{
    Block(0, 0, 1.5f);
    PathFinder& finder = PathFinder::Instance();
    const auto furthest = [&](const Vec3& from, const Vec3& to) {
        return finder.GetFurthestPoint(&world, 0, {kRegion, from}, {kRegion, to});
    };
    EXPECT_EQ(furthest({-5, 0, 5}, {5, 0, 5}), WorldVec3(kRegion, {5, 0, 5}));
    const WorldVec3 stopped = furthest({-5, 0, 0}, {5, 0, 0});
    EXPECT_NEAR(stopped.GetRegionPosition().x, -2.0f, 1e-5f);
    EXPECT_EQ(furthest({0, 0, 5}, {30, 0, 5}), WorldVec3(kRegion, {20, 0, 5}));
    EXPECT_EQ(furthest({-2, 0, 0}, {5, 0, 0}), WorldVec3(kRegion, {-2, 0, 0}));
    EXPECT_EQ(furthest({-2, 0, 0}, {-5, 0, 0}), WorldVec3(kRegion, {-5, 0, 0}));
    EXPECT_EQ(furthest({1, 0, 0}, {5, 0, 0}), WorldVec3(kRegion, {1, 0, 0}));

    EXPECT_FALSE(finder.TestPointCollide(&world, 0, {kRegion, {-2, 0, 0}}));
    EXPECT_TRUE(finder.TestPointCollide(&world, 0, {kRegion, {-1.9f, 0, 0}}));
    EXPECT_TRUE(finder.TestPointCollide(&world, 1, {kRegion, {-2, 0, 0}}));
    EXPECT_TRUE(finder.TestPointCollide(&world, 0, {kRegion, {0, 0, 21}}));
    EXPECT_TRUE(finder.TestPointCollide(&world, 0, {}));
}

TEST_F(PathFinderTest, BodiesArePlacedNearestFirstClearOfObstaclesAndOfEachOther)
{
    PathFinder& finder = PathFinder::Instance();
    std::vector<WorldVec3> out;
    // The first body fits at the centre; the second is pushed to the ring that clears it.
    ASSERT_EQ(finder.FillPointSet(&world, {kRegion, Vec3(0, 0.5f, 0)}, {1.0f, 1.0f}, out), 2u);
    EXPECT_EQ(out[0], WorldVec3(kRegion, Vec3(0, 0.5f, 0)));
    EXPECT_EQ(out[1], WorldVec3(kRegion, Vec3(2, 0.5f, 0)));

    // Round an obstacle of 1.2 a body of 0.5 needs 1.7: the fourth ring of half steps.
    Block(0, 0, 1.2f);
    ASSERT_EQ(finder.FillPointSet(&world, {kRegion, Vec3(0, 0.5f, 0)}, {0.5f}, out), 1u);
    EXPECT_NEAR(out[0].GetRegionPosition().x, 2.0f, 1e-5f);
    EXPECT_NEAR(out[0].GetRegionPosition().z, 0.0f, 1e-5f);

    // No room, a bad radius, no region: nothing, and the old answer is gone.
    const float bad = std::nanf("");
    EXPECT_EQ(finder.FillPointSet(&world, {kRegion, Vec3(0, 0.5f, 0)}, {bad}, out), 0u);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(finder.FillPointSet(&world, {7, Vec3(0, 0.5f, 0)}, {0.5f}, out), 0u);
    Block(0, 0, 30.0f);
    EXPECT_EQ(finder.FillPointSet(&world, {kRegion, Vec3(0, 0.5f, 0)}, {0.5f}, out), 0u);
}

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
    EXPECT_EQ(std::pair(path.GetStart(), path.GetEnd()),
              std::pair(WorldVec3(7, {0, 0, 0}), WorldVec3(7, {3, 0, 1})));
    EXPECT_FLOAT_EQ(path.GetLength(), 2.0f + kHalfPi);

    WorldVec3 position;
    Vec3 direction;
    path.Advance(1.0f, position, direction);
    EXPECT_EQ(std::pair(position, direction), std::pair(WorldVec3(7, {1, 0, 0}), Vec3(1, 0, 0)));

    // Halfway round the arc: 45 degrees past its start, heading diagonally.
    path.Advance(1.0f + kHalfPi / 2.0f, position, direction);
    EXPECT_NEAR(position.GetRegionPosition().x, 2.0f + std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(position.GetRegionPosition().z, 1.0f - std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(direction.x, std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(direction.z, std::sqrt(0.5f), 1e-5f);

    // Steps that are not steps change nothing; the end holds the cursor.
    path.Advance(-1.0f, position, direction);
    path.Advance(std::numeric_limits<float>::quiet_NaN(), position, direction);
    EXPECT_NEAR(path.GetLength(), kHalfPi / 2.0f, 1e-5f);
    path.Advance(10.0f, position, direction);
    EXPECT_EQ(position, path.GetEnd());
    EXPECT_FLOAT_EQ(path.GetLength(), 0.0f);
    EXPECT_NEAR(direction.z, 1.0f, 1e-5f);
}

TEST(PathTest, EmptyPathHasNoEndsAndDoesNotMove)
{
    Path path(1, {});
    WorldVec3 position(1, {5, 0, 5});
    Vec3 direction(1, 0, 0);
    path.Advance(1.0f, position, direction);
    EXPECT_FALSE(path.GetStart().HasRegion());
    EXPECT_EQ(std::pair(position, direction), std::pair(WorldVec3(1, {5, 0, 5}), Vec3()));
}

} // namespace
} // namespace GAME
