#include "multiplayer/MarketPackets.h"
#include "multiplayer/PlayerInfoPackets.h"

#include "tests/multiplayer/WireFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace GAME {
namespace {

using GAME::Test::RoundTrip;
using ::testing::ElementsAre;

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

} // namespace
} // namespace GAME
