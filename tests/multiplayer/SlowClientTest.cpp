#include "engine/ConnectionManager.h"
#include "engine/WorldCoords.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "tests/support/ListeningServerFixture.h"
#include "tests/support/LoopbackClients.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

namespace GAME::Test {
namespace {

using Bytes = std::vector<uint8_t>;

// What a client holds of the server's world: each entity's latest place, the players' latest
// list and heartbeat, and every other message in the order heard.
struct WorldCopy final : ConnectionManager::Listener {
    void OnMessage(int, NetPacket& packet) override
    {
        Bytes bytes = EncodePacket(packet);
        if (const auto* moved = dynamic_cast<const UpdatePositionPacket*>(&packet))
            places[moved->entityId] = std::move(bytes);
        else if (packet.GetType() == AllPlayersHeartbeatPacket().GetType())
            heartbeat = std::move(bytes);
        else if (packet.GetType() == AllPlayersBasicInfoPacket().GetType())
            players = std::move(bytes);
        else
            events.push_back(std::move(bytes));
    }
    std::map<uint32_t, Bytes> places;
    Bytes heartbeat;
    Bytes players;
    std::vector<Bytes> events;
};

class SlowClient : public ListeningServerFixture {
protected:
    void OnMessage(int, NetPacket&) override {}
    void OnHostJoined(int host) override
    {
        Welcome(host);
        server.MarkPlaying(host);
    }

    // A frame of the server's news: eight monsters' places, the players' heartbeat (every
    // fourth frame their list instead) and one event.
    void TellFrame(uint32_t frame)
    {
        for (uint32_t monster = 1; monster <= 8; ++monster) {
            UpdatePositionPacket moved;
            moved.entityId = monster;
            moved.coords.SetPosition(WorldVec3(1, Vec3(float(frame), float(monster), 0.0f)));
            server.BroadcastPacket(moved);
        }
        PlayerNetHeartbeatInfo hero;
        hero.playerId = (1u << 28) | 1;
        hero.health = float(frame);
        if (frame % 4 == 0) {
            AllPlayersBasicInfoPacket list;
            list.players.resize(1);
            static_cast<PlayerNetHeartbeatInfo&>(list.players[0]) = hero;
            server.BroadcastPacket(list);
        } else {
            AllPlayersHeartbeatPacket heartbeat;
            heartbeat.players = {hero};
            server.BroadcastPacket(heartbeat);
        }
        QuestMessagePacket event;
        event.words = {frame};
        server.BroadcastPacket(event);
    }
};

// One client keeps up, the other reads nothing while the server plays on: once it has caught up
// it holds the same world, though much of what waited for it was replaced on the way.
TEST_F(SlowClient, EndsWithTheSameWorldAsOneThatKeptUp)
{
    auto clients = JoinClients(server, 2);
    ASSERT_EQ(clients.size(), 2u);
    WorldCopy fast;
    WorldCopy slow;
    clients[0]->SetListener(&fast);
    clients[1]->SetListener(&slow);
    constexpr uint32_t kFrames = 1500;
    for (uint32_t frame = 1; frame <= kFrames; ++frame) {
        TellFrame(frame);
        server.Service();
        server.Flush();
        clients[0]->Service();
        clients[0]->Flush();
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((fast.events.size() < kFrames || slow.events.size() < kFrames) &&
           std::chrono::steady_clock::now() < deadline) {
        server.Service();
        server.Flush();
        for (auto& client : clients) {
            client->Service();
            client->Flush();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    for (auto& client : clients)
        client->SetListener(nullptr);

    EXPECT_GT(server.GetCounters(2).replaced, kFrames);
    ASSERT_EQ(slow.events.size(), kFrames);
    EXPECT_EQ(slow.events, fast.events);
    EXPECT_EQ(slow.places.size(), 8u);
    EXPECT_EQ(slow.places, fast.places);
    EXPECT_EQ(slow.heartbeat, fast.heartbeat);
    EXPECT_EQ(slow.players, fast.players);
}

} // namespace
} // namespace GAME::Test
