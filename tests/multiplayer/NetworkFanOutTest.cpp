#include "engine/ConnectionManager.h"
#include "multiplayer/MessagePackets.h"
#include "tests/support/ListeningServerFixture.h"
#include "tests/support/LoopbackClients.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>

namespace GAME::Test {
namespace {

using Bytes = std::vector<uint8_t>;

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
class NetworkFanOut : public ListeningServerFixture {
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
    void OnHostJoined(int host) override
    {
        Welcome(host);
        server.MarkPlaying(host);
    }

    // Every machine services until client n has heard `counts[n]` messages, 5 s at most.
    void Exchange(const std::array<size_t, 3>& counts)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        auto done = [&] {
            for (size_t i = 0; i < heard.size(); ++i)
                if (heard[i].messages.size() < counts[i])
                    return false;
            return true;
        };
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

} // namespace
} // namespace GAME::Test
