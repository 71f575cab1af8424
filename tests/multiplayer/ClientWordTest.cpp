#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/Region.h"
#include "game/GameEngine.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/NetworkSession.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/SessionPackets.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/LoopbackClients.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

namespace GAME::Test {
namespace {

constexpr const char* kHero = "Records/Test/WordHero.dbr";
constexpr const char* kSpark = "Records/Test/WordSpark.dbr";
constexpr uint32_t kHostHero = (1u << 28) | 0x10;

// A whole message as written, header included, sent as it is.
struct Verbatim final : NetPacket {
    explicit Verbatim(std::vector<uint8_t> bytes) : NetPacket(0), bytes(std::move(bytes)) {}
    uint32_t PrepareOutBuffer() override { return GetOutBufferSize(); }
    const uint8_t* GetOutBuffer() const override { return bytes.data(); }
    uint32_t GetOutBufferSize() const override { return uint32_t(bytes.size()); }
    void CopyInbound(const uint8_t*, int) override {}
    std::string GetPacketDescription(bool) const override { return {}; }
    std::vector<uint8_t> bytes;
};

// A listening server's session in a world of one region; Receive judges and counts a client's
// message as the link would.
class ClientWord : public CombatWorldFixture {
protected:
    void SetUp() override
    {
        CombatWorldFixture::SetUp();
        database.WriteRecord(kHero, {"Class = Player"});
        database.WriteRecord(kSpark, {"Class = EffectEntity"});
        // Another machine's hero is driven by its packets.
        database.WriteRecord(Player::kStubControllerRecord, {"Class = ControllerCombat"});
        TheWorld().GetRegionById(kRegion)->SetLevelLoaded(true);
    }
    void TearDown() override
    {
        session.reset();
        server.Disconnect();
        gEngine->SetNetworkMode(false, false);
        CombatWorldFixture::TearDown();
    }

    void BeServer(ConnectionManager& listener)
    {
        gEngine->SetNetworkMode(true, false);
        Game().SetAsNetworkServer();
        ASSERT_TRUE(listener.Listen(0));
        session = std::make_unique<NetworkSession>(listener);
        session->OnJoined([this](int, uint32_t) { ++joins; });
    }

    // A spawn-player of the hero record under `id`, made and taken away here to be written.
    std::vector<uint8_t> SpawnOf(uint32_t id)
    {
        auto* hero = ObjectManager::Instance().CreateObjectFromFile<Player>(kHero, id);
        EXPECT_NE(hero, nullptr);
        TheWorld().AddEntity(hero, WorldAt({1, 0, 1}), false);
        SpawnPlayerPacket spawn;
        spawn.objectId = id;
        std::vector<uint8_t> bytes = EncodePacket(spawn);
        TheWorld().RemoveEntity(hero);
        ObjectManager::Instance().DestroyObjectEx(hero, "test", __LINE__);
        ObjectManager::Instance().ProcessDestroyedObjects();
        return bytes;
    }
    // The same message under another id (the template's own id is unique in its bytes).
    static std::vector<uint8_t> WithId(std::vector<uint8_t> bytes, uint32_t from, uint32_t to)
    {
        const auto* was = reinterpret_cast<const uint8_t*>(&from);
        const auto at = std::search(bytes.begin(), bytes.end(), was, was + 4);
        EXPECT_NE(at, bytes.end());
        std::memcpy(&*at, &to, 4);
        return bytes;
    }
    static std::vector<uint8_t> MoveToRegion99(uint32_t owner)
    {
        MoveToPacket move;
        move.ownerId = SmartObjectId(owner);
        move.startLocation = WorldVec3(99, Vec3(1, 0, 1));
        move.worldLocation = WorldVec3(kRegion, Vec3(5, 0, 5));
        return EncodePacket(move);
    }
    void Receive(ConnectionManager& connection, int host, const std::vector<uint8_t>& bytes)
    {
        connection.Receive(host, bytes.data(), bytes.size());
    }

    LogCapture log;
    ConnectionManager server;
    std::unique_ptr<NetworkSession> session;
    int joins = 0;
};

// Every spawn-player past the one a join made is a forgery: a thousand drop the host as a flood.
TEST_F(ClientWord, AThousandSpawnPlayersMakeNoPlayerBeyondTheOne)
{
    BeServer(server);
    const std::vector<uint8_t> first = SpawnOf(kHostHero);
    std::vector<std::unique_ptr<ConnectionManager>> joined = JoinClients(server, 1);
    ASSERT_EQ(joined.size(), 1u);
    ConnectionManager& client = *joined.front();
    for (uint32_t serial = 0; serial < 1000; ++serial) {
        Verbatim spawn(WithId(first, kHostHero, kHostHero + serial));
        client.SendPacket(spawn);
    }
    for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
         std::chrono::steady_clock::now() < end && server.GetDroppedHosts().empty();
         std::this_thread::sleep_for(std::chrono::milliseconds(1))) {
        client.Service();
        client.Flush();
        server.Service();
        server.Flush();
    }
    EXPECT_EQ(joins, 1);
    for (uint32_t serial = 1; serial < 1000; ++serial)
        ASSERT_EQ(ObjectManager::Instance().GetObject(kHostHero + serial), nullptr) << serial;
    EXPECT_EQ(server.GetDroppedHosts(), (std::vector<std::pair<int, std::string>>{{1, "flood"}}));
    EXPECT_EQ(server.GetCounters(1).dropped, ConnectionManager::kFloodDropped + 1);
    gEngine->TellPeerLines(0, true);
    EXPECT_EQ(log.CountContaining("spawns a second player"), 1u);
    EXPECT_EQ(log.Count(2, "ConnectionManager: message from host 1 dropped: spawns a second "
                           "player (and 100 more of its kind, 101 in all)"),
              1u);
}

TEST_F(ClientWord, WhatAClientsWordMakesOnTheServerStaysWithinItsShare)
{
    BeServer(server);
    {
        const Engine::PeerWord word(0, 1);
        for (uint32_t serial = 0; serial < NetworkSession::kClientShare + 20; ++serial) {
            Entity* made = ObjectManager::Instance().CreateObjectFromFile<Entity>(
                kSpark, (1u << 28) | (0x100 + serial));
            if (made != nullptr)
                TheWorld().AddEntity(made, WorldAt({2, 0, 2}), false);
        }
    }
    EXPECT_NE(ObjectManager::Instance().GetObject((1u << 28) | 0x13F), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObject((1u << 28) | 0x140), nullptr);
    // The server's own world is the level's to bound.
    EXPECT_NE(ObjectManager::Instance().CreateObjectFromFile<Entity>(kSpark, 0x200), nullptr);
    gEngine->TellPeerLines(0, true);
    EXPECT_EQ(log.Count(2, "NetworkSession: host 1 made nothing: it holds 64 entities (and 18 "
                           "more of its kind, 20 in all)"),
              1u);
}

// What clients hold at the server's word counts too; room comes back once it is gone.
TEST_F(ClientWord, WhatTheClientsHoldAtTheServersWordBoundsWhatAClientMakes)
{
    BeServer(server);
    for (uint32_t id = 0x1000; id < 0x1000 + NetworkSession::kMaxSpawned - 1; ++id) {
        ASSERT_NE(ObjectManager::Instance().CreateObjectFromFile<Entity>(kSpark, id), nullptr);
        CreateEntityPacket made;
        made.objectId = id;
        made.recordName = kSpark;
        server.BroadcastPacket(made);
    }
    const auto makeFor = [](int host, uint32_t serial) {
        const Engine::PeerWord word(0, host);
        return ObjectManager::Instance().CreateObjectFromFile<Entity>(
            kSpark, (uint32_t(host) << 28) | serial);
    };
    Entity* last = makeFor(1, 1);
    ASSERT_NE(last, nullptr);
    for (uint32_t serial = 1; serial <= 100; ++serial)
        ASSERT_EQ(makeFor(2, serial), nullptr) << serial;
    ObjectManager::Instance().DestroyObjectEx(last, "test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    session->Update();
    EXPECT_NE(makeFor(2, 101), nullptr);
    gEngine->TellPeerLines(0, true);
    EXPECT_EQ(log.CountContaining("the world holds"), 2u);
    EXPECT_EQ(log.Count(2, "NetworkSession: host 2 made nothing: the world holds 10000 entities "
                           "(and 98 more of its kind, 100 in all)"),
              1u);
}

// Such a move runs nowhere and goes on to no one; its lines are counts, never a line a frame.
TEST_F(ClientWord, MovesToAMissingRegionAreRefusedAtTheDoorOnEveryMachine)
{
    BeServer(server);
    session->OnHostJoined(1);
    Receive(server, 1, SpawnOf(kHostHero));
    ASSERT_EQ(joins, 1);
    gEngine->GetNetworkConnectionManager().TakeSentPackets();
    for (int i = 0; i < 90; ++i)
        Receive(server, 1, MoveToRegion99(kHostHero));
    for (int frame = 0; frame < 50; ++frame)
        gEngine->RunFrame(33);
    EXPECT_TRUE(gEngine->GetNetworkConnectionManager().TakeSentPackets().empty());
    gEngine->TellPeerLines(0, true);
    EXPECT_EQ(log.CountContaining("World has no region"), 0u);
    EXPECT_EQ(log.Count(2, "ConnectionManager: message from host 1 dropped: names a region this "
                           "world lacks (and 89 more of its kind, 90 in all)"),
              1u);

    // A client hears it from its server.
    session.reset();
    server.Disconnect();
    log.Clear();
    gEngine->ForgetCounts();
    gEngine->SetNetworkMode(true, true);
    Game().SetAsNetworkClient();
    NetworkSession client(gEngine->GetNetworkConnectionManager());
    ASSERT_NE(ObjectManager::Instance().GetObject<Player>(kHostHero), nullptr);
    for (int i = 0; i < 1000; ++i)
        Receive(gEngine->GetNetworkConnectionManager(), ConnectionManager::kServerHost,
                MoveToRegion99(kHostHero));
    for (int frame = 0; frame < 50; ++frame)
        gEngine->RunFrame(33);
    gEngine->TellPeerLines(0, true);
    EXPECT_EQ(log.CountContaining("World has no region"), 0u);
    EXPECT_EQ(log.GetLines().size(), 2u);
    EXPECT_EQ(log.Count(2, "ConnectionManager: message from host 0 dropped: names a region this "
                           "world lacks (and 998 more of its kind, 1000 in all)"),
              1u);
}

// Counts the moves a machine hears.
struct MovesHeard final : ConnectionManager::Listener {
    void OnMessage(int, NetPacket& packet) override { moves += packet.GetType() == 65; }
    int moves = 0;
};

// Sent as fast as the link takes them, they reach no other client.
TEST_F(ClientWord, AThousandMovesToAMissingRegionThroughTheLinkLeaveTwoLinesASecond)
{
    // The engine's own link, where the shim refuses what it judges.
    ConnectionManager& link = gEngine->GetNetworkConnectionManager();
    ASSERT_NO_FATAL_FAILURE(BeServer(link));
    const std::vector<uint8_t> hero = SpawnOf(kHostHero);
    std::vector<std::unique_ptr<ConnectionManager>> joined = JoinClients(link, 2);
    ASSERT_EQ(joined.size(), 2u);
    MovesHeard honest;
    joined[1]->SetListener(&honest);
    Verbatim spawn(hero);
    joined[0]->SendPacket(spawn);
    Verbatim move(MoveToRegion99(kHostHero));
    for (int i = 0; i < 1000; ++i)
        joined[0]->SendPacket(move);
    const auto start = std::chrono::steady_clock::now();
    const auto heard = [&link] {
        return link.GetCounters(1).dropped >= 1000 || !link.GetDroppedHosts().empty();
    };
    for (int frames = 0; !heard() || frames < 30;
         std::this_thread::sleep_for(std::chrono::milliseconds(1))) {
        ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
        for (auto& client : joined) {
            client->Service();
            client->Flush();
        }
        link.Service();
        link.Flush();
        gEngine->RunFrame(33);
        frames += heard();
    }
    const std::vector<std::pair<int, std::string>> dropped = link.GetDroppedHosts();
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start)
            .count();
    joined[1]->SetListener(nullptr);
    EXPECT_EQ(joins, 1);
    EXPECT_EQ(honest.moves, 0);
    EXPECT_EQ(dropped, (std::vector<std::pair<int, std::string>>{{1, "flood"}}));
    gEngine->TellPeerLines(0, true);
    EXPECT_EQ(log.CountContaining("World has no region"), 0u);
    session.reset();
    link.Disconnect();
    const size_t lines = log.CountContaining("ConnectionManager: message from host 1 dropped: "
                                             "names a region this world lacks");
    EXPECT_GE(lines, 1u);
    EXPECT_LE(lines, size_t(2 * (seconds + 1)));
    EXPECT_EQ(log.Count(2, "ConnectionManager: host 1 dropped: flood"), 1u);
}

TEST_F(ClientWord, TwoPeersRefusedInOneSecondAreEachNamed)
{
    BeServer(server);
    SinglePlayerHeartbeatPacket forged;
    forged.player.playerId = (3u << 28) | 1;
    SessionEndsPacket serverOnly;
    Receive(server, 2, EncodePacket(forged));
    for (int i = 0; i < 99; ++i)
        Receive(server, 3, EncodePacket(serverOnly));
    gEngine->TellPeerLines(0, true);
    EXPECT_EQ(log.Count(2, "ConnectionManager: message from host 2 dropped: speaks for what is "
                           "not its own"),
              1u);
    EXPECT_EQ(log.Count(2, "ConnectionManager: message from host 3 dropped: server-only type (and "
                           "98 more of its kind, 99 in all)"),
              1u);
}

} // namespace
} // namespace GAME::Test
