#include "ai/ControllerAI.h"
#include "characters/Bonus.h"
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/LocalizationManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/RegionLoader.h"
#include "engine/Vec2.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "game/UINotification.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/NetworkRegionLoaderOwnPlayer.h"
#include "multiplayer/NetworkRegionLoaderServer.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "multiplayer/PlayerNetHeartbeatInfo.h"
#include "tests/combat/DeathFixture.h"
#include "tests/multiplayer/WireBytes.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Must.h"
#include "tests/support/PacketBody.h"
#include "tests/support/PlayerListRecords.h"
#include "world/FixedItem.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using Call = std::function<void(GameEngineNetworkInterface&)>;

struct Row {
    const char* name;
    uint32_t type;
    Call call;
};

ItemReplicaInfo Record()
{
    ItemReplicaInfo item;
    item.id = 91;
    item.baseName = "Records/Items/Drop.dbr";
    item.prefixName = "Records/Items/Fiery.dbr";
    item.seed = 12345;
    item.var1 = 3;
    return item;
}

// Every field set and told apart, so that one the reader drops changes the bytes sent again.
PlayerNetBasicInfo NetPlayer(uint32_t id)
{
    PlayerNetBasicInfo player;
    player = PlayerNetHeartbeatInfo{.playerId = id,
                                    .health = 12.5f,
                                    .maxHealth = 20.0f,
                                    .mana = 3.0f,
                                    .maxMana = 4.0f,
                                    .level = 4,
                                    .partyId = -3,
                                    .position = kPosition,
                                    .classTag = "tagMage",
                                    .activeStatusSkills = {"a.dbr", "b.dbr"}};
    player.name = L"Cy";
    player.isMale = true;
    return player;
}

template <class PacketClass> uint32_t TypeOf()
{
    return PacketClass().GetType();
}

// Every operation of the doorway, with arguments that tell the fields apart.
const std::vector<Row>& Rows()
{
    using I = GameEngineNetworkInterface;
    static const std::vector<Row> rows = {
        {"TradeInitiate", TypeOf<TradeInitiatePacket>(), [](I& i) { i.TradeInitiate(1, 2); }},
        {"TradeCancel", TypeOf<TradeCancelPacket>(), [](I& i) { i.TradeCancel(3, 4); }},
        {"TradeFinalize", TypeOf<TradeFinalizePacket>(), [](I& i) { i.TradeFinalize(5, 6); }},
        {"TradeAddItem", TypeOf<TradeAddItemPacket>(),
         [](I& i) { i.TradeAddItem(7, 8, Vec2(1.5f, -2.0f), Record()); }},
        {"TradeRemoveItem", TypeOf<TradeRemoveItemPacket>(),
         [](I& i) { i.TradeRemoveItem(9, 10, 11); }},
        {"TradeSetGoldAmount", TypeOf<TradeSetGoldPacket>(),
         [](I& i) { i.TradeSetGoldAmount(12, 13, 14); }},
        {"GiveGoldToPlayer", TypeOf<GiveGoldPacket>(), [](I& i) { i.GiveGoldToPlayer(15, -16); }},
        {"CreateItem", TypeOf<CreateItemPacket>(),
         [](I& i) { i.CreateItem(17, kCoords, Record(), nullptr); }},
        {"CreateEntity", TypeOf<CreateEntityPacket>(),
         [](I& i) { i.CreateEntity(kCoords, "Records/Fx/Ash.dbr", 18); }},
        {"CreateFixedItemTeleport", TypeOf<CreateItemTeleportPacket>(),
         [](I& i) { i.CreateFixedItemTeleport(kCoords, 19, 20, "Records/Levels/Camp.dbr", 21); }},
        {"DestroyFixedItemTeleport", TypeOf<DestroyItemTeleportPacket>(),
         [](I& i) { i.DestroyFixedItemTeleport(22); }},
        {"StoC_AllPlayersHeartbeat", TypeOf<AllPlayersHeartbeatPacket>(),
         [](I& i) {
             i.StoC_AllPlayersHeartbeat({NetPlayer(23), NetPlayer(24)});
         }},
        {"CtoS_SinglePlayerHeartbeat", TypeOf<SinglePlayerHeartbeatPacket>(),
         [](I& i) { i.CtoS_SinglePlayerHeartbeat(NetPlayer(24)); }},
        {"StoC_AllPlayersUpdate", TypeOf<AllPlayersBasicInfoPacket>(),
         [](I& i) {
             i.StoC_AllPlayersUpdate({NetPlayer(25), NetPlayer(26)});
         }},
        {"CtoS_AddNewPlayer", TypeOf<SinglePlayerBasicInfoPacket>(),
         [](I& i) { i.CtoS_AddNewPlayer(NetPlayer(26)); }},
        {"HandleBonusToClient", TypeOf<BonusToClientPacket>(),
         [](I& i) { i.HandleBonusToClient(Reward(), 27); }},
        {"HandleBonusToServer", TypeOf<BonusToServerPacket>(),
         [](I& i) { i.HandleBonusToServer(Reward(), kPosition, 28); }},
        {"HandleQuestMessagePacket", TypeOf<QuestMessagePacket>(),
         [](I& i) {
             i.HandleQuestMessagePacket(29, true, {1, 2, 3}, 30);
         }},
        {"AddPlayerToParty", TypeOf<JoinPartyConfigCmdPacket>(),
         [](I& i) { i.AddPlayerToParty(31, 32); }},
        {"InvitePlayerToParty", TypeOf<InvitePartyConfigCmdPacket>(),
         [](I& i) { i.InvitePlayerToParty(33, 34); }},
        {"GameBalanceUpdate", TypeOf<GameBalanceUpdatePacket>(),
         [](I& i) { i.GameBalanceUpdate(35); }},
        {"S2C_MarketUpdate", TypeOf<MarketS2CUpdatePacket>(),
         [](I& i) {
             i.S2C_MarketUpdate(36, "Smith", 2, 37, {4, 5});
         }},
        {"S2C_MarketPurchaseConfirmation", TypeOf<MarketS2CPurchaseConfirmationPacket>(),
         [](I& i) { i.S2C_MarketPurchaseConfirmation(38, 39, 40); }},
        {"S2C_MarketPurchaseDenied", TypeOf<MarketS2CPurchaseDeniedPacket>(),
         [](I& i) { i.S2C_MarketPurchaseDenied(41, 42, 43, MarketItemStatus_Sold); }},
        {"S2C_MarketItemStatusUpdate", TypeOf<MarketS2CStatusUpdatePacket>(),
         [](I& i) { i.S2C_MarketItemStatusUpdate(44, 45, MarketItemStatus_PurchasePending); }},
        {"C2S_MarketPurchaseRequest", TypeOf<MarketC2SPurchaseRequestPacket>(),
         [](I& i) { i.C2S_MarketPurchaseRequest(46, 47, 48, 49, 50); }},
        {"C2S_MarketSellBack", TypeOf<MarketC2SSellBackPacket>(),
         [](I& i) { i.C2S_MarketSellBack(51, 52, 53, 54, 55); }},
        {"C2S_MarketUpdateRequest", TypeOf<MarketC2SUpdateRequestPacket>(),
         [](I& i) { i.C2S_MarketUpdateRequest(56); }},
        {"DisplayMessageRemote", TypeOf<RemoteMessagePacket>(),
         [](I& i) { i.DisplayMessageRemote(57, 58, true, "tagHi"); }},
        {"DisplayWMessageRemote", TypeOf<RemoteWMessagePacket>(),
         [](I& i) { i.DisplayWMessageRemote(59, false, L"Hi"); }},
        {"HandleChatMessage", TypeOf<ChatPacket>(),
         [](I& i) { i.HandleChatMessage(L"Ana", L"hello", 2, {60}); }},
        {"QuestCommandMove", TypeOf<QuestCommandMovePacket>(),
         [](I& i) { i.QuestCommandMove(61, 62, kPosition, true); }},
        {"QuestCommandWalk", TypeOf<QuestCommandWalkPacket>(),
         [](I& i) { i.QuestCommandWalk(63, 64, kPosition, false); }},
        {"QuestCommandPlayAnimation", TypeOf<QuestCommandPlayAnimationPacket>(),
         [](I& i) { i.QuestCommandPlayAnimation(65, 6, true, false); }},
        {"QuestCommandUseSkill", TypeOf<QuestCommandUseSkillPacket>(),
         [](I& i) {
             std::string skill = "Records/Skills/Bash.dbr";
             i.QuestCommandUseSkill(66, skill, 67, true);
         }},
        {"QuestCommandLockFixedItem", TypeOf<QuestCommandLockFixedItemPacket>(),
         [](I& i) { i.QuestCommandLockFixedItem(68, true); }},
    };
    return rows;
}

class Roles : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        TakeSentBytes();
    }
};

// On a server and on a client each operation sends one packet; decoded and handed on, the
// packet calls the same operation with the same arguments, which sends the same bytes again.
TEST_F(Roles, EveryOperationCrossesAsOnePacketAndArrivesUnchanged)
{
    ASSERT_EQ(Rows().size(), 36u);
    for (bool server : {true, false}) {
        server ? Game().SetAsNetworkServer() : Game().SetAsNetworkClient();
        for (const Row& row : Rows()) {
            SCOPED_TRACE(std::string(row.name) + (server ? " server" : " client"));
            row.call(*Game().GetNetworkInterface());
            const std::vector<std::vector<uint8_t>> sent = TakeSentBytes();
            ASSERT_EQ(sent.size(), 1u);
            std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(sent.front());
            ASSERT_NE(packet, nullptr);
            EXPECT_EQ(packet->GetType(), row.type);
            GameEngineOutboundInterface echo;
            ASSERT_TRUE(InboundPacketDispatcher::Dispatch(*packet, echo));
            const std::vector<std::vector<uint8_t>> again = TakeSentBytes();
            ASSERT_EQ(again.size(), 1u);
            EXPECT_EQ(again.front(), sent.front());
            InboundPacketDispatcher::Dispatch(*packet, *Game().GetInboundNetworkInterface());
            TakeSentBytes();
        }
    }
}

TEST_F(Roles, SinglePlayerCarriesEveryOperationOutAtOnce)
{
    Game().SetAsNetworkStub();
    ASSERT_EQ(Game().GetNetworkInterface(), Game().GetInboundNetworkInterface());
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        row.call(*Game().GetNetworkInterface());
        EXPECT_TRUE(TakeSentBytes().empty());
    }
}

constexpr const char* kPotion = "Records/Items/Drop.dbr";

// What the inbound side does with each operation on the machine that carries it out.
class InboundRows : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        database.WriteRecord(kPotion, {"Class = OneShot_PotionHealth", "description = tagDrop"});
        gEngine->GetPhysicsEngine().Reset();
    }

    GameEngineNetworkInterface& Inbound() { return *Game().GetInboundNetworkInterface(); }

    static ItemReplicaInfo Potion(uint32_t seed)
    {
        ItemReplicaInfo info;
        info.id = 4321;
        info.baseName = kPotion;
        info.seed = seed;
        return info;
    }

    Player* NewPlayer()
    {
        return static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
    }
};

TEST_F(InboundRows, GoldTakesTheNegatedAmountWithoutWrapping)
{
    Player* player = NewPlayer();
    struct Row {
        uint32_t before;
        int32_t amount;
        uint32_t after;
    };
    const Row rows[] = {{300, 0, 300}, {300, -50, 250}, {300, 75, 375}, {2000, INT_MIN, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.amount);
        player->SubtractMoney(player->GetCurrentMoney());
        player->AddMoney(row.before);
        Inbound().GiveGoldToPlayer(player->GetObjectId(), row.amount);
        EXPECT_EQ(player->GetCurrentMoney(), row.after);
    }
    Inbound().GiveGoldToPlayer(player->GetObjectId() + 1000, -5);
    EXPECT_EQ(player->GetCurrentMoney(), 0u);
}

// The seed alone places and spins a drop, so every machine lands it alike.
TEST_F(InboundRows, ADropLandsAndSpinsAsItsSeedSays)
{
    const Vec3 start(3.0f, 0.0f, -2.0f);
    const WorldCoords at(kPlace.GetRegionId(), Coords::FromTranslation(start));
    const PhysicsEngine& physics = gEngine->GetPhysicsEngine();
    Inbound().CreateItem(0, at, Potion(12345), nullptr);
    const uint32_t id = physics.GetLinearVelocities().GetLast().objectId;
    const Item* item = Must(ObjectManager::Instance().GetObject<Item>(id));
    EXPECT_EQ(item->GetPhysicsType(), 2);
    EXPECT_EQ(physics.GetLinearVelocities().GetLast().velocity,
              at.GetRegionCoords().forward + Vec3(0.0f, 4.0f, 0.0f));
    const Vec3 offset = item->GetCoords().GetRegionCoords().origin - start;
    EXPECT_NEAR(offset.x, 0.2518f, 1e-4f);
    EXPECT_FLOAT_EQ(offset.y, 1.0f);
    EXPECT_NEAR(offset.z, -0.4320f, 1e-4f);
    const Vec3 spin = physics.GetAngularVelocities().GetLast().velocity;
    EXPECT_NEAR(spin.x, 1.1502f, 1e-4f);
    EXPECT_NEAR(spin.y, 2.6094f, 1e-4f);
    EXPECT_NEAR(spin.z, -0.0572f, 1e-4f);
}

// An item the world refuses or for a character nobody knows, and an entity without a record or a
// place, leave no object behind.
TEST_F(InboundRows, ACreationThatCannotBeCarriedOutLeavesNoObject)
{
    ObjectManager& objects = ObjectManager::Instance();
    const size_t before = objects.GetObjectCount();
    Inbound().CreateItem(0, WorldCoords(9999, Coords()), Potion(7), nullptr);
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(log.CountContaining("GameEngine: Unable to drop item"), 1u);
    EXPECT_TRUE(gEngine->GetPhysicsEngine().GetLinearVelocities().IsEmpty());
    Inbound().CreateItem(77, WorldCoords(), Potion(0), nullptr);
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(log.Count(1, "GameEngine: Unable to resolve character (77) to give item (4321)"), 1u);
    Inbound().CreateEntity(kPlace, "", 77);
    Inbound().CreateEntity(WorldCoords(9999, Coords()), kPotion, 78);
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(objects.GetObjectCount(), before);
    EXPECT_EQ(objects.GetObject<Object>(77), nullptr);
    EXPECT_EQ(objects.GetObject<Object>(78), nullptr);
}

TEST_F(InboundRows, QuestCommandsReachOnlyWhatTheyName)
{
    database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
    Monster* monster = Spawn(kBones, {"unarmedWalkAnim = BonesWalk"});
    auto* controller =
        ObjectManager::Instance().GetObject<ControllerAI>(monster->GetControllerId());
    ASSERT_NE(controller, nullptr);
    Inbound().QuestCommandWalk(monster->GetObjectId() + 5000, 0, kPlace.GetPosition(), true);
    EXPECT_FALSE(controller->GetAllowQuestInterruptions());
    Inbound().QuestCommandWalk(monster->GetObjectId(), 0, kPlace.GetPosition(), true);
    EXPECT_TRUE(controller->GetAllowQuestInterruptions());

    LogCapture log;
    Inbound().QuestCommandPlayAnimation(monster->GetObjectId(), 9999, true, false);
    EXPECT_TRUE(controller->GetAllowQuestInterruptions());
    EXPECT_EQ(log.GetLines().size(), 1u);
    EXPECT_EQ(log.CountContaining("9999"), 1u);

    auto* chest = static_cast<FixedItem*>(ObjectManager::Instance().CreateObject("FixedItem"));
    Inbound().QuestCommandLockFixedItem(monster->GetObjectId(), true);
    EXPECT_FALSE(chest->IsLocked());
    Inbound().QuestCommandLockFixedItem(chest->GetObjectId(), true);
    EXPECT_TRUE(chest->IsLocked());
}

class RemoteText : public InboundRows {
protected:
    void SetUp() override
    {
        InboundRows::SetUp();
        LocalizationManager::Instance().AddText("SimpleStringFormat", L"[%s]");
        LocalizationManager::Instance().AddText("tagJoined", L"%s joined");
        LocalizationManager::Instance().AddText("tagNumbers", L"%s has %d");
        Game().GetPlayerManagerClient()->HandlePlayerUpdate({ListedPlayer(kAna, L"Ana")});
    }
    void TearDown() override
    {
        LocalizationManager::Instance().Clear();
        InboundRows::TearDown();
    }

    // The text a remote message puts up as a bubble.
    std::wstring Shown(uint32_t about, const std::string& tag)
    {
        while (Game().GetNumNotifications() != 0)
            Game().TakeTopNotification();
        Inbound().DisplayMessageRemote(1, about, true, tag);
        EXPECT_EQ(Game().GetNumNotifications(), 1u);
        const UINotification notice = Game().TakeTopNotification();
        EXPECT_EQ(notice.type, 6);
        return notice.texts.empty() ? std::wstring() : notice.texts.front();
    }

    static constexpr uint32_t kAna = 0x10000001;
};

TEST_F(RemoteText, OnlyTheNameIsPutIntoTheTag)
{
    struct Row {
        uint32_t about;
        std::string tag;
        std::wstring shown;
    };
    const Row rows[] = {
        {0, "tagJoined", L"[tagJoined]"},
        {kAna, "tagJoined", L"Ana joined"},
        {kAna + 1, "tagJoined", L"ErrorName joined"},
        {kAna, "%d %s", L"%d %s"},
        {kAna, "tagNumbers", L"%s has %d"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tag);
        EXPECT_EQ(Shown(row.about, row.tag), row.shown);
    }
}

TEST_F(RemoteText, APartyAnswerRegistersOnlyWithItsRecipient)
{
    Player* local = NewPlayer();
    Game().GetPlayerManagerClient()->SetMainPlayer(local->GetObjectId());
    PartyRequestResponsePacket answer;
    answer.sender = kAna;
    answer.recipient = local->GetObjectId() + 1;
    answer.accepted = true;
    EXPECT_TRUE(InboundPacketDispatcher::DispatchToEngine(answer, Game()));
    EXPECT_EQ(Game().GetNumPartyRequestResponses(), 0u);
    answer.recipient = local->GetObjectId();
    EXPECT_TRUE(InboundPacketDispatcher::DispatchToEngine(answer, Game()));
    ASSERT_EQ(Game().GetNumPartyRequestResponses(), 1u);
    EXPECT_EQ(Game().GetTopPartyRequestResponse().playerId, kAna);
}

// Message: receiver, insert, bubble, tag. Entity: coords, record, id. The portal leaves the
// target player behind.
TEST_F(OutboundInterface, MessagesEntitiesAndPortalsKeepTheirFieldOrder)
{
    outbound.DisplayMessageRemote(7, 0x20000001, true, "tagHi");
    EXPECT_EQ(Sent(), (std::vector<uint8_t>{26, 0, 0, 0, 18, 0,   0,   0,    //
                                            7,  0, 0, 0, 1,  0,   0,   0x20, //
                                            1,  5, 0, 0, 0,  't', 'a', 'g',  'H', 'i'}));
    outbound.CreateEntity(kCoords, "Records/Creatures/Boar.dbr", 0x10000005);
    EXPECT_EQ(
        Sent(),
        WireBytes().Place(kCoords).Text("Records/Creatures/Boar.dbr").Word(0x10000005).Packet(33));
    outbound.CreateFixedItemTeleport(kCoords, 0x10000001, 44, "tagSector", 0x20000001);
    EXPECT_EQ(Sent(),
              WireBytes().Place(kCoords).Word(0x10000001).Word(44).Text("tagSector").Packet(44));
}

TEST_F(OutboundInterface, SmallMessagesKeepTheirFieldOrder)
{
    // The invitee goes first.
    outbound.InvitePlayerToParty(5, 9);
    EXPECT_EQ(Sent(), WireBytes().Word(5).Word(9).Packet(108));

    outbound.QuestCommandPlayAnimation(0x10, 3, true, false);
    EXPECT_EQ(Sent(), WireBytes().Word(0x10).Word(3).Bool(true).Bool(false).Packet(58));

    outbound.S2C_MarketUpdate(4, "Records/Markets/Smith.dbr", 9, 1234, {});
    WireBytes market;
    market.Word(4).Text("Records/Markets/Smith.dbr").Word(9).Word(1234).Word(0);
    EXPECT_EQ(Sent(), market.Packet(55));

    outbound.S2C_MarketPurchaseDenied(4, 2, 0x10000001, MarketItemStatus_Sold);
    EXPECT_EQ(Sent(), WireBytes().Word(4).Word(2).Word(0x10000001).Word(3).Packet(53));

    outbound.GiveGoldToPlayer(0x10000001, -50);
    EXPECT_EQ(Sent(), WireBytes().Word(0x10000001).Word(0xFFFFFFCE).Packet(112));

    outbound.HandleQuestMessagePacket(1, true, {0xAABBCCDD, 2}, 3);
    EXPECT_EQ(Sent(),
              WireBytes().Word(1).Word(3).Word(2).Word(0xAABBCCDD).Word(2).Bool(true).Packet(17));
}

TEST_F(OutboundInterface, PlayerRecordsPutThePartyBeforeTheLevelAndTheClassBeforeThePosition)
{
    const PlayerNetHeartbeatInfo player{.playerId = 0x10000002,
                                        .health = 50.5f,
                                        .maxHealth = 100.0f,
                                        .mana = -0.0f,
                                        .maxMana = 40.0f,
                                        .level = 7,
                                        .partyId = -3,
                                        .position = kPosition,
                                        .classTag = "tagWarrior",
                                        .activeStatusSkills = {"Records/Skills/Haste.dbr"}};
    outbound.StoC_AllPlayersHeartbeat({player});
    WireBytes bytes;
    bytes.Word(1).Word(0x10000002).Float(50.5f).Float(100.0f);
    bytes.Word(0x80000000).Float(40.0f).Word(0xFFFFFFFD).Word(7); // -0.0f bit for bit
    bytes.Text("tagWarrior").Position(kPosition).Word(1).Text("Records/Skills/Haste.dbr");
    EXPECT_EQ(Sent(), bytes.Packet(21));

    // A new player carries name and gender between party and level.
    PlayerNetBasicInfo basic;
    basic = PlayerNetHeartbeatInfo{.playerId = 0x30000001,
                                   .health = 1.0f,
                                   .maxHealth = 2.0f,
                                   .mana = 3.0f,
                                   .maxMana = 4.0f,
                                   .level = 12,
                                   .partyId = 0x30000001,
                                   .position = kPosition,
                                   .classTag = "tagRogue",
                                   .activeStatusSkills = {}};
    basic.name = L"Ana";
    outbound.CtoS_AddNewPlayer(basic);
    WireBytes added;
    added.Word(0x30000001).Float(1.0f).Float(2.0f).Float(3.0f).Float(4.0f).Word(0x30000001);
    added.WideText(L"Ana").Bool(false).Word(12).Text("tagRogue").Position(kPosition).Word(0);
    EXPECT_EQ(Sent(), added.Packet(24));
}

TEST_F(OutboundInterface, BonusToClientSendsTenWordsWithTheReceiverLast)
{
    const Bonus bonus = Reward();
    WireBytes tenWords;
    tenWords.Float(1.0f).Float(2.0f).Float(3.0f).Float(0.75f).Word(5).Word(6).Word(7);
    tenWords.Word(900).Word(31).Word(0x20000001);
    outbound.HandleBonusToClient(bonus, 0x20000009);
    EXPECT_EQ(Sent(), WireBytes(tenWords).Packet(113));

    outbound.HandleBonusToServer(bonus, kPosition, 0x20000009);
    EXPECT_EQ(Sent(), WireBytes(tenWords).Position(kPosition).Word(0x20000009).Packet(114));
}

TEST(PacketDecoding, RefusesCountsThatTheBytesCannotHold)
{
    LogCapture log;
    // A heartbeat list claiming four billion players in four bytes.
    EXPECT_EQ(ConnectionManager::DecodePacket(WireBytes().Word(0xFFFFFFFF).Packet(21)), nullptr);
    // One heartbeat whose skill list runs past the end.
    WireBytes skills;
    skills.Word(1).Word(1).Float(0).Float(0).Float(0).Float(0).Word(0).Word(0).Text("");
    skills.Position(kPosition).Word(2).Text("one");
    EXPECT_EQ(ConnectionManager::DecodePacket(skills.Packet(21)), nullptr);
}

// A player list claiming `count` players, each listed one at its smallest but for its number of
// empty status skill names, read into the packet.
void ReadPlayers(AllPlayersBasicInfoPacket& packet, uint32_t count,
                 std::initializer_list<uint32_t> skillCounts)
{
    WireBytes bytes;
    bytes.Word(count);
    for (uint32_t skills : skillCounts) {
        bytes.Word(1).Float(0).Float(0).Float(0).Float(0).Word(0).WideText(L"").Bool(false);
        bytes.Word(0).Text("").Position(kPosition).Word(skills);
        for (uint32_t i = 0; i < skills; ++i)
            bytes.Text("");
    }
    ReadBody(packet, bytes.Packet(23));
}

// The fuzz target's allocation bound rests on this: a record in memory is several times its
// wire size, so a list may hold room for its records read and never for a count alone.
TEST(PacketDecoding, ListsTakeRoomForTheirRecordsNotForTheirCount)
{
    AllPlayersBasicInfoPacket packet;
    ReadPlayers(packet, 3, {0, 0, 5});
    EXPECT_TRUE(packet.IsInboundComplete());
    EXPECT_EQ(packet.players.capacity(), 3u);
    ASSERT_EQ(packet.players.size(), 3u);
    EXPECT_EQ(packet.players[2].activeStatusSkills.capacity(), 5u);

    // As many players as the bytes could hold at their smallest, spent on one player's names.
    AllPlayersBasicInfoPacket cut;
    ReadPlayers(cut, 8, {100});
    EXPECT_FALSE(cut.IsInboundComplete());
    EXPECT_EQ(cut.players.size(), 1u);
    EXPECT_EQ(cut.players.capacity(), 1u);
}

constexpr uint32_t kPlayer = 0x20000001;
const WorldVec3 kHere(5, Vec3(1, 0, 1));

class CountingListener : public NetworkRegionLoaderServer::LoadedListener {
public:
    void OnRegionsLoaded() override { ++calls; }
    int calls = 0;
};

class NetworkRegionLoaders : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        gEngine->GetWorld()->CreateRegion(5, {0, 0, 0}, ABBox({-100, -100, -100}, {100, 100, 100}));
        RegionLoader::SetFramesToLoad(2);
    }
    void TearDown() override
    {
        RegionLoader::SetFramesToLoad(RegionLoader::kDefaultFramesToLoad);
        GameEngineFixture::TearDown();
    }

    std::vector<int32_t> SentStates()
    {
        std::vector<int32_t> states;
        for (const auto& packet : TakeSent<NRLoaderStatePacket>()) {
            EXPECT_EQ(packet->playerId, kPlayer);
            states.push_back(packet->state);
        }
        return states;
    }
};

TEST_F(NetworkRegionLoaders, WithoutARegionNoRegionLoaderAndAClientStaysLoading)
{
    NetworkRegionLoaderClient loader;
    loader.Register(WorldVec3(), kPlayer);
    for (int frame = 0; frame < 10; ++frame)
        loader.Update();
    EXPECT_EQ(loader.GetRegionLoader(), nullptr);
    EXPECT_EQ(loader.GetLocalState(), 1);
    EXPECT_EQ(SentStates(), std::vector<int32_t>{1});
}

TEST_F(NetworkRegionLoaders, AClientAnnouncesLoadingThenLoadedAndIsDoneWithItsPeer)
{
    auto* loader = new NetworkRegionLoaderClient();
    loader->Register(kHere, kPlayer);
    loader->Update(); // starts
    EXPECT_EQ(loader->GetRegionLoader()->GetRegionIds(), std::vector<uint32_t>{5});
    loader->Update();
    loader->Update();
    EXPECT_TRUE(loader->IsLocalDone());
    EXPECT_FALSE(loader->IsDone());
    EXPECT_EQ(SentStates(), (std::vector<int32_t>{1, 2}));
    Game().StoC_HandleNRLoaderStateChangeInbound(kPlayer, 2);
    EXPECT_TRUE(loader->IsDone());
    // Destroying it unregisters it.
    Game().DestroyNetworkLoader(loader);
    EXPECT_EQ(Game().FindNRLoader(kPlayer), nullptr);
}

TEST_F(NetworkRegionLoaders, AHeldServerLoaderNotifiesOnceAndFinishesOnlyAfterRelease)
{
    NetworkRegionLoaderServer loader;
    CountingListener listener;
    loader.AddLoadedListener(&listener);
    loader.Hold();
    loader.Register(kHere, kPlayer);
    loader.SetRemoteState(2);
    for (int frame = 0; frame < 6; ++frame)
        loader.Update();
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(loader.GetLocalState(), 1);
    EXPECT_EQ(SentStates(), std::vector<int32_t>{1});
    loader.Release();
    loader.Update();
    EXPECT_EQ(loader.GetLocalState(), 2);
    EXPECT_TRUE(loader.IsDone());
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(SentStates(), std::vector<int32_t>{2});
}

TEST_F(NetworkRegionLoaders, AnUnansweredServerLoaderStaysLoadingAndCallsNobody)
{
    NetworkRegionLoaderServer loader;
    CountingListener listener;
    loader.AddLoadedListener(&listener);
    loader.Register(kHere, kPlayer);
    for (int frame = 0; frame < 6; ++frame)
        loader.Update();
    EXPECT_EQ(loader.GetLocalState(), 1);
    EXPECT_EQ(listener.calls, 0);
    // The client's report arrives through the engine.
    Game().CtoS_HandleNRLoaderStateChangeInbound(kPlayer, 2);
    loader.Update();
    EXPECT_EQ(listener.calls, 1);
    EXPECT_TRUE(loader.IsDone());
}

TEST_F(NetworkRegionLoaders, TheServersOwnPlayerIsItsOwnPeer)
{
    NetworkRegionLoaderOwnPlayer loader;
    loader.Register(kHere, kPlayer);
    loader.Update();
    EXPECT_EQ(loader.GetRemoteState(), 1);
    EXPECT_FALSE(loader.IsDone());
    loader.Update();
    loader.Update();
    EXPECT_TRUE(loader.IsDone());
    // It announces as the server does: to every client.
    const auto sent = gEngine->GetNetworkConnectionManager().GetSentPackets();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].route, ConnectionManager::Route::Broadcast);
}

TEST_F(NetworkRegionLoaders, StatesOutsideTheThreeAndUnknownPlayersAreIgnored)
{
    NetworkRegionLoaderClient loader;
    loader.Register(kHere, kPlayer);
    Game().StoC_HandleNRLoaderStateChangeInbound(kPlayer, 3);
    Game().StoC_HandleNRLoaderStateChangeInbound(kPlayer, -1);
    EXPECT_EQ(loader.GetRemoteState(), 0);
    EXPECT_EQ(log.Count(Engine::LogRuntime, "Region loader state 3 for player 536870913 ignored"),
              1u);
    Game().StoC_HandleNRLoaderStateChangeInbound(kPlayer + 1, 2);
    EXPECT_EQ(loader.GetRemoteState(), 0);
    Game().StoC_HandleNRLoaderStateChangeInbound(kPlayer, 2);
    EXPECT_EQ(loader.GetRemoteState(), 2);
}

TEST_F(NetworkRegionLoaders, InboundLoadersFollowTheRoleAndThePlayer)
{
    Game().GetPlayerManagerClient()->SetMainPlayer(kPlayer);
    std::unique_ptr<NetworkRegionLoaderBase> own(Game().CreateNetworkLoaderInbound(kPlayer, kHere));
    std::unique_ptr<NetworkRegionLoaderBase> other(
        Game().CreateNetworkLoaderInbound(kPlayer + 1, kHere));
    EXPECT_NE(dynamic_cast<NetworkRegionLoaderOwnPlayer*>(own.get()), nullptr);
    EXPECT_NE(dynamic_cast<NetworkRegionLoaderServer*>(other.get()), nullptr);
    EXPECT_EQ(Game().FindNRLoader(kPlayer + 1), other.get());
    Game().SetAsNetworkClient();
    std::unique_ptr<NetworkRegionLoaderBase> client(
        Game().CreateNetworkLoaderInbound(kPlayer + 2, kHere));
    std::unique_ptr<NetworkRegionLoaderBase> made(Game().CreateNetworkLoader(kPlayer + 3, kHere));
    for (const NetworkRegionLoaderBase* loader : {client.get(), made.get()})
        EXPECT_NE(dynamic_cast<const NetworkRegionLoaderClient*>(loader), nullptr);
}

} // namespace
} // namespace GAME::Test
