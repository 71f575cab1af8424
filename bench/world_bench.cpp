// The world's area queries, asked by every monster's sight and every area skill each frame: a
// sphere of radius 5 among 10,000 entities spread over 200 x 200, answered through the grid and,
// side by side, by a scan of every entity. Then the path finder: a free straight line, and a
// way round eight obstacles strewn across it.
#include "engine/DynamicObstacle.h"
#include "engine/Entity.h"
#include "engine/Path.h"
#include "engine/Region.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace GAME {

namespace {

constexpr int kEntityCount = 10000;
constexpr float kSide = 200.0f;
constexpr float kRadius = 5.0f;

struct Crowd {
    World world;
    Region* region = nullptr;
    std::vector<std::unique_ptr<Entity>> entities;
    std::vector<Vec3> centers;

    Crowd()
    {
        region = world.CreateRegion(1, {0, 0, 0}, ABBox({0, -10, 0}, {kSide, 10, kSide}));
        std::mt19937 generator(1234);
        std::uniform_real_distribution<float> across(0.0f, kSide);
        for (int i = 0; i < kEntityCount; ++i) {
            entities.push_back(std::make_unique<Entity>());
            const Vec3 position(across(generator), 0.0f, across(generator));
            world.AddEntity(entities.back().get(),
                            WorldCoords(1, Coords::FromTranslation(position)), true);
        }
        for (int i = 0; i < 256; ++i)
            centers.emplace_back(across(generator), 0.0f, across(generator));
    }
};

Crowd& GetCrowd()
{
    static Crowd crowd;
    return crowd;
}

} // namespace

static void BM_World_SphereQuery_Grid(benchmark::State& state)
{
    Crowd& crowd = GetCrowd();
    std::vector<Entity*> out;
    size_t which = 0;
    for (auto _ : state) {
        out.clear();
        crowd.world.GetEntitiesInSphere(out, crowd.region, crowd.centers[which], kRadius, true, 2);
        benchmark::DoNotOptimize(out.data());
        which = (which + 1) % crowd.centers.size();
    }
}
BENCHMARK(BM_World_SphereQuery_Grid);

static void BM_World_SphereQuery_BruteForce(benchmark::State& state)
{
    Crowd& crowd = GetCrowd();
    std::vector<Entity*> out;
    size_t which = 0;
    const float radiusSquared = kRadius * kRadius;
    for (auto _ : state) {
        out.clear();
        const Vec3& center = crowd.centers[which];
        for (const auto& entity : crowd.entities) {
            const Vec3& position = entity->GetCoords().GetRegionCoords().origin;
            if ((position - center).LengthSquared() <= radiusSquared)
                out.push_back(entity.get());
        }
        benchmark::DoNotOptimize(out.data());
        which = (which + 1) % crowd.centers.size();
    }
}
BENCHMARK(BM_World_SphereQuery_BruteForce);

namespace {

// Eight obstacles of radius 1 scattered about the line from (-30, 0, 0) to (30, 0, 0).
struct Course {
    World world;
    std::vector<std::unique_ptr<DynamicObstacle>> obstacles;

    Course()
    {
        Region* region = world.CreateRegion(1, {0, 0, 0}, ABBox({-50, -10, -50}, {50, 10, 50}));
        const float places[8][2] = {{-21, 0.4f}, {-15, -0.8f}, {-9, 1.1f}, {-3, -0.2f},
                                    {3, 0.9f},   {9, -1.0f},   {15, 0.3f}, {21, -0.6f}};
        for (const auto& place : places) {
            obstacles.push_back(
                DynamicObstacle::Create(region, Sphere({place[0], 1, place[1]}, 1.0f)));
            obstacles.back()->Attach();
        }
    }
};

Course& GetCourse()
{
    static Course course;
    return course;
}

void RunFindPath(benchmark::State& state, const Vec3& from, const Vec3& to)
{
    World& world = GetCourse().world;
    for (auto _ : state) {
        std::unique_ptr<Path> path =
            world.FindPath(0, {1, from}, {1, to}, Vec3(), 0.1f, 0.4f, 0.5f, 1.0f, 30);
        if (path == nullptr) {
            state.SkipWithError("no path");
            return;
        }
        benchmark::DoNotOptimize(path.get());
    }
}

} // namespace

static void BM_World_FindPath_Straight(benchmark::State& state)
{
    RunFindPath(state, {-30, 0, 10}, {30, 0, 12});
}
BENCHMARK(BM_World_FindPath_Straight);

static void BM_World_FindPath_EightObstacles(benchmark::State& state)
{
    RunFindPath(state, {-30, 0, 0}, {30, 0, 0});
}
BENCHMARK(BM_World_FindPath_EightObstacles);

} // namespace GAME
