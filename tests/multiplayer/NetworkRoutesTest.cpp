#include "engine/ConnectionManager.h"
#include "engine/HostMessagePackets.h"
#include "engine/NetPacketOutBuffer.h"
#include "multiplayer/BonusPackets.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/TradePackets.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace GAME::Test {
namespace {

constexpr uint32_t Of(int host, uint32_t serial = 5)
{
    return (uint32_t(host) << 28) | serial;
}
constexpr uint32_t Hosts(std::initializer_list<int> hosts)
{
    uint32_t mask = 0;
    for (int host : hosts)
        mask |= 1u << host;
    return mask;
}
constexpr uint32_t kClients = Hosts({1, 2, 3});

struct RouteRow {
    const char* what;
    std::function<std::unique_ptr<NetPacket>()> make;
    int from;
    uint32_t expected;
};

template <class PacketClass, class Fill> std::function<std::unique_ptr<NetPacket>()> Make(Fill fill)
{
    return [fill] {
        auto packet = std::make_unique<PacketClass>();
        fill(*packet);
        return std::unique_ptr<NetPacket>(std::move(packet));
    };
}

TEST(NetworkRoutes, EachMessageReachesTheMachinesItNames)
{
    const RouteRow rows[] = {
        {"quest message to one player",
         Make<QuestMessagePacket>([](auto& p) { p.receiver = Of(3); }), 0, Hosts({3})},
        {"quest message to no one", Make<QuestMessagePacket>([](auto&) {}), 2, Hosts({0, 1, 3})},
        {"position update skips its sender", Make<UpdatePositionPacket>([](auto&) {}), 1,
         Hosts({0, 2, 3})},
        {"heartbeat", Make<SinglePlayerHeartbeatPacket>([](auto& p) { p.player.playerId = Of(1); }),
         1, Hosts({0})},
        {"dropped item, sender included", Make<CreateItemPacket>([](auto&) {}), 2,
         Hosts({0, 1, 2, 3})},
        {"invitation to its invitee",
         Make<InvitePartyConfigCmdPacket>([](auto& p) { p.invitingPlayer = Of(2); }), 0,
         Hosts({2})},
        {"gold for the server's player", Make<GiveGoldPacket>([](auto& p) { p.playerId = Of(0); }),
         1, Hosts({0})},
        {"bonus to its receiver",
         Make<BonusToClientPacket>([](auto& p) { p.bonus.receiverId = Of(1); }), 0, Hosts({1})},
        {"client's action to the server", Make<AttackPacket>([](auto& p) { p.ownerId = Of(1); }), 1,
         Hosts({0})},
        {"server's action to its clients", Make<AttackPacket>([](auto& p) { p.ownerId = Of(0); }),
         0, kClients},
        {"purchase denied to the buyer",
         Make<MarketS2CPurchaseDeniedPacket>([](auto& p) { p.buyerId = Of(3); }), 0, Hosts({3})},
        {"trade to its partner", Make<TradeInitiatePacket>([](auto& p) { p.receiver = Of(1); }), 2,
         Hosts({1})},
        {"remote text for a host not connected",
         Make<RemoteMessagePacket>([](auto& p) { p.receiver = Of(5); }), 0, 0},
        {"party change", Make<JoinPartyConfigCmdPacket>([](auto&) {}), 3, Hosts({0, 1, 2, 3})},
    };
    for (const RouteRow& row : rows) {
        SCOPED_TRACE(row.what);
        const std::unique_ptr<NetPacket> packet = row.make();
        EXPECT_EQ(ConnectionManager::RouteMask(*packet, row.from, kClients), row.expected);
    }
}

// Whatever the test's server takes in, and what it was told.
class Recorder final : public ConnectionManager::Listener {
public:
    void OnMessage(int, NetPacket& packet) override { types.push_back(packet.GetType()); }
    bool IsPlayer(uint32_t id) const override { return id == Of(2, 9); }
    std::vector<uint32_t> types;
};

class ClientMessage : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        ASSERT_TRUE(server.Listen(0));
        server.SetListener(&recorder);
    }
    void TearDown() override
    {
        server.SetListener(nullptr);
        server.Disconnect();
        EngineFixture::TearDown();
    }

    void FromHost1(NetPacket& packet)
    {
        packet.PrepareOutBuffer();
        server.Receive(1, packet.GetOutBuffer(), packet.GetOutBufferSize());
    }

    ConnectionManager server;
    Recorder recorder;
};

TEST_F(ClientMessage, IsRefusedWhenItCannotBeTheClientsToSend)
{
    struct Row {
        const char* what;
        std::function<std::unique_ptr<NetPacket>()> make;
        bool delivered;
    };
    const Row rows[] = {
        {"own heartbeat",
         Make<SinglePlayerHeartbeatPacket>([](auto& p) { p.player.playerId = Of(1); }), true},
        {"another host's heartbeat",
         Make<SinglePlayerHeartbeatPacket>([](auto& p) { p.player.playerId = Of(2); }), false},
        {"another host's record",
         Make<SinglePlayerBasicInfoPacket>([](auto& p) { p.player.playerId = Of(0); }), false},
        {"another host's bonus claim",
         Make<BonusToServerPacket>([](auto& p) { p.activePlayerId = Of(3); }), false},
        {"balance", Make<GameBalanceUpdatePacket>([](auto&) {}), false},
        {"bonus handed out", Make<BonusToClientPacket>([](auto&) {}), false},
        {"welcome", Make<HostWelcomePacket>([](auto& p) { p.hostIndex = 1; }), false},
        {"another host's player acting", Make<AttackPacket>([](auto& p) { p.ownerId = Of(2, 9); }),
         false},
        {"a monster acting", Make<AttackPacket>([](auto& p) { p.ownerId = Of(0, 9); }), true},
    };
    uint64_t refused = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        recorder.types.clear();
        const std::unique_ptr<NetPacket> packet = row.make();
        FromHost1(*packet);
        EXPECT_EQ(recorder.types.size(), row.delivered ? 1u : 0u);
        refused += row.delivered ? 0 : 1;
        EXPECT_EQ(server.GetCounters(1).dropped, refused);
    }
    // One line for the lot: they all came within a second.
    EXPECT_EQ(log.CountContaining("ConnectionManager: message from host 1 dropped"), 1u);
}

TEST_F(ClientMessage, ThatDoesNotDecodeIsCountedAndTooManyDropTheHost)
{
    const std::vector<std::vector<uint8_t>> broken = {
        {1, 2, 3},                                   // short of a header
        {22, 0, 0, 0, 9, 0, 0, 0, 1, 2},             // size word wrong
        {200, 0, 0, 0, 0, 0, 0, 0},                  // unknown type
        {22, 0, 0, 0, 4, 0, 0, 0, 0x05, 0, 0, 0x10}, // cut short
    };
    for (const auto& bytes : broken)
        server.Receive(1, bytes.data(), bytes.size());
    EXPECT_EQ(server.GetCounters(1).dropped, 4u);
    EXPECT_TRUE(server.GetDroppedHosts().empty());
    for (uint32_t i = 0; i < ConnectionManager::kFloodDropped; ++i)
        server.Receive(1, broken[0].data(), broken[0].size());
    ASSERT_EQ(server.GetDroppedHosts().size(), 1u);
    EXPECT_EQ(server.GetDroppedHosts()[0], std::make_pair(1, std::string("flood")));
}

TEST_F(ClientMessage, MoreThanTheLimitInASecondIsAFlood)
{
    SinglePlayerHeartbeatPacket heartbeat;
    heartbeat.player.playerId = Of(1);
    heartbeat.PrepareOutBuffer();
    for (uint32_t i = 0; i <= ConnectionManager::kFloodMessages; ++i)
        server.Receive(1, heartbeat.GetOutBuffer(), heartbeat.GetOutBufferSize());
    EXPECT_EQ(recorder.types.size(), ConnectionManager::kFloodMessages);
    ASSERT_EQ(server.GetDroppedHosts().size(), 1u);
    EXPECT_EQ(server.GetDroppedHosts()[0].second, "flood");
}

} // namespace
} // namespace GAME::Test
