#include "engine/ConnectionManager.h"
#include "multiplayer/BonusPackets.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/QuestCommandPackets.h"
#include "multiplayer/SessionPackets.h"
#include "multiplayer/TradePackets.h"
#include "tests/support/ListeningServerFixture.h"

#include <gtest/gtest.h>

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

template <class PacketClass, class Fill> std::unique_ptr<NetPacket> Filled(Fill fill)
{
    auto packet = std::make_unique<PacketClass>();
    fill(*packet);
    return packet;
}

TEST(NetworkRoutes, EachMessageReachesTheMachinesItNames)
{
    struct {
        const char* what;
        std::unique_ptr<NetPacket> packet;
        int from;
        uint32_t expected;
    } rows[] = {
        {"quest message to one player",
         Filled<QuestMessagePacket>([](auto& p) { p.receiver = Of(3); }), 0, Hosts({3})},
        {"quest message to no one", Filled<QuestMessagePacket>([](auto&) {}), 2, Hosts({0, 1, 3})},
        {"position update", Filled<UpdatePositionPacket>([](auto&) {}), 1, Hosts({0, 2, 3})},
        {"heartbeat", Filled<SinglePlayerHeartbeatPacket>([](auto&) {}), 1, Hosts({0})},
        {"dropped item", Filled<CreateItemPacket>([](auto&) {}), 2, Hosts({0, 1, 2, 3})},
        {"invitation",
         Filled<InvitePartyConfigCmdPacket>([](auto& p) { p.invitingPlayer = Of(2); }), 0,
         Hosts({2})},
        {"gold", Filled<GiveGoldPacket>([](auto& p) { p.playerId = Of(0); }), 1, Hosts({0})},
        {"bonus", Filled<BonusToClientPacket>([](auto& p) { p.bonus.receiverId = Of(1); }), 0,
         Hosts({1})},
        {"client's action", Filled<AttackPacket>([](auto& p) { p.ownerId = Of(1); }), 1,
         Hosts({0})},
        {"server's action", Filled<AttackPacket>([](auto& p) { p.ownerId = Of(0); }), 0,
         Hosts({1, 2, 3})},
        {"purchase denied",
         Filled<MarketS2CPurchaseDeniedPacket>([](auto& p) { p.buyerId = Of(3); }), 0, Hosts({3})},
        {"trade", Filled<TradeInitiatePacket>([](auto& p) { p.receiver = Of(1); }), 2, Hosts({1})},
        {"text for a host not there",
         Filled<RemoteMessagePacket>([](auto& p) { p.receiver = Of(5); }), 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ConnectionManager::RouteMask(*row.packet, row.from, Hosts({1, 2, 3})),
                  row.expected);
    }
}

// A listening server's checks on what its client host 1 sends, before anything is carried out.
class ClientMessage : public ListeningServerFixture {
protected:
    void OnMessage(int, NetPacket&) override { ++delivered; }
    // The game's say: party joins are refused.
    const char* Refusal(int, const NetPacket& packet) override
    {
        return packet.GetType() == 107 ? "joins a party it was not let in" : nullptr;
    }

    // Host 1 sends `packet`, `times` over.
    void Receive(NetPacket& packet, int times = 1)
    {
        packet.PrepareOutBuffer();
        for (int i = 0; i < times; ++i)
            server.Receive(1, packet.GetOutBuffer(), packet.GetOutBufferSize());
    }

    size_t delivered = 0;
};

TEST_F(ClientMessage, IsRefusedWhenItIsNotTheClientsToSend)
{
    struct {
        const char* what;
        std::unique_ptr<NetPacket> packet;
        bool delivered;
    } rows[] = {
        {"own heartbeat",
         Filled<SinglePlayerHeartbeatPacket>([](auto& p) { p.player.playerId = Of(1); }), true},
        {"another host's heartbeat",
         Filled<SinglePlayerHeartbeatPacket>([](auto& p) { p.player.playerId = Of(2); }), false},
        {"another host's bonus claim",
         Filled<BonusToServerPacket>([](auto& p) { p.activePlayerId = Of(3); }), false},
        {"balance", Filled<GameBalanceUpdatePacket>([](auto&) {}), false},
        {"another host's player acting",
         Filled<AttackPacket>([](auto& p) { p.ownerId = Of(2, 9); }), false},
        {"a monster acting", Filled<AttackPacket>([](auto& p) { p.ownerId = Of(0, 9); }), false},
        {"own pet commanded",
         Filled<SetInvincibleConfigCmdPacket>([](auto& p) { p.actorId = Of(1, 7); }), true},
        {"a quest's command for a server creature",
         Filled<QuestCommandWalkPacket>([](auto& p) { p.characterId = Of(0, 9); }), true},
        {"a quest's command for another client's",
         Filled<QuestCommandWalkPacket>([](auto& p) { p.characterId = Of(2, 9); }), false},
        {"judged by the game", Filled<JoinPartyConfigCmdPacket>([](auto&) {}), false},
        {"a wide text", Filled<RemoteWMessagePacket>([](auto& p) { p.receiver = Of(0); }), false},
    };
    uint64_t refused = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        delivered = 0;
        Receive(*row.packet);
        EXPECT_EQ(delivered, row.delivered ? 1u : 0u);
        refused += row.delivered ? 0 : 1;
        EXPECT_EQ(server.GetCounters(1).dropped, refused);
    }
    // One line for the lot: they came within a second.
    EXPECT_EQ(log.CountContaining("ConnectionManager: message from host 1 dropped"), 1u);
}

TEST_F(ClientMessage, OfABoundedKindIsRefusedBeyondItsNumberASecond)
{
    // Portal closings, four a second; other kinds go on being heard.
    DestroyItemTeleportPacket closing;
    closing.objectId = Of(1);
    Receive(closing, 6);
    EXPECT_EQ(delivered, 4u);
    EXPECT_EQ(server.GetCounters(1).dropped, 2u);
    EXPECT_EQ(log.CountContaining("dropped: more of its kind than a second allows"), 1u);
    SinglePlayerHeartbeatPacket heartbeat;
    heartbeat.player.playerId = Of(1);
    Receive(heartbeat);
    EXPECT_EQ(delivered, 5u);
}

// Chat reaches every machine, so a flood is cut at sixteen lines a second; a client's "done" goes
// to the server alone.
TEST_F(ClientMessage, ChatIsBoundedAndOnlyTheServerEndsTheSession)
{
    ChatPacket line;
    line.sender = L"host 0";
    line.text = L"session ends";
    Receive(line, 20);
    EXPECT_EQ(delivered, 16u);
    EXPECT_EQ(server.GetCounters(1).dropped, 4u);
    SessionEndsPacket ends;
    Receive(ends);
    EXPECT_EQ(delivered, 16u);
    EXPECT_EQ(server.GetCounters(1).dropped, 5u);
    HostDonePacket done;
    Receive(done);
    EXPECT_EQ(delivered, 17u);
    EXPECT_EQ(ConnectionManager::RouteMask(done, 1, Hosts({1, 2})), Hosts({0}));
    EXPECT_EQ(ConnectionManager::RouteMask(ends, 0, Hosts({1, 2})), Hosts({0, 1, 2}));
}

// A client may send any type, so none may go from anyone to everyone.
TEST(NetworkRoutes, EveryTypeHasItsRow)
{
    for (uint32_t type = 0; type < ConnectionManager::kMaxTypes; ++type) {
        if (ConnectionManager::CreatePacket(type) == nullptr)
            continue;
        SCOPED_TRACE(type);
        const ConnectionManager::PacketRule& rule = ConnectionManager::GetPacketRule(type);
        EXPECT_TRUE(rule.addressee != ConnectionManager::Addressee::Everyone ||
                    rule.speaks != ConnectionManager::Speaker::Anyone);
    }
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
    // Nothing is heard from it after the refusal that made the flood; a host that never brought
    // a player is no host dropped.
    EXPECT_EQ(server.GetCounters(1).dropped, ConnectionManager::kFloodDropped + 1);
    EXPECT_TRUE(server.GetDroppedHosts().empty());
}

} // namespace
} // namespace GAME::Test
