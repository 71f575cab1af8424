#include "engine/ObjectIdMap.h"
#include "tests/support/FakeObject.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace Test {
namespace {

constexpr uint32_t kHost1 = 1u << 28;
// The first insertion makes 64 slots: these ids share one.
constexpr uint32_t kSameSlot = 5 + 64;

struct Step {
    enum Kind { Insert, Erase, Clear } kind;
    uint32_t id;
    uint32_t tag; // the fake object inserted
};

struct Expect {
    uint32_t id;
    uint32_t tag; // 0: not found
};

struct Row {
    const char* name;
    std::vector<Step> steps;
    std::vector<Expect> finds;
};

// The serial slots must follow every change of the table: a stale slot would answer a
// destroyed object for its id.
const std::vector<Row> kRows = {
    {"another host's id on the same serial",
     {{Step::Insert, 5, 1}, {Step::Insert, kHost1 | 5, 2}},
     {{5, 1}, {kHost1 | 5, 2}}},
    {"the other host's id outlives the slot holder",
     {{Step::Insert, 5, 1}, {Step::Insert, kHost1 | 5, 2}, {Step::Erase, 5, 0}},
     {{5, 0}, {kHost1 | 5, 2}}},
    {"slot freed by the other host is taken again",
     {{Step::Insert, 5, 1},
      {Step::Insert, kHost1 | 5, 2},
      {Step::Erase, 5, 0},
      {Step::Insert, 5, 3},
      {Step::Erase, kHost1 | 5, 0}},
     {{5, 3}, {kHost1 | 5, 0}}},
    {"clear forgets every serial",
     {{Step::Insert, 5, 1}, {Step::Insert, 900, 2}, {Step::Clear, 0, 0}, {Step::Insert, 900, 3}},
     {{5, 0}, {900, 3}}},
    {"ids sharing a slot",
     {{Step::Insert, 5, 1}, {Step::Insert, kSameSlot, 2}},
     {{5, 1}, {kSameSlot, 2}, {kSameSlot + 64, 0}}},
    {"slot freed under a shared id",
     {{Step::Insert, 5, 1},
      {Step::Insert, kSameSlot, 2},
      {Step::Erase, 5, 0},
      {Step::Insert, kSameSlot + 64, 3},
      {Step::Erase, kSameSlot, 0}},
     {{5, 0}, {kSameSlot, 0}, {kSameSlot + 64, 3}}},
    {"id zero is never found", {{Step::Insert, kHost1, 1}}, {{0, 0}, {kHost1, 1}}},
};

TEST(ObjectIdMapDirect, FindFollowsEveryChange)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        ObjectIdMap map;
        for (const Step& step : row.steps) {
            if (step.kind == Step::Insert)
                ASSERT_TRUE(map.Insert(step.id, FakeObject(step.tag)));
            else if (step.kind == Step::Erase)
                ASSERT_NE(map.Erase(step.id), nullptr);
            else
                map.Clear();
        }
        for (const Expect& expect : row.finds)
            EXPECT_EQ(map.Find(expect.id), expect.tag == 0 ? nullptr : FakeObject(expect.tag))
                << expect.id;
    }
}

TEST(ObjectIdMapDirect, IdsMovedIntoFreedSlotsByGrowthStayFound)
{
    ObjectIdMap map;
    map.Insert(5, FakeObject(1));
    map.Insert(kHost1 | 5, FakeObject(2));
    map.Erase(5);
    // Growth re-places the other host's id in the freed slot, so 5 now lives in the table alone.
    for (uint32_t id = 100; id < 300; ++id)
        map.Insert(id, FakeObject(id));
    map.Insert(5, FakeObject(3));
    EXPECT_EQ(map.Find(5), FakeObject(3));
    EXPECT_EQ(map.Find(kHost1 | 5), FakeObject(2));
    map.Erase(kHost1 | 5);
    EXPECT_EQ(map.Find(5), FakeObject(3));
    EXPECT_EQ(map.Find(kHost1 | 5), nullptr);
}

} // namespace
} // namespace Test
} // namespace GAME
