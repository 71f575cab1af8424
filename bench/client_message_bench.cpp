// A client's cost per message it carries out, with and without 2,000 idle monsters in a region
// of their own: the session carries out the server's word (a monster of the pack moved) and the
// client looks at what it changed, as a client of `gamehost` does after each message. Budget: the
// two within 10% of each other, for a client's cost per message must not grow with its world.
#include "characters/Monster.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "host/ArenaSamples.h"
#include "host/HostSamples.h"
#include "host/SeenWorld.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/NetworkSession.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <sstream>

namespace GAME {
namespace {

constexpr uint32_t kIdleRegion = 2;

WorldCoords At(uint32_t region, float x, float z)
{
    return WorldCoords(WorldVec3(region, Vec3(x, 0.0f, z)));
}

// A grid of monsters far from the pack, that nothing wakes.
bool MakeIdle(int64_t count)
{
    World& world = *gEngine->GetWorld();
    if (world.CreateRegion(kIdleRegion, {1000, 0, 0}, ABBox({-200, -10, -200}, {200, 10, 200})) ==
        nullptr)
        return false;
    for (int64_t i = 0; i < count; ++i) {
        Monster* monster = HostSamples::Make<Monster>(ArenaSamples::kJackal, std::cerr);
        if (monster == nullptr)
            return false;
        HostSamples::EnterWorld(*monster, At(kIdleRegion, -180.0f + float(i % 45) * 8.0f,
                                             -180.0f + float(i / 45) * 8.0f));
    }
    return true;
}

void BM_ClientMessage(benchmark::State& state)
{
    const Engine::LogSink previous = gEngine->SetLogSink([](int, const std::string&) {});
    ObjectManager::Instance().GetDatabase().SetRoot(GAME_DATABASE);
    const bool played = HostSamples::InNetworkWorld(true, std::cerr, [&] {
        Monster* moved = HostSamples::Make<Monster>(ArenaSamples::kJackal, std::cerr);
        Monster* still = HostSamples::Make<Monster>(ArenaSamples::kJackal, std::cerr);
        if (moved == nullptr || still == nullptr || !MakeIdle(state.range(0)))
            return false;
        HostSamples::EnterWorld(*moved, At(1, 10.0f, -6.0f));
        HostSamples::EnterWorld(*still, At(1, 11.0f, -7.0f));
        NetworkSession session(gEngine->GetNetworkConnectionManager());
        SeenWorld seen(*gEngine->GetWorld());
        std::ostringstream lines;
        session.OnCarriedOut([&] { seen.Observe(lines); });
        UpdatePositionPacket step;
        step.entityId = moved->GetObjectId();
        float x = 0.0f;
        for (auto _ : state) {
            x = x < 10.0f ? x + 0.1f : 0.0f;
            step.coords = At(1, x, -6.0f);
            session.OnMessage(ConnectionManager::kServerHost, step);
        }
        return seen.GetMonsters().size() == size_t(state.range(0)) + 2;
    });
    gEngine->SetLogSink(previous);
    if (!played)
        state.SkipWithError("the monsters were not made");
}
BENCHMARK(BM_ClientMessage)->Arg(0)->Arg(2000)->Unit(benchmark::kNanosecond);

} // namespace
} // namespace GAME
