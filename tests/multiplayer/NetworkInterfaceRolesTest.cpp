#include "characters/Bonus.h"
#include "engine/Vec2.h"
#include "game/GameEngine.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "multiplayer/PlayerNetHeartbeatInfo.h"
#include "tests/multiplayer/WireFixtures.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

#include <functional>
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
PlayerNetBasicInfo Player(uint32_t id)
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
             i.StoC_AllPlayersHeartbeat({Player(23), Player(24)});
         }},
        {"CtoS_SinglePlayerHeartbeat", TypeOf<SinglePlayerHeartbeatPacket>(),
         [](I& i) { i.CtoS_SinglePlayerHeartbeat(Player(24)); }},
        {"StoC_AllPlayersUpdate", TypeOf<AllPlayersBasicInfoPacket>(),
         [](I& i) {
             i.StoC_AllPlayersUpdate({Player(25), Player(26)});
         }},
        {"CtoS_AddNewPlayer", TypeOf<SinglePlayerBasicInfoPacket>(),
         [](I& i) { i.CtoS_AddNewPlayer(Player(26)); }},
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

} // namespace
} // namespace GAME::Test
