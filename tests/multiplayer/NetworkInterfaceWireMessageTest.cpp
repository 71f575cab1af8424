#include "multiplayer/MarketPackets.h"

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

} // namespace
} // namespace GAME
