#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/PlayerInfoPackets.h"

#include "tests/multiplayer/MockNetworkInterface.h"
#include "tests/multiplayer/WireBytes.h"
#include "tests/support/LogCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace GAME {
namespace {

using GAME::Test::WireBytes;
using ::testing::_;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::StrictMock;

const WorldCoords kCoords(3, Coords({0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 0.0f},
                                    {1.5f, -2.0f, 8.25f}));
const WorldVec3 kPosition(2, Vec3(4.0f, 0.5f, -6.0f));

class OutboundInterface : public ::testing::Test {
protected:
    void SetUp() override { GAME::Test::TakeSentBytes(); }

    // The one packet the last operation sent.
    std::vector<uint8_t> Sent()
    {
        std::vector<std::vector<uint8_t>> sent = GAME::Test::TakeSentBytes();
        EXPECT_EQ(sent.size(), 1u);
        return sent.empty() ? std::vector<uint8_t>() : sent.front();
    }

    GameEngineOutboundInterface outbound;
};

TEST_F(OutboundInterface, DisplayMessageRemoteSendsReceiverInsertBubbleAndTag)
{
    outbound.DisplayMessageRemote(7, 0x20000001, true, "tagHi");
    EXPECT_EQ(Sent(), (std::vector<uint8_t>{26, 0, 0, 0, 18, 0,   0,   0,    //
                                            7,  0, 0, 0, 1,  0,   0,   0x20, //
                                            1,  5, 0, 0, 0,  't', 'a', 'g',  'H', 'i'}));
}

TEST_F(OutboundInterface, CreateEntitySendsCoordsThenRecordThenId)
{
    outbound.CreateEntity(kCoords, "Records/Creatures/Boar.dbr", 0x10000005);
    EXPECT_EQ(
        Sent(),
        WireBytes().Place(kCoords).Text("Records/Creatures/Boar.dbr").Word(0x10000005).Packet(33));
}

TEST_F(OutboundInterface, TeleportPortalLeavesTheTargetPlayerBehind)
{
    outbound.CreateFixedItemTeleport(kCoords, 0x10000001, 44, "tagSector", 0x20000001);
    EXPECT_EQ(Sent(),
              WireBytes().Place(kCoords).Word(0x10000001).Word(44).Text("tagSector").Packet(44));
}

TEST_F(OutboundInterface, HeartbeatsPutThePartyBeforeTheLevelAndTheClassBeforeThePosition)
{
    PlayerNetHeartbeatInfo player;
    player.playerId = 0x10000002;
    player.health = 50.5f;
    player.maxHealth = 100.0f;
    player.mana = -0.0f;
    player.maxMana = 40.0f;
    player.level = 7;
    player.partyId = -3;
    player.position = kPosition;
    player.classTag = "tagWarrior";
    player.activeStatusSkills = {"Records/Skills/Haste.dbr"};

    outbound.StoC_AllPlayersHeartbeat({player});
    EXPECT_EQ(Sent(), WireBytes()
                          .Word(1)
                          .Word(0x10000002)
                          .Float(50.5f)
                          .Float(100.0f)
                          .Word(0x80000000) // negative zero, bit for bit
                          .Float(40.0f)
                          .Word(0xFFFFFFFD)
                          .Word(7)
                          .Text("tagWarrior")
                          .Position(kPosition)
                          .Word(1)
                          .Text("Records/Skills/Haste.dbr")
                          .Packet(21));
}

TEST_F(OutboundInterface, NewPlayerCarriesNameAndGenderBetweenPartyAndLevel)
{
    PlayerNetBasicInfo player;
    player.playerId = 0x30000001;
    player.health = 1.0f;
    player.maxHealth = 2.0f;
    player.mana = 3.0f;
    player.maxMana = 4.0f;
    player.partyId = 0x30000001;
    player.name = L"Ana";
    player.isMale = false;
    player.level = 12;
    player.classTag = "tagRogue";
    player.position = kPosition;

    outbound.CtoS_AddNewPlayer(player);
    EXPECT_EQ(Sent(), WireBytes()
                          .Word(0x30000001)
                          .Float(1.0f)
                          .Float(2.0f)
                          .Float(3.0f)
                          .Float(4.0f)
                          .Word(0x30000001)
                          .WideText(L"Ana")
                          .Bool(false)
                          .Word(12)
                          .Text("tagRogue")
                          .Position(kPosition)
                          .Word(0)
                          .Packet(24));
}

TEST_F(OutboundInterface, BonusToClientSendsTenWordsWithTheReceiverLast)
{
    Bonus bonus;
    bonus.receiverId = 0x10000001;
    bonus.lifePoints = 10.0f;
    bonus.lifePercent = 0.5f;
    bonus.manaPoints = 20.0f;
    bonus.manaPercent = 0.25f;
    bonus.goldPoints = 300;
    bonus.skillPoints = 1;
    bonus.attributePoints = 2;
    bonus.experiencePoints = 4000;
    bonus.effectName = "Records/Effects/Glow.dbr";
    bonus.sourceId = 77;

    const WireBytes tenWords = WireBytes()
                                   .Float(10.0f)
                                   .Float(0.5f)
                                   .Float(20.0f)
                                   .Float(0.25f)
                                   .Word(300)
                                   .Word(1)
                                   .Word(2)
                                   .Word(4000)
                                   .Word(77)
                                   .Word(0x10000001);
    outbound.HandleBonusToClient(bonus, 0x20000009);
    EXPECT_EQ(Sent(), WireBytes(tenWords).Packet(113));

    outbound.HandleBonusToServer(bonus, kPosition, 0x20000009);
    EXPECT_EQ(Sent(), WireBytes(tenWords).Position(kPosition).Word(0x20000009).Packet(114));
}

TEST_F(OutboundInterface, SmallMessagesKeepTheirFieldOrder)
{
    // The invitee goes in the field the describer calls the inviting player.
    outbound.InvitePlayerToParty(5, 9);
    EXPECT_EQ(Sent(), WireBytes().Word(5).Word(9).Packet(108));

    outbound.QuestCommandPlayAnimation(0x10, 3, true, false);
    EXPECT_EQ(Sent(), WireBytes().Word(0x10).Word(3).Bool(true).Bool(false).Packet(58));

    outbound.S2C_MarketUpdate(4, "Records/Markets/Smith.dbr", 9, 1234, {});
    EXPECT_EQ(Sent(), WireBytes()
                          .Word(4)
                          .Text("Records/Markets/Smith.dbr")
                          .Word(9)
                          .Word(1234)
                          .Word(0)
                          .Packet(55));

    outbound.S2C_MarketPurchaseDenied(4, 2, 0x10000001, MarketItemStatus_Sold);
    EXPECT_EQ(Sent(), WireBytes().Word(4).Word(2).Word(0x10000001).Word(3).Packet(53));

    outbound.GiveGoldToPlayer(0x10000001, -50);
    EXPECT_EQ(Sent(), WireBytes().Word(0x10000001).Word(0xFFFFFFCE).Packet(112));

    outbound.HandleQuestMessagePacket(1, true, {0xAABBCCDD, 2}, 3);
    EXPECT_EQ(Sent(),
              WireBytes().Word(1).Word(3).Word(2).Word(0xAABBCCDD).Word(2).Bool(true).Packet(17));
}

TEST(PacketDescriptions, FollowTheirOwnOrder)
{
    MarketS2CUpdatePacket market;
    market.marketId = 4;
    market.marketName = "Smith";
    market.level = 9;
    market.seed = 7;
    market.soldIndices = {2, 5};
    EXPECT_EQ(market.GetPacketDescription(false),
              "Market Id: 4\nMarket Name: Smith\nLevel: 9\nSeed: 7\nSold Item Index Size2\n"
              "  Item Index: 2\n  Item Index: 5\n");

    SinglePlayerBasicInfoPacket info;
    info.player.playerId = 8;
    info.player.name = L"Bo";
    info.player.isMale = true;
    info.player.level = 3;
    info.player.partyId = -1;
    EXPECT_EQ(info.GetPacketDescription(false),
              "Player: Bo\nIs Male: true\nLevel: 3\nPlayer ID: 8\nHealth: 0\nMaximum Health: 0\n"
              "Mana: 0\nMaximum Mana: 0\nParty ID: -1\n");
}

TEST(PacketDecoding, RefusesCountsThatTheBytesCannotHold)
{
    GAME::Test::LogCapture log;
    // A heartbeat list claiming four billion players in four bytes.
    EXPECT_EQ(ConnectionManager::DecodePacket(WireBytes().Word(0xFFFFFFFF).Packet(21)), nullptr);
    // One heartbeat whose skill list runs past the end.
    EXPECT_EQ(ConnectionManager::DecodePacket(WireBytes()
                                                  .Word(1)
                                                  .Word(1)
                                                  .Float(0)
                                                  .Float(0)
                                                  .Float(0)
                                                  .Float(0)
                                                  .Word(0)
                                                  .Word(0)
                                                  .Text("")
                                                  .Position(kPosition)
                                                  .Word(2)
                                                  .Text("one")
                                                  .Packet(21)),
              nullptr);
    // A remote message one byte short of its tag.
    std::vector<uint8_t> shortMessage =
        WireBytes().Word(7).Word(0).Bool(false).Text("tagHi").Packet(26);
    shortMessage.pop_back();
    shortMessage[4] -= 1;
    EXPECT_EQ(ConnectionManager::DecodePacket(shortMessage), nullptr);
}

// Sends through the outbound interface, decodes what went out and hands it to `target`.
class RoundTrip : public OutboundInterface {
protected:
    void Deliver()
    {
        for (const std::vector<uint8_t>& bytes : GAME::Test::TakeSentBytes()) {
            std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
            ASSERT_NE(packet, nullptr);
            EXPECT_TRUE(InboundPacketDispatcher::Dispatch(*packet, target));
        }
    }

    StrictMock<GAME::Test::MockNetworkInterface> target;
};

TEST_F(RoundTrip, TradesGoldPartiesAndBalanceArriveWithTheirArguments)
{
    EXPECT_CALL(target, TradeInitiate(1, 2));
    EXPECT_CALL(target, TradeCancel(3, 4));
    EXPECT_CALL(target, TradeFinalize(5, 6));
    EXPECT_CALL(target, TradeRemoveItem(7, 8, 9));
    EXPECT_CALL(target, TradeSetGoldAmount(10, 11, 12));
    EXPECT_CALL(target, GiveGoldToPlayer(13, -14));
    EXPECT_CALL(target, AddPlayerToParty(15, 16));
    EXPECT_CALL(target, InvitePlayerToParty(17, 18));
    EXPECT_CALL(target, GameBalanceUpdate(-19));
    EXPECT_CALL(target, DestroyFixedItemTeleport(20));
    EXPECT_CALL(target, HandleQuestMessagePacket(21, false, ElementsAre(1u, 2u, 3u), 22));

    outbound.TradeInitiate(1, 2);
    outbound.TradeCancel(3, 4);
    outbound.TradeFinalize(5, 6);
    outbound.TradeRemoveItem(7, 8, 9);
    outbound.TradeSetGoldAmount(10, 11, 12);
    outbound.GiveGoldToPlayer(13, -14);
    outbound.AddPlayerToParty(15, 16);
    outbound.InvitePlayerToParty(17, 18);
    outbound.GameBalanceUpdate(-19);
    outbound.DestroyFixedItemTeleport(20);
    outbound.HandleQuestMessagePacket(21, false, {1, 2, 3}, 22);
    Deliver();
}

TEST_F(RoundTrip, MarketsArriveWithTheirArguments)
{
    EXPECT_CALL(target, S2C_MarketUpdate(1, "Smith", 2, 3, ElementsAre(4u, 5u)));
    EXPECT_CALL(target, S2C_MarketPurchaseConfirmation(6, 7, 8));
    EXPECT_CALL(target, S2C_MarketPurchaseDenied(9, 10, 11, MarketItemStatus_PurchasePending));
    EXPECT_CALL(target, S2C_MarketItemStatusUpdate(12, 13, MarketItemStatus_Available));
    EXPECT_CALL(target, C2S_MarketPurchaseRequest(14, 15, 16, 17, 18));
    EXPECT_CALL(target, C2S_MarketSellBack(19, 20, 21, 22, 23));
    EXPECT_CALL(target, C2S_MarketUpdateRequest(24));

    outbound.S2C_MarketUpdate(1, "Smith", 2, 3, {4, 5});
    outbound.S2C_MarketPurchaseConfirmation(6, 7, 8);
    outbound.S2C_MarketPurchaseDenied(9, 10, 11, MarketItemStatus_PurchasePending);
    outbound.S2C_MarketItemStatusUpdate(12, 13, MarketItemStatus_Available);
    outbound.C2S_MarketPurchaseRequest(14, 15, 16, 17, 18);
    outbound.C2S_MarketSellBack(19, 20, 21, 22, 23);
    outbound.C2S_MarketUpdateRequest(24);
    Deliver();
}

TEST_F(RoundTrip, TextChatAndQuestCommandsArriveWithTheirArguments)
{
    EXPECT_CALL(target, DisplayMessageRemote(1, 2, true, "tagX"));
    EXPECT_CALL(target, DisplayWMessageRemote(3, false, std::wstring(L"hello")));
    EXPECT_CALL(target, HandleChatMessage(std::wstring(L"Ana"), std::wstring(L"hi"), 200,
                                          ElementsAre(4u, 5u)));
    EXPECT_CALL(target, QuestCommandMove(6, 7, kPosition, true));
    EXPECT_CALL(target, QuestCommandWalk(8, 9, kPosition, false));
    EXPECT_CALL(target, QuestCommandPlayAnimation(10, 11, false, true));
    EXPECT_CALL(target,
                QuestCommandUseSkill(12, ::testing::Eq("Records/Skills/Bash.dbr"), 13, true));
    EXPECT_CALL(target, QuestCommandLockFixedItem(14, true));
    EXPECT_CALL(target, CreateEntity(_, "Records/Boar.dbr", 15))
        .WillOnce([](const WorldCoords& coords, const std::string&, uint32_t) {
            EXPECT_EQ(coords.GetRegionId(), kCoords.GetRegionId());
            EXPECT_EQ(coords.GetRegionCoords().origin, kCoords.GetRegionCoords().origin);
            EXPECT_EQ(coords.GetRegionCoords().right, kCoords.GetRegionCoords().right);
        });
    EXPECT_CALL(target, CreateFixedItemTeleport(_, 16, 17, "tagSector", 0));

    outbound.DisplayMessageRemote(1, 2, true, "tagX");
    outbound.DisplayWMessageRemote(3, false, L"hello");
    outbound.HandleChatMessage(L"Ana", L"hi", 200, {4, 5});
    outbound.QuestCommandMove(6, 7, kPosition, true);
    outbound.QuestCommandWalk(8, 9, kPosition, false);
    outbound.QuestCommandPlayAnimation(10, 11, false, true);
    std::string skill = "Records/Skills/Bash.dbr";
    outbound.QuestCommandUseSkill(12, skill, 13, true);
    outbound.QuestCommandLockFixedItem(14, true);
    outbound.CreateEntity(kCoords, "Records/Boar.dbr", 15);
    outbound.CreateFixedItemTeleport(kCoords, 16, 17, "tagSector", 99);
    Deliver();
}

TEST_F(RoundTrip, PlayerRecordsAndBonusesArriveWhole)
{
    PlayerNetBasicInfo player;
    player.playerId = 0x20000001;
    player.health = 12.5f;
    player.partyId = 0x10000001;
    player.level = 4;
    player.name = L"Cy";
    player.isMale = true;
    player.position = kPosition;
    player.classTag = "tagMage";
    player.activeStatusSkills = {"a.dbr", "b.dbr"};

    std::vector<PlayerNetBasicInfo> players;
    std::vector<PlayerNetHeartbeatInfo> heartbeats;
    PlayerNetHeartbeatInfo heartbeat;
    Bonus bonus;
    WorldVec3 bonusPosition;
    uint32_t bonusPlayer = 0;
    EXPECT_CALL(target, StoC_AllPlayersUpdate(_)).WillOnce(::testing::SaveArg<0>(&players));
    EXPECT_CALL(target, StoC_AllPlayersHeartbeat(_)).WillOnce(::testing::SaveArg<0>(&heartbeats));
    EXPECT_CALL(target, CtoS_SinglePlayerHeartbeat(_)).WillOnce(::testing::SaveArg<0>(&heartbeat));
    EXPECT_CALL(target, CtoS_AddNewPlayer(Field(&PlayerNetBasicInfo::name, std::wstring(L"Cy"))));
    EXPECT_CALL(target, HandleBonusToServer(_, _, _))
        .WillOnce([&](const Bonus& b, const WorldVec3& p, const uint32_t& id) {
            bonus = b;
            bonusPosition = p;
            bonusPlayer = id;
        });
    EXPECT_CALL(target, HandleBonusToClient(Field(&Bonus::experiencePoints, 900u), 0x20000001u));

    outbound.StoC_AllPlayersUpdate({player, player});
    outbound.StoC_AllPlayersHeartbeat({player});
    outbound.CtoS_SinglePlayerHeartbeat(player);
    outbound.CtoS_AddNewPlayer(player);
    Bonus sent;
    sent.receiverId = 0x20000001;
    sent.experiencePoints = 900;
    sent.manaPercent = 0.75f;
    sent.effectName = "stays home";
    sent.sourceId = 31;
    outbound.HandleBonusToServer(sent, kPosition, 0x10000001);
    outbound.HandleBonusToClient(sent, 0x10000001);
    Deliver();

    ASSERT_EQ(players.size(), 2u);
    EXPECT_EQ(players[1].name, L"Cy");
    EXPECT_TRUE(players[1].isMale);
    EXPECT_EQ(players[1].partyId, 0x10000001);
    EXPECT_EQ(players[1].activeStatusSkills, (std::vector<std::string>{"a.dbr", "b.dbr"}));
    ASSERT_EQ(heartbeats.size(), 1u);
    EXPECT_EQ(heartbeats[0].position, kPosition);
    EXPECT_EQ(heartbeats[0].classTag, "tagMage");
    EXPECT_EQ(heartbeat.health, 12.5f);
    EXPECT_EQ(heartbeat.level, 4u);
    EXPECT_EQ(bonus.receiverId, 0x20000001u);
    EXPECT_EQ(bonus.sourceId, 31u);
    EXPECT_EQ(bonus.manaPercent, 0.75f);
    EXPECT_EQ(bonus.effectName, "");
    EXPECT_EQ(bonusPosition, kPosition);
    EXPECT_EQ(bonusPlayer, 0x10000001u);
}

} // namespace
} // namespace GAME
