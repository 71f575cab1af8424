#include "multiplayer/PlayerInfoPackets.h"

#include "tests/multiplayer/WireFixtures.h"
#include "tests/support/LogCapture.h"
#include "tests/support/PacketBody.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace GAME {
namespace {

using GAME::Test::kPosition;
using GAME::Test::OutboundInterface;
using GAME::Test::WireBytes;

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
    const Bonus bonus = GAME::Test::Reward();
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
    GAME::Test::LogCapture log;
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
    Test::ReadBody(packet, bytes.Packet(23));
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

} // namespace
} // namespace GAME
