#include "characters/Player.h"
#include "core/DialogManager.h"
#include "engine/Engine.h"
#include "engine/HostMessagePackets.h"
#include "engine/Region.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/ClientHoldings.h"
#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/NetworkSession.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "multiplayer/SessionPackets.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Must.h"

#include <gtest/gtest.h>

#include <memory>

namespace GAME::Test {
namespace {

constexpr const char* kHero = "Records/Test/NetHero.dbr";
constexpr const char* kPotion = "Records/Test/NetPotion.dbr";
constexpr const char* kPortal = "Records/Item/Teleporters/ArtifactShrine.dbr";
constexpr uint32_t kOwnHero = (1u << 28) | 7;
constexpr uint32_t kOtherHero = (2u << 28) | 7;

// One process plays both sides in turn: what the server sends is taken from the recording
// transport and handed to the client's session as it would arrive.
class NetworkJoin : public CombatWorldFixture {
protected:
    void SetUp() override
    {
        CombatWorldFixture::SetUp();
        database.WriteRecord(kHero, {"Class = Player"});
        database.WriteRecord(kPotion, {"Class = OneShot_PotionHealth"});
        database.WriteRecord(kPortal, {"Class = FixedItemTeleport"});
        TheWorld().GetRegionById(kRegion)->SetLevelLoaded(true);
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
    server.SetWelcome(77, 2, 0);
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

// Where it lies and as it was rolled, so both machines end with its line.
TEST_F(NetworkJoin, AClientThatJoinsIsSentTheItemsOnTheGround)
{
    Be(false);
    ItemReplicaInfo dropped;
    dropped.baseName = kPotion;
    dropped.id = (1u << 28) | 9;
    dropped.seed = 4242;
    Item* item = Must(Item::CreateItem(dropped));
    ASSERT_TRUE(TheWorld().AddEntity(item, WorldAt({3, 0, 4}), false));
    NetworkSession server(Connection());
    server.OnHostJoined(2);
    const auto sent = Connection().TakeSentPackets();
    EXPECT_EQ(Types(sent), (std::vector<uint32_t>{1, 25, 2, 34}));

    Be(true);
    NetworkSession client(Connection());
    EntityDestroyPacket gone;
    gone.entityId = dropped.id;
    client.OnMessage(ConnectionManager::kServerHost, gone);
    ObjectManager::Instance().ProcessDestroyedObjects();
    for (const auto& one : sent)
        Deliver(client, one.bytes);
    const auto* copy = Must(ObjectManager::Instance().GetObject<Item>(dropped.id));
    EXPECT_EQ(copy->GetCoords().GetPosition().GetRegionPosition(), Vec3(3, 0, 4));
    ItemReplicaInfo made;
    copy->GetItemReplicaInfo(made);
    EXPECT_EQ(std::make_tuple(made.baseName, made.seed), std::make_tuple(dropped.baseName, 4242u));
}

// A client's own copy of the quest may have missed news, so the server's outcome is what counts.
TEST_F(NetworkJoin, TheEndCarriesTheServersOutcomeAndOnlyTheServersEndCounts)
{
    Be(false);
    NetworkSession server(Connection());
    server.TellEnd(1, 0xa243e656u);
    const auto sent = Connection().TakeSentPackets();
    ASSERT_EQ(Types(sent), std::vector<uint32_t>{SessionEndsPacket::kType});
    EXPECT_EQ(sent[0].route, ConnectionManager::Route::Broadcast);

    Be(true);
    NetworkSession client(Connection());
    int heard = 0;
    client.OnSessionEnds([&heard] { ++heard; });
    client.OnMessage(2, *ConnectionManager::DecodePacket(sent[0].bytes));
    EXPECT_FALSE(client.HasSessionEnded());
    Deliver(client, sent[0].bytes);
    EXPECT_TRUE(client.HasSessionEnded());
    EXPECT_EQ(client.GetEndOutcome(), 1u);
    EXPECT_EQ(client.GetEndDigest(), 0xa243e656u);
    // Heard once: a second end, whatever it says, changes nothing.
    SessionEndsPacket again;
    client.OnMessage(ConnectionManager::kServerHost, again);
    EXPECT_EQ(client.GetEndOutcome(), 1u);
    EXPECT_EQ(heard, 1);
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

// Counted from what exists now, however the rest went; refusals past it are told as counts.
TEST_F(NetworkJoin, AClientHoldsNoMoreOfItsServersSpawnsThanALevelMayMake)
{
    constexpr const char* kSpark = "Records/Test/NetSpark.dbr";
    database.WriteRecord(kSpark, {"Class = EffectEntity"});
    Be(true);
    LogCapture log;
    auto client = std::make_unique<NetworkSession>(Connection());
    EntitySpawnPacket spawn;
    spawn.recordName = kSpark;
    spawn.coords = WorldAt({1, 0, 1});
    uint32_t id = 0x100;
    // As the transport hands them on: a peer's word.
    const auto receive = [&](NetPacket& packet) {
        const Engine::PeerWord word(0);
        client->OnMessage(ConnectionManager::kServerHost, packet);
    };
    const auto next = [&] {
        spawn.objectId = ++id;
        receive(spawn);
    };
    for (size_t i = 0; i < NetworkSession::kMaxSpawned; ++i)
        next();
    ASSERT_EQ(client->GetAcked().size(), NetworkSession::kMaxSpawned);
    EntityDestroyPacket taken;
    taken.entityId = 0x101;
    client->OnMessage(ConnectionManager::kServerHost, taken);
    auto* gone = ObjectManager::Instance().GetObject<Entity>(0x102);
    TheWorld().RemoveEntity(gone);
    ObjectManager::Instance().DestroyObjectEx(gone, "test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    for (int i = 0; i < 3; ++i)
        next();
    EXPECT_NE(ObjectManager::Instance().GetObject(id - 1), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
    EXPECT_EQ(client->GetNacked(), std::vector<uint32_t>{id});
    EXPECT_TRUE(client->IsOverBound());
    for (int i = 0; i < 1000; ++i)
        next();
    EXPECT_EQ(client->GetNacked().size(), 1001u);
    // Its players are spawns like any other.
    SpawnPlayerPacket player;
    player.recordName = kHero;
    player.objectId = ++id;
    player.coords = spawn.coords;
    receive(player);
    EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
    // What an action shows with an id of this machine's plays out by itself and is still made.
    {
        const Engine::PeerWord word(0);
        Object* shown = ObjectManager::Instance().CreateObjectFromFile<Entity>(kSpark, 0, true);
        ASSERT_NE(shown, nullptr);
        ObjectManager::Instance().DestroyObjectEx(shown, "test", __LINE__);
    }
    client.reset();
    gEngine->TellPeerLines(0, true);
    // Each line tells its own: the player's refusal is not the sparks'.
    EXPECT_EQ(log.CountContaining("NetworkSession: "), 3u);
    EXPECT_EQ(log.Count(2, "NetworkSession: the server made more than 10000 entities"), 1u);
    EXPECT_EQ(log.Count(2, "NetworkSession: entity " + std::to_string(id - 1) +
                               " of 'Records/Test/NetSpark.dbr' not made (and 1000 more of its "
                               "kind, 1001 in all)"),
              1u);
    EXPECT_EQ(log.Count(2, "NetworkSession: player " + std::to_string(id) +
                               " of 'Records/Test/NetHero.dbr' not made"),
              1u);
}

TEST_F(NetworkJoin, LeaveTakesTheHostsPlayersAndEntitiesOffEveryMachine)
{
    constexpr uint32_t kLeaver = (2u << 28) | 7;
    constexpr uint32_t kStayer = (1u << 28) | 7;
    Be(false);
    ASSERT_NE(HeroAt(kLeaver, {2, 0, 0}), nullptr);
    ASSERT_NE(HeroAt(kStayer, {3, 0, 0}), nullptr);
    List({kLeaver, kStayer});
    NetworkSession server(Connection());
    server.OnHostJoined(2);
    Connection().ClearSentPackets();
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

// What a client makes or takes away, judged by the server before it is carried out there.
class ClientCreation : public NetworkJoin {
protected:
    void SetUp() override
    {
        NetworkJoin::SetUp();
        Be(false);
        serverHero = HeroAt(0, {0, 0, 0})->GetObjectId();
        HeroAt(kOwnHero, {2, 0, 0});
        HeroAt(kOtherHero, {4, 0, 0});
        List({serverHero, kOwnHero, kOtherHero});
        session = std::make_unique<NetworkSession>(Connection());
    }
    void TearDown() override
    {
        session.reset();
        NetworkJoin::TearDown();
    }

    // Judged as host 1's and, when it passes, carried out here.
    template <class Packet> const char* FromClient(Packet&& packet)
    {
        const char* why = session->Refusal(1, packet);
        if (why == nullptr)
            session->OnMessage(1, packet);
        ObjectManager::Instance().ProcessDestroyedObjects();
        return why;
    }

    static CreateItemPacket Item(uint32_t id, uint32_t character)
    {
        CreateItemPacket packet;
        packet.item.id = id;
        packet.item.baseName = kPotion;
        packet.characterId = character;
        packet.coords = WorldAt({1, 0, 1});
        return packet;
    }
    static CreateEntityPacket Thing(uint32_t id)
    {
        CreateEntityPacket packet;
        packet.objectId = id;
        packet.recordName = kHero;
        packet.coords = WorldAt({6, 0, 6});
        return packet;
    }
    static CreateItemTeleportPacket Portal(uint32_t id, uint32_t owner)
    {
        CreateItemTeleportPacket packet;
        packet.objectId = id;
        packet.ownerId = owner;
        packet.coords = WorldAt({8, 0, 8});
        return packet;
    }
    static DestroyItemTeleportPacket Closing(uint32_t id)
    {
        DestroyItemTeleportPacket packet;
        packet.objectId = id;
        return packet;
    }

    uint32_t serverHero = 0;
    std::unique_ptr<NetworkSession> session;
};

TEST_F(ClientCreation, TakesOnlyItsOwnFreeIdsForItsOwnThings)
{
    constexpr const char* kNotOwn = "speaks for what is not its own";
    constexpr const char* kInUse = "makes an object under an id in use";
    constexpr uint32_t own = 1u << 28;
    // Each packet lives as long as its row.
    struct {
        const char* what;
        NetPacket&& packet;
        const char* refusal;
        uint32_t made;
    } rows[] = {
        {"an item dropped", Item(own | 100, 0), nullptr, own | 100},
        {"an item for its hero", Item(own | 101, kOwnHero), nullptr, own | 101},
        {"an item for another's hero", Item(own | 102, kOtherHero), kNotOwn, own | 102},
        {"an item for the server's hero", Item(own | 103, serverHero), kNotOwn, own | 103},
        {"an item under the server's id", Item(0x5000, 0), kNotOwn, 0x5000},
        {"an item under an id in use", Item(kOwnHero, 0), kInUse, 0},
        {"an entity", Thing(own | 200), nullptr, own | 200},
        {"an entity under another's id", Thing((2u << 28) | 200), kNotOwn, (2u << 28) | 200},
        {"an entity under the server's id", Thing(5000), kNotOwn, 5000},
        {"an entity under no id", Thing(0), kNotOwn, 0},
        {"an entity again", Thing(own | 200), kInUse, 0},
        {"its portal", Portal(own | 300, kOwnHero), nullptr, own | 300},
        {"a portal in another's name", Portal(own | 301, kOtherHero), kNotOwn, own | 301},
        {"another's portal", Portal((2u << 28) | 300, kOtherHero), kNotOwn, (2u << 28) | 300},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_STREQ(FromClient(row.packet), row.refusal);
        if (row.made != 0) {
            EXPECT_EQ(Exists(row.made), row.refusal == nullptr);
        }
    }
    // The one lies on the ground, the other is carried.
    EXPECT_TRUE(ObjectManager::Instance().GetObject<Entity>(own | 100)->IsInWorld());
    EXPECT_FALSE(ObjectManager::Instance().GetObject<Entity>(own | 101)->IsInWorld());
    EXPECT_TRUE(Game().HasFixedItemTeleport(kOwnHero));
    EXPECT_FALSE(Game().HasFixedItemTeleport(kOtherHero));

    // Its player again, under the id in use: refused and counted as the rest are.
    SpawnPlayerPacket again;
    again.objectId = kOwnHero;
    again.recordName = kHero;
    const uint64_t refused = Connection().GetCounters(1).dropped;
    session->OnMessage(1, again);
    EXPECT_EQ(Connection().GetCounters(1).dropped, refused + 1);
}

// What the server passed on is made on the other clients as on the server.
TEST_F(ClientCreation, ItsOwnItemAndPortalAreMadeOnTheOtherClients)
{
    Be(true);
    auto dropped = Item((1u << 28) | 500, 0);
    auto portal = Portal((1u << 28) | 501, kOwnHero);
    session->OnMessage(ConnectionManager::kServerHost, dropped);
    session->OnMessage(ConnectionManager::kServerHost, portal);
    auto* item = ObjectManager::Instance().GetObject<Entity>(dropped.item.id);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->IsInWorld());
    // A client lists the portal; the server's world sends the portal itself.
    EXPECT_TRUE(Game().HasFixedItemTeleport(kOwnHero));
}

TEST_F(ClientCreation, ClosesOnlyItsOwnPlayersPortal)
{
    Game().CreateFixedItemTeleportNetHook(WorldAt({8, 0, 8}), kOtherHero, (2u << 28) | 300, "");
    ASSERT_EQ(FromClient(Portal((1u << 28) | 300, kOwnHero)), nullptr);
    EXPECT_STREQ(FromClient(Closing((2u << 28) | 300)), "speaks for what is not its own");
    EXPECT_STREQ(FromClient(Closing(kOtherHero)), "speaks for what is not its own");
    EXPECT_TRUE(Game().HasFixedItemTeleport(kOtherHero));
    EXPECT_EQ(FromClient(Closing((1u << 28) | 300)), nullptr);
    EXPECT_FALSE(Game().HasFixedItemTeleport(kOwnHero));
    // A player that dies closes his portal by his own id, whether he has one or not.
    EXPECT_EQ(FromClient(Closing(kOwnHero)), nullptr);
    EXPECT_TRUE(Game().HasFixedItemTeleport(kOtherHero));
}

TEST_F(ClientCreation, HoldsOnlySoManyAndTheCountFallsAsTheyGo)
{
    const size_t held = ClientHoldings::Of(1).entities;
    EXPECT_EQ(held, 1u);
    uint32_t serial = 0x400;
    for (size_t i = held; i < ClientHoldings::kMaxEntities; ++i)
        ASSERT_EQ(FromClient(Thing((1u << 28) | ++serial)), nullptr) << i;
    auto oneMore = Thing((1u << 28) | ++serial);
    EXPECT_STREQ(FromClient(oneMore), "holds all the entities it may");
    EXPECT_FALSE(Exists(oneMore.objectId));
    auto* gone = ObjectManager::Instance().GetObject<Entity>((1u << 28) | 0x401);
    TheWorld().RemoveEntity(gone);
    ObjectManager::Instance().DestroyObjectEx(gone, "test", __LINE__);
    EXPECT_EQ(FromClient(oneMore), nullptr);

    for (size_t i = ClientHoldings::Of(1).items; i < ClientHoldings::kMaxItems; ++i)
        ASSERT_EQ(FromClient(Item((1u << 28) | ++serial, 0)), nullptr) << i;
    EXPECT_STREQ(FromClient(Item((1u << 28) | ++serial, kOwnHero)), "holds all the items it may");
}

TEST_F(ClientCreation, ATextNamesItsOwnPlayerOrGoesToItsOwn)
{
    const auto text = [](uint32_t receiver, uint32_t about) {
        RemoteMessagePacket packet;
        packet.receiver = receiver;
        packet.optionalInsert = about;
        packet.textTag = "tagMessageJoin";
        return packet;
    };
    EXPECT_EQ(session->Refusal(1, text(serverHero, kOwnHero)), nullptr);
    EXPECT_EQ(session->Refusal(1, text(serverHero, 0)), nullptr);
    // "X was invited", told to the inviter himself.
    EXPECT_EQ(session->Refusal(1, text(kOwnHero, kOtherHero)), nullptr);
    EXPECT_STREQ(session->Refusal(1, text(kOtherHero, serverHero)),
                 "speaks for what is not its own");
    // Told to the party its player leads, about one he puts out.
    Game().GetPlayerManagerClient()->AddPlayerToParty(kOtherHero, static_cast<int32_t>(kOwnHero));
    EXPECT_EQ(session->Refusal(1, text(kOtherHero, serverHero)), nullptr);
}

// What another machine sends a host that shows nothing stays within bounds, newest kept.
TEST_F(NetworkJoin, BubblesAndNoticesNoHostShowsAreBounded)
{
    DialogManager& dialogs = Game().GetDialogManager();
    dialogs.AddDialog(DialogManager::DialogQuestion, false, DialogManager::PartyInvitation,
                      std::wstring(L"join?"), true, true);
    for (int i = 0; i < 100; ++i) {
        Game().AddUINotification(UINotificationKind_Message, std::to_wstring(i), false);
        dialogs.AddDialog(DialogManager::DialogNotice, false, DialogManager::PartyNotice,
                          std::to_wstring(i), true, true);
    }
    ASSERT_EQ(Game().GetNumNotifications(), GameEngine::kMaxNotifications);
    EXPECT_EQ(Game().TakeTopNotification().texts, std::vector<std::wstring>{L"36"});
    ASSERT_EQ(dialogs.GetNumDialog(), DialogManager::kMaxNotices + 1);
    // The question waits for its answer.
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"join?");
    dialogs.RemoveTopDialog();
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"36");
}

} // namespace
} // namespace GAME::Test
