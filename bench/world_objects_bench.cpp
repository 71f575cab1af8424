// Bounding volumes in a busy level: 300 volumes of radius 10 among 1,000 entities that all move
// each frame over 400 x 400. One frame of every volume's update (the sphere query, the sort and
// the merge, the events for who came and went) is measured against, in the same run, the 300
// bare sphere queries it makes. The moves between frames are not timed.
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "world/BoundingVolume.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace GAME {

namespace {

constexpr int kEntityCount = 1000;
constexpr int kVolumeCount = 300;
constexpr float kSide = 400.0f;
constexpr float kRadius = 10.0f;

struct WalkersLevel {
    std::vector<Entity*> walkers;
    std::vector<Vec3> headings;
    std::vector<BoundingVolume*> volumes;
    std::mt19937 generator{1234};
    World* world = nullptr;
    Region* region = nullptr;

    WalkersLevel()
    {
        gEngine->SetWorld(std::make_unique<World>());
        world = gEngine->GetWorld();
        region = world->CreateRegion(1, {0, 0, 0}, ABBox({0, -10, 0}, {kSide, 10, kSide}));
        std::uniform_real_distribution<float> across(0.0f, kSide);
        std::uniform_real_distribution<float> step(-2.0f, 2.0f);
        ObjectManager& objects = ObjectManager::Instance();
        for (int i = 0; i < kEntityCount; ++i) {
            auto* entity = static_cast<Entity*>(objects.CreateObject("Entity"));
            world->AddEntity(entity, At({across(generator), 0.0f, across(generator)}), true);
            walkers.push_back(entity);
            headings.emplace_back(step(generator), 0.0f, step(generator));
        }
        for (int i = 0; i < kVolumeCount; ++i) {
            auto* volume = static_cast<BoundingVolume*>(objects.CreateObject("BoundingVolume"));
            volume->SetRadius(kRadius);
            world->AddEntity(volume, At({across(generator), 0.0f, across(generator)}), true);
            volume->InitialUpdate();
            volumes.push_back(volume);
        }
    }

    static WorldCoords At(const Vec3& position)
    {
        return WorldCoords(1, Coords::FromTranslation(position));
    }

    // Everyone takes a step, turning back at the edges.
    void Move()
    {
        for (size_t i = 0; i < walkers.size(); ++i) {
            Vec3 next = walkers[i]->GetCoords().GetRegionCoords().origin + headings[i];
            if (next.x < 0.0f || next.x > kSide || next.z < 0.0f || next.z > kSide) {
                headings[i] = -headings[i];
                next = walkers[i]->GetCoords().GetRegionCoords().origin + headings[i];
            }
            world->SetPosition(walkers[i], WorldVec3(1, next));
        }
    }
};

WalkersLevel& GetLevel()
{
    static WalkersLevel level;
    return level;
}

} // namespace

static void BM_WorldObjects_VolumeUpdates(benchmark::State& state)
{
    WalkersLevel& level = GetLevel();
    for (auto _ : state) {
        state.PauseTiming();
        level.Move();
        state.ResumeTiming();
        for (BoundingVolume* volume : level.volumes)
            volume->UpdateSelf(33);
    }
}
BENCHMARK(BM_WorldObjects_VolumeUpdates);

static void BM_WorldObjects_BareSphereQueries(benchmark::State& state)
{
    WalkersLevel& level = GetLevel();
    std::vector<Entity*> out;
    for (auto _ : state) {
        state.PauseTiming();
        level.Move();
        state.ResumeTiming();
        for (BoundingVolume* volume : level.volumes) {
            out.clear();
            level.world->GetEntitiesInSphere(out, level.region,
                                             volume->GetCoords().GetRegionCoords().origin,
                                             volume->GetRadius(), true, 2);
            benchmark::DoNotOptimize(out.data());
        }
    }
}
BENCHMARK(BM_WorldObjects_BareSphereQueries);

} // namespace GAME
