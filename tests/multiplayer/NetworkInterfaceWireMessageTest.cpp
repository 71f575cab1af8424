#include "tests/multiplayer/WireFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace GAME {
namespace {

using GAME::Test::kCoords;
using GAME::Test::kPosition;
using GAME::Test::OutboundInterface;
using GAME::Test::RoundTrip;
using GAME::Test::WireBytes;
using ::testing::_;
using ::testing::ElementsAre;

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

} // namespace
} // namespace GAME
