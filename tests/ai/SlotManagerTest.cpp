#include "ai/SlotManager.h"

#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

TEST(SlotManagerTest, SetNumSlotsSizesTheRingWithEverySlotFree)
{
    SlotManager ring(nullptr);
    EXPECT_EQ(ring.GetNumSlots(), 0u);
    ring.SetNumSlots(6);
    EXPECT_EQ(ring.GetNumSlots(), 6u);
    for (uint32_t index = 0; index < 7; ++index)
        EXPECT_EQ(ring.GetSlotHolder(index), 0u) << index;
    ring.SetNumSlots(0);
    EXPECT_EQ(ring.GetNumSlots(), 0u);
}

TEST(SlotManagerTest, ACountFromARecordIsCappedAndLogged)
{
    LogCapture log;
    SlotManager ring(nullptr);
    // What a record's -1 becomes on its way to an unsigned count.
    ring.SetNumSlots(0xFFFFFFFFu);
    EXPECT_EQ(ring.GetNumSlots(), SlotManager::kMaxSlots);
    EXPECT_EQ(log.Count(1, "SlotManager: 4294967295 slots asked for (no owner), keeping 64"), 1u);

    log.Clear();
    ring.SetNumSlots(SlotManager::kMaxSlots);
    EXPECT_EQ(ring.GetNumSlots(), SlotManager::kMaxSlots);
    EXPECT_TRUE(log.GetLines().empty());
}

TEST(SlotManagerTest, ReleasingWhatNobodyHoldsChangesNothing)
{
    SlotManager empty(nullptr);
    empty.ReleaseSlot(7);
    empty.ReleaseSlot(0);
    EXPECT_EQ(empty.GetNumSlots(), 0u);

    SlotManager ring(nullptr);
    ring.SetNumSlots(3);
    ring.ReleaseSlot(7);
    ring.ReleaseSlot(0);
    EXPECT_EQ(ring.GetNumSlots(), 3u);
    EXPECT_EQ(ring.GetSlotHolder(0), 0u);
}

} // namespace
} // namespace GAME::Test
