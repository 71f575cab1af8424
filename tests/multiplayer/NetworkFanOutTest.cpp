#include "engine/ConnectionManager.h"
#include "engine/WorldCoords.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "tests/support/ListeningServerFixture.h"
#include "tests/support/LoopbackClients.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <thread>

namespace GAME::Test {
namespace {

using Bytes = std::vector<uint8_t>;

// A server whose clients play as soon as they are welcomed.
class PlayingServer : public ListeningServerFixture {
protected:
    void OnHostJoined(int host) override
    {
        Welcome(host);
        server.MarkPlaying(host);
    }

    // Every machine services until `done`, `seconds` at most.
    void ServiceAllUntil(const std::function<bool()>& done, int seconds)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            server.Service();
            server.Flush();
            for (auto& client : clients) {
                client->Service();
                client->Flush();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    std::vector<std::unique_ptr<ConnectionManager>> clients;
};

// What one client heard, re-encoded, in the order it heard it.
class Heard final : public ConnectionManager::Listener {
public:
    void OnMessage(int, NetPacket& packet) override { messages.push_back(EncodePacket(packet)); }
    std::vector<Bytes> messages;
};

// A quest message of `words` words from `sender` to no one in particular; many words make a
// message the transport has to cut into fragments.
struct Message {
    Message(uint32_t sender, size_t words)
    {
        packet.sender = sender;
        packet.words.assign(words, sender * 7);
        bytes = EncodePacket(packet);
    }
    QuestMessagePacket packet;
    Bytes bytes;
};

// A server and three clients over loopback; once they have joined, the test drives every
// machine from its own thread.
class NetworkFanOut : public PlayingServer {
protected:
    void SetUp() override
    {
        ListeningServerFixture::SetUp();
        clients = JoinClients(server, static_cast<int>(heard.size()));
        ASSERT_EQ(clients.size(), heard.size());
        for (size_t i = 0; i < clients.size(); ++i)
            clients[i]->SetListener(&heard[i]);
    }
    void TearDown() override
    {
        for (auto& client : clients)
            client->SetListener(nullptr);
        ListeningServerFixture::TearDown();
    }
    void OnMessage(int, NetPacket& packet) override { serverHeard.push_back(EncodePacket(packet)); }

    // Until client n has heard `counts[n]` messages.
    void Exchange(const std::array<size_t, 3>& counts)
    {
        ServiceAllUntil(
            [&] {
                for (size_t i = 0; i < heard.size(); ++i)
                    if (heard[i].messages.size() < counts[i])
                        return false;
                return true;
            },
            5);
    }

    std::array<Heard, 3> heard;
    std::vector<Bytes> serverHeard;
};

TEST_F(NetworkFanOut, EveryClientHearsTheSameBytesInTheOrderSent)
{
    Message large(1, 5000);
    Message small(2, 1);
    Message direct(3, 2);
    Message last(4, 3000);
    server.BroadcastPacket(large.packet);
    server.BroadcastPacketExcept(2, small.packet);
    server.SendPacketToHost(3, direct.packet);
    server.BroadcastPacket(last.packet);
    // A sender may refill its packet as soon as it has handed it over.
    large.packet.words.clear();
    last.packet.words.clear();
    Exchange({3, 2, 4});

    const Bytes& l = large.bytes;
    const Bytes& t = last.bytes;
    const std::array<std::vector<Bytes>, 3> expected = {
        std::vector<Bytes>{l, small.bytes, t}, std::vector<Bytes>{l, t},
        std::vector<Bytes>{l, small.bytes, direct.bytes, t}};
    for (size_t i = 0; i < clients.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(heard[i].messages, expected[i]);
        // The welcome went out first.
        EXPECT_EQ(server.GetCounters(static_cast<int>(i) + 1).messagesOut, expected[i].size() + 1);
    }
}

TEST_F(NetworkFanOut, AClientsMessageIsCarriedOutOnTheServerAndPassedOnToTheOthers)
{
    // In the name of the first client's own player.
    Message spoken((1u << 28) | 9, 4000);
    clients[0]->SendPacket(spoken.packet);
    clients[0]->Flush();
    Exchange({0, 1, 1});
    EXPECT_EQ(serverHeard, std::vector<Bytes>{spoken.bytes});
    EXPECT_TRUE(heard[0].messages.empty());
    EXPECT_EQ(heard[1].messages, std::vector<Bytes>{spoken.bytes});
    EXPECT_EQ(heard[2].messages, std::vector<Bytes>{spoken.bytes});
}

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

class SlowClient : public PlayingServer {
protected:
    void OnMessage(int, NetPacket&) override {}

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
    clients = JoinClients(server, 2);
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
    ServiceAllUntil([&] { return fast.events.size() >= kFrames && slow.events.size() >= kFrames; },
                    30);
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
