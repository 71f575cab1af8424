#include "tests/multiplayer/WireFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace GAME {
namespace {

using GAME::Test::OutboundInterface;
using GAME::Test::RoundTrip;
using GAME::Test::WireBytes;
using ::testing::ElementsAre;

TEST_F(OutboundInterface, SmallMessagesKeepTheirFieldOrder)
{
    // The invitee goes in the field the describer calls the inviting player.
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

} // namespace
} // namespace GAME
