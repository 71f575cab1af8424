#include "multiplayer/MarketPackets.h"
#include "multiplayer/PlayerInfoPackets.h"

#include "tests/multiplayer/WireFixtures.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

using GAME::Test::kCoords;
using GAME::Test::kPosition;
using GAME::Test::OutboundInterface;
using GAME::Test::WireBytes;

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

} // namespace
} // namespace GAME
