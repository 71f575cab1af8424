#include "engine/World.h"

#include "engine/Actor.h"
#include "engine/Entity.h"
#include "engine/GraphicsAnim.h"
#include "engine/Intersection.h"
#include "engine/Light.h"
#include "engine/ObjectManager.h"
#include "engine/RegionLoader.h"
#include "engine/WorldCoords.h"
#include "engine/WorldFrustum.h"
#include "engine/WorldRay.h"
#include "tests/support/EngineWorldFixture.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <tuple>

namespace GAME {
namespace {

using GAME::Test::EngineWorldFixture;
using Entities = std::vector<Entity*>;

constexpr uint32_t kHome = 1;  // at the world's origin
constexpr uint32_t kAnnex = 2; // east of home, sharing its face at x = 100
constexpr uint32_t kFar = 3;   // far east, on a raised floor of surface 7

// Each test plays in a fresh world of three regions installed in the engine.
class WorldTest : public EngineWorldFixture {
protected:
    void SetUp() override
    {
        EngineWorldFixture::SetUp();
        world->CreateRegion(kHome, {0, 0, 0}, ABBox({-100, -10, -100}, {100, 10, 100}));
        world->CreateRegion(kAnnex, {100, 0, 0}, ABBox({0, -10, -100}, {100, 10, 100}))
            ->SetFloorHeight(1.5f);
        Region* far = world->CreateRegion(kFar, {1000, 0, 0}, ABBox({0, -10, 0}, {50, 10, 50}));
        far->SetFloorHeight(2.0f);
        far->SetSurface(7);
    }

    Entity* Place(const Vec3& position, uint32_t region = kHome,
                  std::unique_ptr<Entity> entity = std::make_unique<Entity>())
    {
        owned.push_back(std::move(entity));
        EXPECT_TRUE(world->AddEntity(owned.back().get(), At(region, position), true));
        return owned.back().get();
    }
    template <class T, class... Args> Entity* Make(const Vec3& position, Args... args)
    {
        return Place(position, kHome, std::make_unique<T>(args...));
    }
    // A hundred entities in a hundred far cells, so that small queries walk the grid cell by
    // cell rather than the short list of occupied cells.
    void Scatter()
    {
        for (int i = 0; i < 100; ++i)
            Place({-90.0f + 8.0f * (i / 10), -9, -90.0f + 8.0f * (i % 10)});
    }
    static WorldCoords At(uint32_t region, const Vec3& position)
    {
        return WorldCoords(WorldVec3(region, position));
    }
    static Entities Sorted(Entities entities)
    {
        std::sort(entities.begin(), entities.end());
        return entities;
    }
    Entities InSphere(const Vec3& center, float radius, uint32_t region = kHome)
    {
        Entities out;
        world->GetEntitiesInSphere(out, world->GetRegionById(region), center, radius, true, 2);
        return Sorted(out);
    }
    Entities InBox(const ABBox& box, const Region* region = nullptr)
    {
        Entities out;
        world->GetEntitiesInBox(out, box, region);
        return Sorted(out);
    }
    Entities InCone(const WorldVec3& apex, const Vec3& direction, float halfAngle)
    {
        Entities out;
        world->GetEntitiesInCone(out, apex, direction, halfAngle, 10);
        return Sorted(out);
    }

    std::vector<std::unique_ptr<Entity>> owned;
};

// What an intersection found: how far, where and on which surface.
std::tuple<float, Vec3, uint32_t> Found(const Intersection& hit)
{
    return {hit.distance, hit.point, hit.surface};
}

class AcceptAbove : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        ++offered;
        return candidate->GetCoords().GetRegionCoords().origin.y > 0.0f;
    }
    mutable int offered = 0;
};

TEST_F(WorldTest, SphereQueryCountsTheSurfaceAcrossCellsRegionsAndNegativeCoordinates)
{
    Scatter();
    Entity* center = Place({0, 0, 0});
    Entity* surface = Place({3, 4, 0});
    Entity* negative = Place({-3, -4, 0});
    Entity* below = Place({0, -5, 0});
    for (const Vec3& outside : {Vec3(3, 4, 0.01f), Vec3(5.001f, 0, 0), Vec3(40, 0, 0)})
        Place(outside);
    EXPECT_EQ(InSphere({0, 0, 0}, 5), Sorted({center, surface, negative, below}));

    // Centred on a cell corner: the four neighbours lie in four different cells.
    Entity* west = Place({-9, 0, -8});
    Entity* east = Place({-7, 0, -8});
    Entity* north = Place({-8, 0, -9});
    Place({-8, 0, -6.9f});
    EXPECT_EQ(InSphere({-8, 0, -8}, 1), Sorted({west, east, north}));

    // Across the border into the annex, whose x = 1 is world x = 101.
    Entity* inAnnex = Place({1, 0, 0}, kAnnex);
    Place({96, 0, 0});
    EXPECT_EQ(InSphere({99, 0, 0}, 2), Sorted({inAnnex}));
    EXPECT_EQ(InSphere({-1, 0, 0}, 2, kAnnex), Sorted({inAnnex}));

    EXPECT_TRUE(InSphere({0, 0, 0}, -1).empty());
    Entities out;
    world->GetEntitiesInSphere(out, nullptr, {0, 0, 0}, 5);
    EXPECT_TRUE(out.empty());
}

// A ray or sphere asked for one class answers what the plain query answers, less the other
// classes, in the same order: entities of several classes share cells in turn.
TEST_F(WorldTest, QueriesOfOneClassKeepTheOrderOfThePlainQuery)
{
    // Along x from 1 to 14, over two cells; the light and the plain entities come between.
    const Entities placed{Make<Actor>({9, 0, 0}),    Make<Light>({2, 0, 0}),
                          Make<Actor>({1, 0, 0}),    Place({3, 0, 0}),
                          Make<Actor>({10, 0, 0}),   Make<Light>({12, 0, 0}),
                          Make<Actor>({14, 0, 0}),   Place({5, 0, 0}),
                          Make<Actor>({4, 0.5f, 0}), Make<Actor>({6, 3, 0})};
    // The last actor is beyond the ray's reach and inside the sphere's.
    world->SetCoords(placed[2], At(kHome, {11, 0, 0}));
    const auto actorsOf = [](const Entities& all) {
        Entities actors;
        std::copy_if(all.begin(), all.end(), std::back_inserter(actors),
                     [](const Entity* entity) { return DynamicCast<Actor>(entity) != nullptr; });
        return actors;
    };

    const WorldRay ray(WorldVec3(kHome, {0, 0, 0}), {1, 0, 0});
    Entities plain;
    Entities actors;
    world->GetAllIntersections(ray, plain, true, 20.0f);
    world->GetAllIntersections(ray, actors, true, 20.0f, Actor::classInfo);
    EXPECT_EQ(plain.size(), 9u);
    EXPECT_EQ(actors, actorsOf(plain));

    plain.clear();
    actors.clear();
    const Region* home = world->GetRegionById(kHome);
    world->GetEntitiesInSphere(plain, home, {7, 0, 0}, 8.0f);
    world->GetEntitiesInSphere(actors, home, {7, 0, 0}, 8.0f, Actor::classInfo);
    EXPECT_EQ(plain.size(), 10u);
    EXPECT_EQ(actors, actorsOf(plain));
}

// A query given a limit answers the first of what it answers without one, after what `out`
// held; only the class asked for counts against the limit.
TEST_F(WorldTest, ALimitedQueryAnswersTheFirstOfItsWholeAnswer)
{
    // Actors and plain entities in turn, over two cells and two heights.
    for (int i = 0; i < 12; ++i) {
        Make<Actor>({i % 2 == 0 ? 1.0f : 9.0f, i < 6 ? 0.0f : 0.5f, 1});
        Place({1, 0, 1});
    }
    const Region* home = world->GetRegionById(kHome);
    const ABBox box({0, -1, 0}, {10, 1, 2});
    Entities inSphere;
    Entities inBox;
    world->GetEntitiesInSphere(inSphere, home, {5, 0, 1}, 6.0f, Actor::classInfo);
    world->GetEntitiesInBox(inBox, box, home, Actor::classInfo);
    ASSERT_EQ(inSphere.size(), 12u);
    ASSERT_EQ(Sorted(inBox), Sorted(inSphere));

    for (const size_t limit : {0, 5, 12, 40}) {
        const auto firstOf = [&](const Entities& whole) {
            Entities first{nullptr};
            first.insert(first.end(), whole.begin(), whole.begin() + std::min(limit, whole.size()));
            return first;
        };
        Entities out{nullptr};
        world->GetEntitiesInSphere(out, home, {5, 0, 1}, 6.0f, Actor::classInfo, limit);
        EXPECT_EQ(out, firstOf(inSphere)) << limit;
        out.resize(1);
        world->GetEntitiesInBox(out, box, home, Actor::classInfo, limit);
        EXPECT_EQ(out, firstOf(inBox)) << limit;
    }
}

// An actor bearing the marks it is given, which tells its world when they change.
class Marked : public Actor {
public:
    explicit Marked(uint32_t marks) : marks(marks) {}
    uint32_t GetWorldMarks() const override { return marks; }
    void Remark(uint32_t value)
    {
        marks = value;
        MarksChanged();
    }

private:
    uint32_t marks;
};

class Refuse : public FilterFunction<Entity> {
public:
    explicit Refuse(const Entity* refused) : refused(refused) {}
    bool operator()(const Entity* candidate) const override { return candidate != refused; }
    const Entity* refused;
};

// A nearest query keeps the nearest of those bearing its marks that its filter keeps, in the
// order the world meets them, however many others crowd their cell.
TEST_F(WorldTest, ANearestQueryKeepsTheNearestOfWhatMattersInTheOrderMet)
{
    for (int i = 0; i < 100; ++i)
        Make<Marked>({0.5f, 0, 0.5f}, 1);
    Entity* far = Make<Marked>({3, 0, 0}, 2);
    Entity* near = Make<Marked>({1, 0, 0}, 3);
    Entity* middle = Make<Marked>({0, 0, 2}, 2);
    Make<Marked>({0, 0, 6}, 2);
    Place({0.1f, 0, 0});
    const Region* home = world->GetRegionById(kHome);
    const auto nearest = [&](const World::NearestFilter& filter, size_t limit) {
        Entities out{nullptr};
        world->GetNearestEntitiesInSphere(out, home, {0, 0, 0}, 5, filter, limit);
        return out;
    };
    EXPECT_EQ(nearest({&Actor::classInfo, 2}, 2), (Entities{nullptr, near, middle}));
    EXPECT_EQ(nearest({&Actor::classInfo, 2}, 9), (Entities{nullptr, far, near, middle}));
    // Bounded, it weighs the first ones met.
    EXPECT_EQ(nearest({&Actor::classInfo, 2, nullptr, 2}, 2), (Entities{nullptr, far, near}));
    const Refuse refuse(near);
    EXPECT_EQ(nearest({&Actor::classInfo, 2, &refuse}, 2), (Entities{nullptr, far, middle}));
    // Those put behind come only after every other, however near.
    EXPECT_EQ(nearest({&Actor::classInfo, 2, nullptr, World::kNoLimit, 1}, 2),
              (Entities{nullptr, far, middle}));
    EXPECT_EQ(nearest({&Actor::classInfo, 2, nullptr, World::kNoLimit, 1}, 3),
              (Entities{nullptr, far, near, middle}));
    static_cast<Marked*>(far)->Remark(1);
    EXPECT_EQ(nearest({&Actor::classInfo, 2}, 9), (Entities{nullptr, near, middle}));
    EXPECT_EQ(nearest({&Actor::classInfo, 1}, 1).size(), 2u);

    Entities out;
    world->GetNearestEntitiesInBox(out, ABBox({-1, -1, -1}, {4, 1, 3}), home, {3, 0, 0},
                                   {&Actor::classInfo, World::kAnyMarks}, 1);
    EXPECT_EQ(out, (Entities{far}));
}

// A bounded nearest query walks outward from its point: 300 in the box's far corner, the first
// cell of the world's own order, and 260 put behind in the point's own cell, made first, hide
// nothing nearer, whether the cells are walked one by one or through the map of occupied ones.
TEST_F(WorldTest, NoCrowdHidesTheNearOneFromABoundedNearestQuery)
{
    // One of a mark nobody asks for in each of 400 cells: a sphere's cells are walked one by one.
    for (int i = 0; i < 400; ++i)
        Make<Marked>({-76.0f + 8.0f * (i / 20), 0, -76.0f + 8.0f * (i % 20)}, 4);
    for (int i = 0; i < 260; ++i)
        Make<Marked>({4, 0, 4}, 2);
    Entities corner;
    for (int i = 0; i < 300; ++i)
        corner.push_back(Make<Marked>({-26, 0, -26}, 1));
    Entity* near = Make<Marked>({5, 0, 4}, 1);
    const World::NearestFilter filter{&Actor::classInfo, 1 | 2, nullptr, 256, 2};

    Entities expected(corner.begin(), corner.begin() + 31);
    expected.push_back(near);
    Entities out;
    world->GetNearestEntitiesInSphere(out, world->GetRegionById(kHome), {4, 0, 4}, 45, filter, 32);
    EXPECT_EQ(out, expected);
    out.clear();
    world->GetNearestEntitiesInBox(out, ABBox({-1e30f, -1e30f, -1e30f}, {1e30f, 1e30f, 1e30f}),
                                   world->GetRegionById(kHome), {4, 0, 4}, filter, 32);
    EXPECT_EQ(Sorted(out), Sorted(expected));
}

TEST_F(WorldTest, BoxQueryIncludesFacesInRegionOrWorldSpace)
{
    Entity* corner = Place({2, 1, 2});
    Entity* low = Place({-2, -1, -2});
    Place({2.001f, 0, 0});
    Entity* annex = Place({1, 0, 1}, kAnnex);

    EXPECT_EQ(InBox(ABBox({-2, -1, -2}, {2, 1, 2}), world->GetRegionById(kHome)),
              Sorted({corner, low}));
    EXPECT_EQ(InBox(ABBox({101, 0, 1}, {200, 0, 1})), Entities{annex});
    EXPECT_TRUE(InBox(ABBox({2, 2, 2}, {-2, -2, -2})).empty());
    // A box far wider than the populated cells is answered from the occupied cells alone.
    EXPECT_EQ(InBox(ABBox({-1e30f, -1e30f, -1e30f}, {1e30f, 1e30f, 1e30f})).size(), 4u);
}

TEST_F(WorldTest, ConeQueryTakesTheHalfAngleAndCountsEdgeAndTip)
{
    Scatter();
    Entity* apex = Place({0, 0, 0});
    Entity* edge = Place({1, 0, 1});
    Entity* tip = Place({0, 0, 10});
    Entity* rim = Place({6, 0, 8});
    for (const Vec3& outside : {Vec3(1.1f, 0, 1), Vec3(0, 0, 10.01f), Vec3(0, 0, -1)})
        Place(outside);
    Entity* steep = Place({3, 0, 1});

    const WorldVec3 origin(kHome, {0, 0, 0});
    const float halfAngle = DegreesToRadians(45.0f);
    EXPECT_EQ(InCone(origin, {0, 0, 2}, halfAngle), Sorted({apex, edge, tip, rim}));

    // This edge's cosine rounds so that, taken literally, the point would fall outside.
    const Entities wide = InCone(origin, {0, 0, 1}, std::atan2(3.0f, 1.0f));
    EXPECT_NE(std::find(wide.begin(), wide.end(), steep), wide.end());

    EXPECT_TRUE(InCone(origin, {0, 0, 0}, halfAngle).empty());
    EXPECT_TRUE(InCone(WorldVec3(), {0, 0, 1}, halfAngle).empty());
}

TEST_F(WorldTest, RemovedAndDeletedEntitiesLeaveTheQueries)
{
    Entity* removed = Place({2, 1, 0});
    Entity* kept = Place({1, 1, 0});
    Place({3, 1, 0});

    EXPECT_TRUE(world->RemoveEntity(removed));
    EXPECT_FALSE(world->RemoveEntity(removed));
    EXPECT_FALSE(removed->IsInWorld());
    // The last entity has taken the removed one's place in the listing; deleting it must still
    // find it there.
    owned.back().reset();
    EXPECT_EQ(InSphere({0, 0, 0}, 10), Sorted({kept}));
    Entity* flat = Place({5, 0, 0});
    AcceptAbove filter;
    Entities listed;
    world->GetEntities(listed, filter);
    EXPECT_EQ(listed, Entities{kept});
    EXPECT_EQ(filter.offered, 2);

    ObjectManager& objects = ObjectManager::Instance();
    auto* managed = static_cast<Entity*>(objects.CreateObject("Entity"));
    ASSERT_NE(managed, nullptr);
    ASSERT_TRUE(world->AddEntity(managed, At(kHome, {4, 0, 0}), false));
    objects.DestroyObjectEx(managed, "WorldTest", 1);
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(InSphere({0, 0, 0}, 10), Sorted({kept, flat}));
}

TEST_F(WorldTest, SetCoordsMovesBetweenCellsAndRefusesUnknownRegions)
{
    Entity* mover = Place({1, 0, 1});
    EXPECT_TRUE(world->SetCoords(mover, At(kHome, {-20, 0, 30})));
    EXPECT_TRUE(InSphere({1, 0, 1}, 1).empty());
    EXPECT_EQ(InSphere({-20, 0, 30}, 0), Sorted({mover}));

    EXPECT_FALSE(world->SetCoords(mover, At(9, {0, 0, 0})));
    EXPECT_EQ(log.Count(2, "World has no region 9"), 1u);
    EXPECT_EQ(mover->GetCoords(), At(kHome, {-20, 0, 30}));

    // Outside the world the coordinates are only stored.
    Entity loose;
    EXPECT_TRUE(world->SetCoords(&loose, At(kHome, {1, 0, 1})));
    EXPECT_FALSE(loose.IsInWorld());
    EXPECT_TRUE(InSphere({1, 0, 1}, 1).empty());
}

// The position-only move must leave exactly what SetCoords with the same position would.
TEST_F(WorldTest, SetPositionKeepsTheRotationAndRefusesUnknownRegions)
{
    WorldCoords facing = At(kHome, {1, 0, 1});
    facing.LookAt(WorldVec3(kHome, {1, 0, 1}), WorldVec3(kHome, {4, 2, 5}), {0, 1, 0});
    Entity* mover = Place({1, 0, 1});
    ASSERT_TRUE(world->SetCoords(mover, facing));

    const WorldVec3 there(kAnnex, {5, 0, -3});
    EXPECT_TRUE(world->SetPosition(mover, there));
    WorldCoords expected = facing;
    expected.SetPosition(there);
    EXPECT_EQ(mover->GetCoords(), expected);

    EXPECT_FALSE(world->SetPosition(mover, WorldVec3(9, {})));
    EXPECT_EQ(log.Count(2, "World has no region 9"), 1u);
    EXPECT_EQ(mover->GetCoords(), expected);

    Entity loose;
    EXPECT_TRUE(world->SetPosition(&loose, WorldVec3(kHome, {1, 0, 1})));
    EXPECT_EQ(loose.GetCoords(), At(kHome, {1, 0, 1}));
}

// A move within a cell goes straight to the entity's place in it, which shifts whenever one
// ahead of it leaves the cell.
TEST_F(WorldTest, MovesWithinACellFindTheirPlaceAfterOthersLeaveIt)
{
    Entity* first = Place({1, 0, 1});
    Entity* middle = Place({2, 0, 1});
    Entity* last = Place({3, 0, 1});

    EXPECT_TRUE(world->SetCoords(middle, At(kHome, {-20, 0, 30})));
    EXPECT_TRUE(world->SetCoords(last, At(kHome, {3, 0, 4})));
    EXPECT_EQ(InSphere({3, 0, 4}, 0), Sorted({last}));
    EXPECT_TRUE(InSphere({3, 0, 1}, 0.5f).empty());

    EXPECT_TRUE(world->SetCoords(middle, At(kHome, {2, 0, 2})));
    EXPECT_TRUE(world->RemoveEntity(first));
    EXPECT_TRUE(world->SetCoords(last, At(kHome, {5, 0, 5})));
    EXPECT_TRUE(world->SetCoords(middle, At(kHome, {6, 0, 6})));
    EXPECT_EQ(InSphere({5, 0, 5}, 0), Sorted({last}));
    EXPECT_EQ(InSphere({6, 0, 6}, 0), Sorted({middle}));
    EXPECT_EQ(InSphere({0, 0, 0}, 10), Sorted({middle, last}));
}

// However many leave a crowded cell, the rest keep the order they came in and move within the
// cell from where they stand, and one that comes back joins at the end.
TEST_F(WorldTest, LeaversOfACrowdedCellLeaveTheOrderOfTheRest)
{
    Entities crowd;
    for (int i = 0; i < 100; ++i)
        crowd.push_back(Place({1, 0, 1}));
    const auto inCell = [this] {
        Entities out;
        world->GetEntitiesInBox(out, ABBox({0, -1, 0}, {7, 1, 7}), nullptr);
        return out;
    };
    Entities rest = crowd;
    // Every third, then the next of each three: past half the cell, where the places left are
    // swept out, and on while it is small.
    for (const size_t first : {0, 1}) {
        for (size_t i = first; i < crowd.size(); i += 3) {
            EXPECT_TRUE(world->SetCoords(crowd[i], At(kHome, {20, 0, 20})));
            rest.erase(std::find(rest.begin(), rest.end(), crowd[i]));
            ASSERT_EQ(inCell(), rest) << i;
        }
    }
    for (Entity* stayer : rest) {
        EXPECT_TRUE(world->SetCoords(stayer, At(kHome, {2, 0, 3})));
        EXPECT_EQ(InSphere({2, 0, 3}, 0), Sorted({stayer}));
        EXPECT_TRUE(world->SetCoords(stayer, At(kHome, {1, 0, 1})));
    }
    EXPECT_TRUE(world->SetCoords(crowd[0], At(kHome, {3, 0, 3})));
    EXPECT_TRUE(world->RemoveEntity(rest.front()));
    rest.erase(rest.begin());
    rest.push_back(crowd[0]);
    EXPECT_EQ(inCell(), rest);
}

TEST_F(WorldTest, AddEntityRefusesUnknownRegionsAndMovesWhatIsAlreadyIn)
{
    Entity entity;
    EXPECT_FALSE(world->AddEntity(nullptr, At(kHome, {0, 0, 0}), true));
    EXPECT_FALSE(world->AddEntity(&entity, WorldCoords(), true));
    EXPECT_FALSE(entity.IsInWorld());

    ASSERT_TRUE(world->AddEntity(&entity, At(kHome, {0, 0, 0}), true));
    ASSERT_TRUE(world->AddEntity(&entity, At(kAnnex, {0, 0, 0}), true));
    EXPECT_EQ(world->GetEntityCount(), 1u);
    EXPECT_EQ(InSphere({100, 0, 0}, 0), Sorted({&entity}));

    {
        World other;
        other.CreateRegion(kHome, {0, 0, 0}, ABBox({-1, -1, -1}, {1, 1, 1}));
        ASSERT_TRUE(other.AddEntity(&entity, At(kHome, {0, 0, 0}), false));
        EXPECT_EQ(world->GetEntityCount(), 0u);
    }
    // The world went first; the entity must not point into it.
    EXPECT_FALSE(entity.IsInWorld());
}

TEST_F(WorldTest, RegionsByIdAndByPointAndDistancesAcrossThem)
{
    EXPECT_EQ(world->GetRegionContainingPoint({1050, 10, 50}), world->GetRegionById(kFar));
    EXPECT_EQ(world->GetRegionContainingPoint({100, 0, 0}), world->GetRegionById(kHome));
    EXPECT_EQ(world->GetRegionContainingPoint({150, 0, 0}), world->GetRegionById(kAnnex));
    EXPECT_EQ(world->GetRegionContainingPoint({500, 0, 0}), nullptr);

    EXPECT_EQ(world->CreateRegion(kFar, {}, ABBox()), nullptr);
    EXPECT_EQ(world->CreateRegion(0, {}, ABBox()), nullptr);
    EXPECT_EQ(log.Count(1, "Region id 3 is not free"), 1u);

    // Distances across regions go through their offsets.
    const WorldVec3 home(kHome, {10, 3, 0});
    const WorldVec3 far(kFar, {5, 0, 4}); // world (1005, 0, 4)
    EXPECT_EQ(world->GetDistanceSquared(home, far), 990050.0f);
    EXPECT_EQ(world->GetDistanceSquared(home, WorldVec3()), gPositiveInfinity);
}

TEST_F(WorldTest, GetIntersectionHitsTheFloorFromAboveWithinTheFootprint)
{
    Intersection hit;
    ASSERT_TRUE(
        world->GetIntersection(WorldRay(WorldVec3(kFar, {10, 5, 10}), {0, -2, 0}), hit, 100, true));
    EXPECT_EQ(Found(hit), std::tuple(3.0f, Vec3(10, 2, 10), 7u));

    const WorldRay misses[] = {
        WorldRay(WorldVec3(kFar, {10, 5, 10}), {0, 1, 0}),      // up
        WorldRay(WorldVec3(kFar, {10, 5, 10}), {1, 0, 0}),      // level
        WorldRay(WorldVec3(kFar, {10, 1, 10}), {0, -1, 0}),     // from below the floor
        WorldRay(WorldVec3(kFar, {45, 5, 10}), {1, -0.01f, 0}), // lands beyond the footprint
        WorldRay(WorldVec3(9, {0, 5, 0}), {0, -1, 0}),          // unknown region
    };
    for (const WorldRay& ray : misses) {
        EXPECT_FALSE(world->GetIntersection(ray, hit, 7));
        EXPECT_EQ(hit.distance, gPositiveInfinity);
    }
}

TEST_F(WorldTest, GetIntersectionHitsTheNearestGeometryBoxBeforeTheFloor)
{
    Region* far = world->GetRegionById(kFar);
    far->AddGeometryBox(ABBox({20, 0, 0}, {22, 6, 50}), 3);
    far->AddGeometryBox(ABBox({15, 0, 0}, {16, 6, 50}), 4);
    Intersection hit;
    ASSERT_TRUE(world->GetIntersection(WorldRay(WorldVec3(kFar, {10, 5, 10}), {1, 0, 0}), hit));
    EXPECT_EQ(Found(hit), std::tuple(5.0f, Vec3(15, 5, 10), 4u));

    // Steeply down, the floor comes first; from inside a box, the box at once.
    ASSERT_TRUE(world->GetIntersection(WorldRay(WorldVec3(kFar, {14, 5, 10}), {1, -3, 0}), hit));
    EXPECT_EQ(hit.surface, 7u);
    ASSERT_TRUE(world->GetIntersection(WorldRay(WorldVec3(kFar, {21, 1, 10}), {-1, 0, 0}), hit));
    EXPECT_EQ(std::pair(hit.distance, hit.surface), std::pair(0.0f, 3u));

    EXPECT_FALSE(world->GetIntersection(WorldRay(WorldVec3(kFar, {10, 7, 10}), {1, 0, 0}), hit));
}

TEST_F(WorldTest, TranslateCrossesRegionsAndFloorPlacementLeavesFailuresUnchanged)
{
    WorldVec3 point(kHome, {90, 0, 0});
    point.Translate({60, 1, 0});
    EXPECT_EQ(point, WorldVec3(kAnnex, {50, 1, 0}));

    point.Translate({500, 0, 0}); // nothing there: stays in the annex, out of bounds
    EXPECT_EQ(point, WorldVec3(kAnnex, {550, 1, 0}));

    // On the shared face both regions contain the point; it stays where it was.
    point = WorldVec3(kAnnex, {0, 0, 0});
    point.Translate({0, 1, 0});
    EXPECT_EQ(point, WorldVec3(kAnnex, {0, 1, 0}));

    point = WorldVec3(kHome, {90, 5, 0});
    ASSERT_TRUE(point.TranslateToFloor({20, 3, 0}));
    EXPECT_EQ(point, WorldVec3(kAnnex, {10, 1.5f, 0}));

    WorldVec3 far(kFar, {10, 9, 10});
    EXPECT_TRUE(far.PutOnFloor());
    EXPECT_EQ(far, WorldVec3(kFar, {10, 2, 10}));

    for (WorldVec3 stuck : {WorldVec3(kFar, {10, 9, 10}), WorldVec3(), WorldVec3(9, {})}) {
        const WorldVec3 before = stuck;
        EXPECT_FALSE(stuck.TranslateToFloor({100, 0, 0}));
        EXPECT_EQ(stuck, before);
    }

    // Without an engine world only the world handed over places on the floor.
    std::unique_ptr<World> mine = gEngine->SetWorld(nullptr);
    EXPECT_FALSE(far.PutOnFloor());
    EXPECT_EQ(far.GetRegion(), nullptr);
    point = WorldVec3(kHome, {90, 5, 0});
    EXPECT_TRUE(point.TranslateToFloor({20, 3, 0}, *mine));
    EXPECT_EQ(point, WorldVec3(kAnnex, {10, 1.5f, 0}));
    gEngine->SetWorld(std::move(mine));
}

TEST_F(WorldTest, WorldCoordsFaceTargetsUprightOrFreely)
{
    WorldCoords coords;
    coords.LookAtNoLean(WorldVec3(kHome, {0, 0, 0}), WorldVec3(kHome, {3, 5, 4}), {0, 1, 0});
    EXPECT_EQ(coords.GetRegionCoords(),
              Coords({-0.8f, 0, 0.6f}, {0, 1, 0}, {0.6f, 0, 0.8f}, {0, 0, 0}));

    // The target across the region border, seen from home.
    coords.LookAt(WorldVec3(kHome, {90, 0, 0}), WorldVec3(kAnnex, {0, 0, 0}), {0, 1, 0});
    EXPECT_EQ(coords.GetRegionId(), kHome);
    EXPECT_EQ(std::pair(coords.GetRegionCoords().forward, coords.GetRegionCoords().right),
              std::pair(Vec3(1, 0, 0), Vec3(0, 0, 1)));

    // Straight up has no upright facing: the frame stays, the position moves.
    const Coords before = coords.GetRegionCoords();
    coords.LookAtNoLean(WorldVec3(kHome, {1, 0, 0}), WorldVec3(kHome, {1, 9, 0}), {0, 1, 0});
    EXPECT_EQ(coords.GetRegionCoords(), Coords(before.right, before.up, before.forward, {1, 0, 0}));
}

// Writes each step of its frame into a shared journal and runs an optional chore in UpdateSelf.
class Journaling : public Actor {
public:
    Journaling(std::string label, std::vector<std::string>& journal)
        : label(std::move(label)), journal(journal)
    {}
    void PreAnimationUpdate(int32_t elapsedMs) override { Write("pre", elapsedMs); }
    void AnimationCallback(int32_t, const Name& name) override { Write(name.GetString(), 0); }
    void UpdateSelf(int32_t elapsedMs) override
    {
        Write("self", elapsedMs);
        if (chore)
            std::exchange(chore, nullptr)();
    }
    std::function<void()> chore;
    const std::string& GetLabel() const { return label; }

private:
    void Write(const std::string& step, int32_t ms)
    {
        journal.push_back(label + ":" + step + (ms != 0 ? "/" + std::to_string(ms) : ""));
    }
    std::string label;
    std::vector<std::string>& journal;
};

class WorldUpdateTest : public EngineWorldFixture {
protected:
    void SetUp() override
    {
        EngineWorldFixture::SetUp();
        world->CreateRegion(kHome, {0, 0, 0}, ABBox({-50, -10, -50}, {50, 10, 50}));
    }
    Journaling* Make(const std::string& label)
    {
        actors.push_back(std::make_unique<Journaling>(label, journal));
        world->AddEntity(actors.back().get(), WorldCoords(kHome, Coords()), true);
        return actors.back().get();
    }

    std::vector<std::string> journal;
    std::vector<std::unique_ptr<Journaling>> actors;
};

TEST_F(WorldUpdateTest, EachEntityRunsItsWholeFrameInTheOrderItWasAdded)
{
    GraphicsAnim wave("Wave", 3, 30, 1.0f);
    Journaling* a = Make("a");
    Make("b");
    a->PlayAnimation(0, &wave, false, 1.0f, 0);
    gEngine->RunFrame(100);
    EXPECT_EQ(journal, (std::vector<std::string>{"a:pre/100", "a:End", "a:self/100", "b:pre/100",
                                                 "b:self/100"}));
}

TEST_F(WorldUpdateTest, EntitiesAddedOrRemovedDuringAFrameWaitOrAreLeftAlone)
{
    Journaling* a = Make("a");
    Make("b");
    Make("c");
    // Deleting c mid-frame must not leave the world touching it; d joins from the next frame.
    a->chore = [&] {
        actors.back().reset();
        Make("d");
    };
    world->UpdateEntities(0);
    EXPECT_EQ(journal, (std::vector<std::string>{"a:pre", "a:self", "b:pre", "b:self"}));
    journal.clear();
    world->UpdateEntities(16);
    EXPECT_EQ(journal, (std::vector<std::string>{"a:pre/16", "a:self/16", "b:pre/16", "b:self/16",
                                                 "d:pre/16", "d:self/16"}));
    EXPECT_EQ(world->GetEntityCount(), 3u);
}

// Leavers' places are swept out of the order only once they are half of it. Either way the rest
// keep their order, and after a sweep a leaver still leaves its own place and no other.
TEST_F(WorldUpdateTest, ManyLeaversKeepTheOrderOfTheRest)
{
    for (const int keepOneIn : {2, 4}) {
        SCOPED_TRACE(keepOneIn);
        actors.clear();
        std::vector<Journaling*> staying;
        for (int i = 0; i < 200; ++i) {
            Journaling* actor = Make(std::to_string(i));
            if (i % keepOneIn == 0)
                staying.push_back(actor);
            else
                world->RemoveEntity(actor);
        }
        world->UpdateEntities(0);
        world->RemoveEntity(staying[1]);
        world->RemoveEntity(staying[0]);
        world->AddEntity(staying[0], WorldCoords(kHome, Coords()), true);
        std::rotate(staying.begin(), staying.begin() + 1, staying.end());
        staying.erase(staying.begin());
        journal.clear();
        world->UpdateEntities(0);
        std::vector<std::string> expected;
        for (const Journaling* actor : staying) {
            expected.push_back(actor->GetLabel() + ":pre");
            expected.push_back(actor->GetLabel() + ":self");
        }
        EXPECT_EQ(journal, expected);
    }
}

TEST_F(WorldUpdateTest, ActorsInThePreLoadFrustumCountAsDrawnEachFrame)
{
    Journaling* seen = Make("seen");
    Journaling* hidden = Make("hidden");
    hidden->SetInRenderPreLoadFrustum(false);
    for (int i = 0; i < 8; ++i)
        gEngine->RunFrame(16);
    EXPECT_EQ(seen->GetLastFrameRendered(), gEngine->GetFrameCount() - 1);
    EXPECT_EQ(hidden->GetLastFrameRendered(), 0u);
}

TEST_F(WorldUpdateTest, TheRecordsOfPresentationRequestsStayBounded)
{
    for (int32_t i = 0; i < 300; ++i)
        world->CreateDisturbance(WorldVec3(kHome, Vec3(float(i), 0, 0)), 0.5f, 2.0f, i % 2);
    Journaling* gone = Make("gone");
    gEngine->GetPhysicsEngine().RemoveEntityFromSimulation(gone);
    gEngine->GetPhysicsEngine().RemoveEntityFromSimulation(nullptr);

    const auto& disturbances = world->GetDisturbances();
    ASSERT_EQ(disturbances.GetSize(), 256u);
    EXPECT_EQ(disturbances.GetTotalCount(), 300u);
    EXPECT_EQ(disturbances[0].position.GetRegionPosition().x, 44.0f) << "oldest kept";
    ASSERT_EQ(gEngine->GetPhysicsEngine().GetRemovedEntities().GetSize(), 1u);
}

TEST(RegionLoaderTest, LoadsOverTheSetNumberOfFrames)
{
    RegionLoader::SetFramesToLoad(2);
    RegionLoader loader({1, 2});
    RegionLoader::SetFramesToLoad(-4);
    EXPECT_EQ(RegionLoader::GetFramesToLoad(), 0);
    RegionLoader::SetFramesToLoad(RegionLoader::kDefaultFramesToLoad);
    EXPECT_FALSE(loader.GetIsDone());
    loader.Update();
    EXPECT_FALSE(loader.GetIsDone());
    loader.Update();
    EXPECT_TRUE(loader.GetIsDone());
}

// A box of x, y and z in [0, 100] around the origin of region 1.
Frustum BoxFrustum()
{
    Frustum::Planes planes{};
    const Vec3 axes[3] = {Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1)};
    for (int axis = 0; axis < 3; ++axis) {
        planes[axis * 2] = {axes[axis], 0.0f};
        planes[axis * 2 + 1] = {-axes[axis], 100.0f};
    }
    return Frustum(planes);
}

TEST(RegionLoaderTest, TheWorldGivesTheRegionsAFrustumReachesOwnRegionFirst)
{
    World world;
    const ABBox bounds(Vec3(0, 0, 0), Vec3(64, 64, 64));
    world.CreateRegion(1, Vec3(300, 0, 0), bounds);
    world.CreateRegion(2, Vec3(380, 0, 0), bounds);
    world.CreateRegion(3, Vec3(600, 0, 0), bounds);
    world.CreateRegion(4, Vec3(150, 0, 0), bounds);
    const auto seenFrom = [&world](uint32_t region) {
        std::vector<Region*> regions;
        world.GetRegionsInFrustum(regions, WorldFrustum(region, BoxFrustum()));
        std::vector<uint32_t> ids;
        for (const Region* seen : regions)
            ids.push_back(seen->GetId());
        return ids;
    };
    EXPECT_EQ(seenFrom(2), std::vector<uint32_t>{2}) << "region 1 ends at x = 364, short of 380";
    EXPECT_EQ(seenFrom(1), (std::vector<uint32_t>{1, 2})) << "region 2 starts at x = 380";
    EXPECT_TRUE(seenFrom(9).empty());
}

} // namespace
} // namespace GAME
