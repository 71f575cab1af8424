#include "characters/Player.h"
#include "engine/HostMessagePackets.h"
#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/NetworkSession.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/Must.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

constexpr const char* kHero = "Records/Test/NetHero.dbr";

// One process plays both sides in turn: what the server sends is taken from the recording
// transport and handed to the client's session as it would arrive.
class NetworkJoin : public CombatWorldFixture {
protected:
    void SetUp() override
    {
        CombatWorldFixture::SetUp();
        database.WriteRecord(kHero, {"Class = Player"});
    }
    void TearDown() override
    {
        gEngine->SetNetworkMode(false, false);
        CombatWorldFixture::TearDown();
    }

    void Be(bool client)
    {
        gEngine->SetNetworkMode(true, client);
        client ? Game().SetAsNetworkClient() : Game().SetAsNetworkServer();
    }

    static ConnectionManager& Connection() { return gEngine->GetNetworkConnectionManager(); }

    static std::vector<uint32_t> Types(const std::vector<ConnectionManager::SentPacket>& sent)
    {
        std::vector<uint32_t> types;
        for (const auto& one : sent)
            types.push_back(ConnectionManager::DecodePacket(one.bytes)->GetType());
        return types;
    }

    Player* HeroAt(uint32_t id, const Vec3& where)
    {
        auto* hero = ObjectManager::Instance().CreateObjectFromFile<Player>(kHero, id);
        if (hero != nullptr)
            TheWorld().AddEntity(hero, WorldAt(where), false);
        return hero;
    }

    static void Deliver(NetworkSession& session, const std::vector<uint8_t>& bytes)
    {
        session.OnMessage(ConnectionManager::kServerHost, *ConnectionManager::DecodePacket(bytes));
    }

    // Both machines' player lists hold these players.
    void List(std::initializer_list<uint32_t> ids)
    {
        std::vector<PlayerNetBasicInfo> records(ids.size());
        for (size_t i = 0; i < ids.size(); ++i) {
            records[i].playerId = ids.begin()[i];
            if (PlayerManagerServer* server = Game().GetPlayerManagerServer())
                server->HandleNewPlayer(records[i]);
        }
        Game().GetPlayerManagerClient()->HandlePlayerUpdate(records);
    }
};

TEST_F(NetworkJoin, ServerSendsWelcomeWorldAndMarkThenTheClientAnswersAndSendsItsHero)
{
    Be(false);
    const uint32_t serverHero = HeroAt(0, {1, 0, 2})->GetObjectId();
    NetworkSession server(Connection());
    server.SetWelcome(77, 2);
    server.OnHostJoined(3);
    const auto sent = Connection().TakeSentPackets();
    EXPECT_EQ(Types(sent), (std::vector<uint32_t>{1, 25, 2, 34}));
    for (const auto& one : sent)
        EXPECT_EQ(std::make_pair(one.route, one.host),
                  std::make_pair(ConnectionManager::Route::ToHost, 3));
    const auto welcome = ConnectionManager::DecodePacket(sent[0].bytes);
    const auto& fields = static_cast<const HostWelcomePacket&>(*welcome);
    EXPECT_EQ(std::make_tuple(fields.hostIndex, fields.seed, fields.playersExpected),
              std::make_tuple(3, 77u, 2));
    const auto spawn = ConnectionManager::DecodePacket(sent[2].bytes);
    EXPECT_EQ(static_cast<const EntitySpawnPacket&>(*spawn).recordName, kHero);

    Be(true);
    NetworkSession client(Connection());
    Player* made = nullptr;
    client.SetHeroMaker([&] {
        made = HeroAt(0, {0, 0, 2});
        Game().GetPlayerManagerClient()->SetMainPlayer(made->GetObjectId());
        return made;
    });
    // Still the server's: never two objects under one id.
    Deliver(client, sent[2].bytes);
    EXPECT_EQ(client.GetNacked(), std::vector<uint32_t>{serverHero});
    EntityDestroyPacket gone;
    gone.entityId = serverHero;
    client.OnMessage(ConnectionManager::kServerHost, gone);
    ObjectManager::Instance().ProcessDestroyedObjects();
    for (const auto& one : sent)
        Deliver(client, one.bytes);
    EXPECT_EQ(client.GetAcked(), std::vector<uint32_t>{serverHero});
    const auto* copy = Must(ObjectManager::Instance().GetObject<Player>(serverHero));
    EXPECT_EQ(copy->GetCoords().GetPosition().GetRegionPosition(), Vec3(1, 0, 2));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(client.GetHeroId(), made->GetObjectId());
    EXPECT_EQ(Types(Connection().TakeSentPackets()), (std::vector<uint32_t>{35, 36, 30, 24}));
}

TEST_F(NetworkJoin, SpawnOfARecordThatMakesNoEntityMakesNothing)
{
    database.WriteRecord("Records/Test/NotAnEntity.dbr", {"Class = SoundPak"});
    Be(true);
    NetworkSession client(Connection());
    for (const char* record : {"Records/Test/NotAnEntity.dbr", "Records/Test/Missing.dbr", ""}) {
        SCOPED_TRACE(record);
        EntitySpawnPacket spawn;
        spawn.recordName = record;
        spawn.objectId = 0x31;
        client.OnMessage(ConnectionManager::kServerHost, spawn);
        EXPECT_EQ(ObjectManager::Instance().GetObject(0x31), nullptr);
    }
    EXPECT_EQ(client.GetNacked(), (std::vector<uint32_t>{0x31, 0x31, 0x31}));
}

TEST_F(NetworkJoin, LeaveTakesTheHostsPlayersAndEntitiesOffEveryMachine)
{
    constexpr uint32_t kLeaver = (2u << 28) | 7;
    constexpr uint32_t kStayer = (1u << 28) | 7;
    Be(false);
    ASSERT_NE(HeroAt(kLeaver, {2, 0, 0}), nullptr);
    ASSERT_NE(HeroAt(kStayer, {3, 0, 0}), nullptr);
    List({kLeaver, kStayer});
    Connection().ClearSentPackets();
    NetworkSession server(Connection());
    server.OnHostLeft(2);

    EXPECT_FALSE(Exists(kLeaver));
    EXPECT_TRUE(Exists(kStayer));
    EXPECT_FALSE(Game().GetPlayerManagerClient()->IsPlayerInGame(kLeaver));
    EXPECT_TRUE(Game().GetPlayerManagerClient()->IsPlayerInGame(kStayer));
    EXPECT_EQ(Game().GetPlayerManagerServer()->GetPlayers(), std::vector<uint32_t>{kStayer});
    const auto sent = Connection().TakeSentPackets();
    // The stayer is told in words; every client is told to destroy and who left.
    EXPECT_EQ(Types(sent), (std::vector<uint32_t>{27, 3, 4}));
    EXPECT_EQ(sent.back().route, ConnectionManager::Route::Broadcast);

    // A client hears it from the server.
    Be(true);
    ASSERT_NE(HeroAt(kLeaver, {2, 0, 0}), nullptr);
    List({kLeaver, kStayer});
    NetworkSession client(Connection());
    HostLeftPacket left;
    left.host = 2;
    client.OnMessage(ConnectionManager::kServerHost, left);
    EXPECT_FALSE(Exists(kLeaver));
    EXPECT_FALSE(Game().GetPlayerManagerClient()->IsPlayerInGame(kLeaver));
    EXPECT_TRUE(Game().GetPlayerManagerClient()->IsPlayerInGame(kStayer));
}

} // namespace
} // namespace GAME::Test
