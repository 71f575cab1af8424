// The wire and the transport. (1) Every packet class, a filled sample of each (lists of two),
// prepared and decoded again: the round trips of the whole catalogue within 10.3 us, one core.
// (2) A server on loopback with 0, 1, 4 and 8 client hosts sending what a playing client sends
// (a heartbeat each 900 ms, ten actions a second, acknowledgements): each client adds under
// 50 us to the server's frame of Service, update and Flush.
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "host/scenarios/PacketCatalogue.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/NetworkSession.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "tests/support/LoopbackClients.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <thread>
#include <vector>

namespace GAME {
namespace {

void BM_RoundTrip(benchmark::State& state, const PacketCatalogue::Entry* entry)
{
    std::unique_ptr<NetPacket> packet = entry->makeFilled();
    for (auto _ : state) {
        const uint32_t size = packet->PrepareOutBuffer();
        std::unique_ptr<NetPacket> decoded =
            ConnectionManager::DecodePacket(packet->GetOutBuffer(), size);
        benchmark::DoNotOptimize(decoded);
    }
}

void BM_RoundTripCatalogue(benchmark::State& state)
{
    std::vector<std::unique_ptr<NetPacket>> samples;
    for (const PacketCatalogue::Entry& entry : PacketCatalogue::Entries())
        samples.push_back(entry.makeFilled());
    for (auto _ : state) {
        for (const auto& packet : samples) {
            const uint32_t size = packet->PrepareOutBuffer();
            std::unique_ptr<NetPacket> decoded =
                ConnectionManager::DecodePacket(packet->GetOutBuffer(), size);
            benchmark::DoNotOptimize(decoded);
        }
    }
    state.counters["types"] = static_cast<double>(samples.size());
    state.counters["round trips/s"] = benchmark::Counter(
        static_cast<double>(samples.size()) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RoundTripCatalogue);

[[maybe_unused]] const bool registered = [] {
    // A spawned player's message logs each time it is prepared; the log is not what is measured.
    gEngine->SetLogSink([](int, const std::string&) {});
    for (const PacketCatalogue::Entry& entry : PacketCatalogue::Entries())
        benchmark::RegisterBenchmark(("BM_RoundTrip/" + std::to_string(entry.type)).c_str(),
                                     BM_RoundTrip, &entry);
    return true;
}();

// The server's game and transport, with `clients` client hosts joined; the clients live in
// this process and are serviced outside the measured frame.
class LoopbackServer {
public:
    explicit LoopbackServer(int clients)
    {
        gEngine->SetLogSink([](int, const std::string&) {});
        gEngine->SetNetworkMode(true, false);
        InitializeObjects();
        gGameEngine->SetAsNetworkServer();
        previous = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
        session = std::make_unique<NetworkSession>(server);
        server.Listen(0);
        peers = Test::JoinClients(server, clients);
        // Their players are taken as made: the door lets go of a client without one.
        for (const auto& peer : peers)
            server.MarkPlaying(peer->GetLocalHostID());
    }
    ~LoopbackServer()
    {
        for (auto& peer : peers)
            peer->Disconnect();
        session.reset();
        server.Disconnect();
        gEngine->SetWorld(std::move(previous));
        ShutdownObjects();
        gEngine->SetNetworkMode(false, false);
    }

    // What every client sends before frame `frame` (33 ms each), and what it acknowledges.
    void ClientsPlay(int64_t frame)
    {
        for (size_t i = 0; i < peers.size(); ++i) {
            ConnectionManager& peer = *peers[i];
            const uint32_t player = (uint32_t(peer.GetLocalHostID()) << 28) | 5;
            if (frame % 27 == 0) {
                SinglePlayerHeartbeatPacket heartbeat;
                heartbeat.player.playerId = player;
                peer.SendPacket(heartbeat);
            }
            if (frame % 3 == 0) {
                AttackPacket attack;
                attack.ownerId = player;
                peer.SendPacket(attack);
            }
            peer.Service();
            peer.Flush();
        }
    }

    void ServerFrame()
    {
        server.Service();
        gGameEngine->Update(33);
        session->Update();
        server.Flush();
    }

private:
    ConnectionManager server;
    std::unique_ptr<NetworkSession> session;
    std::vector<std::unique_ptr<ConnectionManager>> peers;
    std::unique_ptr<World> previous;
};

void BM_ServerFrame(benchmark::State& state)
{
    LoopbackServer loopback(static_cast<int>(state.range(0)));
    int64_t frame = 0;
    for (auto _ : state) {
        state.PauseTiming();
        loopback.ClientsPlay(++frame);
        // The datagrams cross the loopback before the frame takes them in.
        std::this_thread::sleep_for(std::chrono::microseconds(100));
        state.ResumeTiming();
        loopback.ServerFrame();
    }
    state.counters["clients"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ServerFrame)->Arg(0)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
