// The horde's frame on a server with 0, 1, 8 and 15 client hosts joined over loopback (15 is
// all a server takes: a player id carries its host in four bits). Each client's hero stands
// with a pack; the client says what a playing client says (its hero once it is made, a
// heartbeat each 900 ms, an attack on the nearest monster each second), and hears everything
// the server replicates. The server's frame (Service, the engine's frame, the hub, the
// session's spawns and destroys, Flush) is timed on the thread's own clock; the cost per
// client is the frame's cost beyond the fight alone, divided by the clients. Budget: per
// client at 15 clients within 1.25 times the figure at 8.
#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/FrameCostHistogram.h"
#include "host/HostSamples.h"
#include "host/scenarios/HordeFight.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/NetworkSession.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "tests/support/LoopbackClients.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace GAME {
namespace {

constexpr int32_t kMonsters = 100;
constexpr int32_t kFrameMs = 33;
constexpr int32_t kFrames = 300;
constexpr int64_t kHeartbeatEvery = 27;
constexpr int64_t kAttackEvery = 30;

struct Phases {
    double transportMs = 0.0;
    double gameMs = 0.0;
};

// The mean frame and its transport's share by the number of clients, as last measured in this
// process: the run without clients is the base they add to.
std::map<int, Phases>& MeanByClients()
{
    static std::map<int, Phases> means;
    return means;
}

class ServerWithClients {
public:
    ServerWithClients(HordeFight& fight, int clients) : fight(fight)
    {
        server.Listen(0);
        session = std::make_unique<NetworkSession>(server);
        session->SetWelcome(1, clients + 1, 0);
        peers = Test::JoinClients(server, clients);
        for (const auto& peer : peers) {
            heroes.push_back(MakeHero(*peer));
            server.MarkPlaying(peer->GetLocalHostID());
        }
    }
    // The clients go without a goodbye: waiting for the server's answer would only take time.
    ~ServerWithClients()
    {
        peers.clear();
        session.reset();
    }

    bool AllHeroesIn() const
    {
        for (uint32_t id : heroes)
            if (ObjectManager::Instance().GetObject<Player>(id) == nullptr)
                return false;
        return true;
    }

    // What every client sends before frame `frame` and what it takes in; not the server's cost.
    // On a thread of its own, so that a profile tells the clients' work from the server's; the
    // server waits for it, so the two never run at once.
    void ClientsPlay(int64_t frame)
    {
        std::thread([&] { ClientsSend(frame); }).join();
    }

    // The frame's cost; `phases` adds up the cost of its transport's part (taking in and
    // sending out) and of the game's.
    double ServerFrame(Phases& phases)
    {
        const double start = HordeFight::ThreadMs();
        server.Service();
        const double serviced = HordeFight::ThreadMs();
        gEngine->RunFrame(kFrameMs);
        GameEngine::Get().Update(kFrameMs);
        session->Update();
        const double updated = HordeFight::ThreadMs();
        server.Flush();
        const double end = HordeFight::ThreadMs();
        phases.transportMs += (serviced - start) + (end - updated);
        phases.gameMs += updated - serviced;
        return end - start;
    }

private:
    void ClientsSend(int64_t frame)
    {
        for (size_t i = 0; i < peers.size(); ++i) {
            ConnectionManager& peer = *peers[i];
            if ((frame + int64_t(i)) % kHeartbeatEvery == 0) {
                SinglePlayerHeartbeatPacket heartbeat;
                heartbeat.player.playerId = heroes[i];
                peer.SendPacket(heartbeat);
            }
            if ((frame + int64_t(i)) % kAttackEvery == 0)
                Attack(peer, i);
            peer.Service();
            peer.Flush();
        }
    }

    // The client's hero beside its pack's chieftain, made on the server under the client's
    // host, as a spawned player is; the client then names it to the server.
    uint32_t MakeHero(ConnectionManager& peer)
    {
        const uint32_t host = static_cast<uint32_t>(peer.GetLocalHostID());
        const uint32_t id = (host << 28) | 1u;
        const std::vector<uint32_t>& horde = fight.GetHorde();
        const size_t packs = horde.size() / HordeFight::kPackSize;
        const uint32_t leader = horde[(host - 1) % packs * HordeFight::kPackSize];
        const auto* chief = ObjectManager::Instance().GetObject<Monster>(leader);
        auto* hero = HostSamples::Make<Player>(HordeFight::kHero, std::cerr, id);
        if (hero == nullptr || chief == nullptr)
            return id;
        WorldVec3 at = chief->GetCoords().GetPosition();
        at.SetRegionPosition(at.GetRegionPosition() + Vec3(-2.0f, 0.0f, 3.0f));
        gEngine->GetWorld()->AddEntity(hero, WorldCoords(at), false);
        hero->InitialUpdate();
        hero->GetCharacterBio().Update(*hero, 0);
        SinglePlayerBasicInfoPacket info;
        hero->GetPlayerNetBasicInfo(info.player);
        peer.SendPacket(info);
        peer.Flush();
        return id;
    }

    // The hero strikes the first of his pack still standing.
    void Attack(ConnectionManager& peer, size_t client) const
    {
        const auto* hero = ObjectManager::Instance().GetObject<Player>(heroes[client]);
        if (hero == nullptr || !hero->IsAlive())
            return;
        const std::vector<uint32_t>& horde = fight.GetHorde();
        const size_t packs = horde.size() / HordeFight::kPackSize;
        const size_t first = client % packs * HordeFight::kPackSize;
        for (size_t i = first; i < first + HordeFight::kPackSize; ++i) {
            const auto* monster = ObjectManager::Instance().GetObject<Monster>(horde[i]);
            if (monster == nullptr || !monster->IsAlive())
                continue;
            AttackPacket attack;
            attack.ownerId = heroes[client];
            attack.defenderId = horde[i];
            attack.location = hero->GetCoords().GetPosition();
            attack.targetLocation = monster->GetCoords().GetPosition();
            peer.SendPacket(attack);
            return;
        }
    }

    HordeFight& fight;
    ConnectionManager& server = gEngine->GetNetworkConnectionManager();
    std::unique_ptr<NetworkSession> session;
    std::vector<std::unique_ptr<ConnectionManager>> peers;
    std::vector<uint32_t> heroes;
};

void BM_ServerFrameWithClients(benchmark::State& state)
{
    const int clients = static_cast<int>(state.range(0));
    const Engine::LogSink previous = gEngine->SetLogSink([](int, const std::string&) {});
    ObjectManager::Instance().GetDatabase().SetRoot(GAME_DATABASE);
    gEngine->SetNetworkMode(true, false);
    FrameCostHistogram frames(HordeFight::kFrameMsDecimals);
    Phases phases;
    int32_t deaths = 0;
    const bool played = HostSamples::WithLibrary(std::cerr, [&] {
        GameEngine::Get().SetAsNetworkServer();
        HordeFight fight(kMonsters, 1, std::cerr);
        if (!fight.Stage())
            return false;
        ServerWithClients loopback(fight, clients);
        int64_t frame = 0;
        // The heroes' news crosses before the fight starts; the spawn frame is not measured.
        for (; frame < 20 || (!loopback.AllHeroesIn() && frame < 200); ++frame) {
            loopback.ClientsPlay(frame);
            std::this_thread::sleep_for(std::chrono::microseconds(300));
            Phases warming;
            loopback.ServerFrame(warming);
        }
        for (auto _ : state) {
            loopback.ClientsPlay(++frame);
            // The datagrams cross the loopback before the frame takes them in.
            std::this_thread::sleep_for(std::chrono::microseconds(300));
            const double ms = loopback.ServerFrame(phases);
            state.SetIterationTime(ms / 1000.0);
            frames.Add(ms);
        }
        deaths = fight.CountDeaths();
        return loopback.AllHeroesIn();
    });
    gEngine->GetNetworkConnectionManager().Disconnect();
    gEngine->SetNetworkMode(false, false);
    gEngine->SetLogSink(previous);
    if (!played) {
        state.SkipWithError("the fight did not stage or a hero did not join");
        return;
    }
    const HordeFight::Figures sum = HordeFight::Sum(frames, kMonsters);
    const double count = static_cast<double>(std::max<uint64_t>(frames.GetCount(), 1));
    const Phases mean{phases.transportMs / count, sum.meanMs - phases.transportMs / count};
    MeanByClients()[clients] = mean;
    state.counters["mean_ms"] = sum.meanMs;
    state.counters["p99_ms"] = sum.p99Ms;
    state.counters["worst_ms"] = sum.worstMs;
    state.counters["transport_us"] = mean.transportMs * 1000.0;
    state.counters["game_us"] = mean.gameMs * 1000.0;
    const auto alone = MeanByClients().find(0);
    if (clients > 0 && alone != MeanByClients().end()) {
        const Phases& base = alone->second;
        state.counters["per_client_us"] =
            (sum.meanMs - base.transportMs - base.gameMs) * 1000.0 / clients;
        state.counters["transport_per_client_us"] =
            (mean.transportMs - base.transportMs) * 1000.0 / clients;
    }
    state.SetLabel(std::to_string(deaths) + " fallen");
}
BENCHMARK(BM_ServerFrameWithClients)
    ->Arg(0)
    ->Arg(1)
    ->Arg(8)
    ->Arg(15)
    ->UseManualTime()
    ->Iterations(kFrames)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace GAME
