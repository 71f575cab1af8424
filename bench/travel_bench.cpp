// A frame of the game (the engine's update and the world's entity update) with the main player
// teleporting, against the same frame with nothing travelling: a teleport may add 5 microseconds.
#include "bench/BenchWorld.h"
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace GAME {
namespace {

constexpr int32_t kFrameMs = 16;

// The engine with two far-apart regions and a main player in the first.
class TravelGame : public Bench::BenchWorld {
public:
    TravelGame() : BenchWorld("", 20.0f)
    {
        World& world = *gEngine->GetWorld();
        world.CreateRegion(2, Vec3(1000, 0, 0), ABBox(Vec3(-20, -10, -20), Vec3(20, 10, 20)));
        player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
        world.AddEntity(player, WorldCoords(WorldVec3(kRegion, Vec3())), false);
        player->InitialUpdate();
        gGameEngine->SetGameLoading(false);
    }
    ~TravelGame() { ActivityManager::Get().Clear(); }

    void Frame()
    {
        gGameEngine->Update(kFrameMs);
        gEngine->GetWorld()->UpdateEntities(kFrameMs);
        // The transport keeps what is sent until taken; a host takes it every frame.
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
    }

    Player* player = nullptr;
};

void BM_Frame_Idle(benchmark::State& state)
{
    TravelGame game;
    for (auto _ : state)
        game.Frame();
}
BENCHMARK(BM_Frame_Idle);

void BM_Frame_Teleporting(benchmark::State& state)
{
    TravelGame game;
    uint32_t teleport = 0;
    bool toFar = true;
    for (auto _ : state) {
        // A teleport ends after a few hundred frames; the next one goes back.
        if (teleport == 0 || !ActivityManager::Get().IsActivityActive(teleport)) {
            state.PauseTiming();
            gGameEngine->InitiatePlayerTeleport(toFar ? 1005 : 5, 0, 5);
            teleport = ActivityManager::Get().GetLastId();
            toFar = !toFar;
            game.Frame();
            state.ResumeTiming();
        }
        game.Frame();
    }
}
BENCHMARK(BM_Frame_Teleporting);

} // namespace
} // namespace GAME
