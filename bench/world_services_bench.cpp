// The world services that run many times a frame:
//
// - GetTargetsInRadius among 10,000 characters, about 50 of them inside: budget 5 microseconds.
// - IsUniqueProxySelected with 1,000 spawn-pool groups loaded: budget 300 nanoseconds.
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "engine/Engine.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "world/Proxy.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

using Bench::BenchWorld;

void BM_GetTargetsInRadius(benchmark::State& state)
{
    const BenchWorld game("", 600.0f);
    // A 100 x 100 grid 10 units apart: a radius of 40 holds about 50 of them.
    const Team monsters = TeamManager::DefaultMonsterTeam();
    for (int x = 0; x < 100; ++x) {
        for (int z = 0; z < 100; ++z) {
            auto* character =
                static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
            character->SetTeam(monsters);
            const Vec3 position(static_cast<float>(x * 10 - 495), 0.0f,
                                static_cast<float>(z * 10 - 495));
            gEngine->GetWorld()->AddEntity(
                character, WorldCoords(WorldVec3(BenchWorld::kRegion, position)), true);
            character->InitialUpdate();
        }
    }
    std::vector<uint32_t> out;
    const WorldVec3 centre(BenchWorld::kRegion, Vec3());
    for (auto _ : state) {
        out.clear();
        gGameEngine->GetTargetsInRadius(TeamManager::DefaultPlayerTeam(), centre, 40.0f, out, 0,
                                        false);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["targets"] = static_cast<double>(out.size());
}
BENCHMARK(BM_GetTargetsInRadius);

void BM_IsUniqueProxySelected(benchmark::State& state)
{
    const BenchWorld game("", 600.0f);
    std::vector<Proxy*> proxies;
    for (uint32_t group = 0; group < 1000; ++group) {
        std::vector<UniqueId> ids;
        for (uint32_t member = 0; member < 2; ++member) {
            auto* proxy = static_cast<Proxy*>(ObjectManager::Instance().CreateObject("Proxy"));
            proxy->SetUniqueID(UniqueId(group + 1, member + 1, 0, 0));
            ids.push_back(proxy->GetUniqueID());
            proxies.push_back(proxy);
        }
        InstanceGroupManager::Instance().AddGroup(
            InstanceGroup("Unique Proxies", "Group" + std::to_string(group), ids));
    }
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(gGameEngine->IsUniqueProxySelected(proxies[next]));
        next = next + 1 == proxies.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_IsUniqueProxySelected);

} // namespace
} // namespace GAME
