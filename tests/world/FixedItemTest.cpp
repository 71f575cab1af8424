#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/NetworkShim.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "tests/support/FixedItemFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/PacketBytes.h"
#include "world/FixedItemContainer.h"
#include "world/FixedItemDoor.h"
#include "world/FixedItemSkill.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

using FixedItemBase = FixedItemFixture;

std::vector<uint32_t> Words(const BinaryWriter& writer)
{
    std::vector<uint32_t> words;
    BinaryReader reader(writer.GetData(), writer.GetPosition());
    uint32_t word = 0;
    while (reader.ReadUInt32(word))
        words.push_back(word);
    return words;
}

TEST_F(FixedItemBase, SkillDelayBecomesWholeMillisecondsAndNeverZero)
{
    const struct {
        const char* delay;
        int32_t ms;
    } rows[] = {{"skillDelay = 0", 1}, {"skillDelay = 0.0004", 1}, {"skillDelay = 2.5", 2500}};
    int made = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.delay);
        // Each its own record: a record is read once.
        auto* chest = Place<FixedItemContainer>("Records/Chests/Delay" + std::to_string(++made),
                                                {"Class = FixedItemContainer", row.delay});
        EXPECT_EQ(chest->GetSkillDelay(), row.ms);
    }
}

TEST_F(FixedItemBase, AClosedLockedChestSavesItsStateLockAndDropItemAfterTheActor)
{
    auto* chest = Place<FixedItemContainer>("Records/Chests/Locked.dbr",
                                            {"Class = FixedItemContainer", "locked = 1"});
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    chest->SaveState(writer);
    const std::vector<uint32_t> words = Words(writer);
    ASSERT_EQ(words.size(), 3u + ItemReplicaInfo::kDefaultLevelStateBytes / 4);
    EXPECT_EQ(words[1], 1u); // closed
    EXPECT_EQ(words[2], 1u); // locked

    // A door adds whether it closes by itself.
    auto* door =
        Place<FixedItemDoor>("Records/Doors/Auto.dbr", {"Class = FixedItemDoor", "autoClose = 1"});
    BinaryWriter doorWriter = BinaryWriter::ToMemory(64);
    door->SaveState(doorWriter);
    const std::vector<uint32_t> doorWords = Words(doorWriter);
    ASSERT_EQ(doorWords.size(), words.size() + 1);
    EXPECT_EQ(doorWords[1], 9u);
    EXPECT_EQ(doorWords.back(), 1u);
}

TEST_F(FixedItemBase, APendingStateNotYetAppliedIsTheOneSavedAndRestoredItGoesIn)
{
    auto* saved =
        Place<FixedItemContainer>("Records/Chests/Open.dbr", {"Class = FixedItemContainer"});
    saved->SetFixedItemState(FixedItem_ContainerOpen, 0, true, false);
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    saved->SaveState(writer);

    auto* restored =
        SpawnAt<FixedItemContainer>("Records/Chests/Open.dbr", {"Class = FixedItemContainer"});
    BinaryReader reader(writer.GetData(), writer.GetPosition());
    ASSERT_TRUE(restored->RestoreState(reader));
    BinaryWriter again = BinaryWriter::ToMemory(64);
    restored->SaveState(again);
    EXPECT_EQ(Words(again)[1], 2u);
    EXPECT_EQ(restored->GetCurrentState(), FixedItem_None);
    restored->InitialUpdate();
    EXPECT_EQ(restored->GetCurrentState(), FixedItem_ContainerOpen);
}

TEST_F(FixedItemBase, ALevelStateOutsideTheStatesIsRefusedAndOneCutShortKeepsWhatItRead)
{
    auto* chest =
        Place<FixedItemContainer>("Records/Chests/Bad.dbr", {"Class = FixedItemContainer"});
    LogCapture log;
    BinaryWriter bad = BinaryWriter::ToMemory(16);
    bad.WriteUInt32(1); // the actor's visibility
    bad.WriteUInt32(12);
    bad.WriteUInt32(1);
    BinaryReader badReader(bad.GetData(), bad.GetPosition());
    EXPECT_FALSE(chest->RestoreState(badReader));
    EXPECT_EQ(chest->GetPendingState(), FixedItem_None);
    EXPECT_FALSE(chest->IsLocked());
    EXPECT_EQ(log.CountContaining("is no state"), 1u);

    BinaryWriter cut = BinaryWriter::ToMemory(16);
    cut.WriteUInt32(1);
    cut.WriteUInt32(2);
    cut.WriteUInt32(1);
    BinaryReader cutReader(cut.GetData(), cut.GetPosition());
    EXPECT_FALSE(chest->RestoreState(cutReader));
    EXPECT_EQ(chest->GetPendingState(), FixedItem_ContainerOpen);
    EXPECT_TRUE(chest->IsLocked());
    EXPECT_EQ(log.CountContaining("cut short"), 1u);
}

TEST_F(FixedItemBase, AReplicaCarriesStateThenLockAndRefusesAStateOutsideTheList)
{
    auto* chest = Place<FixedItemContainer>("Records/Chests/Copy.dbr",
                                            {"Class = FixedItemContainer", "locked = 1"});
    FixedItemStateChangeConfigCmdPacket carrier;
    NetPacketOutBuffer out(carrier);
    chest->WriteReplicationData(out);
    out.Done();
    // The state word, then the lock as a bool.
    const std::vector<uint8_t> bytes(carrier.GetOutBuffer() + NetPacketHeader::kSize,
                                     carrier.GetOutBuffer() + carrier.GetOutBufferSize());
    ASSERT_EQ(bytes.size(), 5u);
    EXPECT_EQ(bytes[0], 1u);
    EXPECT_EQ(bytes[4], 1u);

    auto* copy =
        SpawnAt<FixedItemContainer>("Records/Chests/Copy.dbr", {"Class = FixedItemContainer"});
    NetPacketInBuffer in(carrier, bytes.data(), static_cast<int>(bytes.size()));
    copy->ReadReplicationData(in);
    copy->ApplyReplicationData();
    EXPECT_EQ(copy->GetPendingState(), FixedItem_ContainerClosed);
    EXPECT_TRUE(copy->IsLocked());

    std::vector<uint8_t> bad = bytes;
    bad[0] = 40;
    NetPacketInBuffer badIn(carrier, bad.data(), static_cast<int>(bad.size()));
    LogCapture log;
    copy->ReadReplicationData(badIn);
    copy->ApplyReplicationData();
    EXPECT_EQ(copy->GetPendingState(), FixedItem_ContainerClosed);
    EXPECT_EQ(log.CountContaining("is no state"), 1u);
}

TEST_F(FixedItemBase, APointOnTheFacingPlaneIsBehind)
{
    auto* door = Place<FixedItemDoor>("Records/Doors/Plane.dbr", {"Class = FixedItemDoor"});
    const struct {
        Vec3 point;
        bool front;
    } rows[] = {{{0, 0, 1}, true}, {{5, 0, 0}, false}, {{0, 0, -1}, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.point.z);
        EXPECT_EQ(door->IsCharacterInFront(WorldAt(row.point)), row.front);
    }
}

TEST_F(FixedItemBase, AReceivedStateChangeRunsOnTheItemAndABadStateIsDropped)
{
    auto* chest =
        Place<FixedItemContainer>("Records/Chests/Net.dbr", {"Class = FixedItemContainer"});
    for (uint32_t state : {12u, 2u}) {
        SCOPED_TRACE(state);
        FixedItemStateChangeConfigCmdPacket packet;
        packet.actorId = chest->GetObjectId();
        packet.state = state;
        auto decoded = DecodeAs<FixedItemStateChangeConfigCmdPacket>(EncodePacket(packet));
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(NetworkShim::ReceivePacket(1, *decoded), state == 2u);
    }
    EXPECT_EQ(chest->GetCurrentState(), FixedItem_ContainerOpen);
}

} // namespace
} // namespace GAME::Test
