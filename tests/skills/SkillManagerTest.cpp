#include "skills/SkillManager.h"

#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

using Levels = std::vector<uint32_t>;

TEST(SkillManagerTest, LoadReadsTheThreeListsCutsUnevenPairsAndZeroesNegatives)
{
    LogCapture log;
    SkillManager manager;
    manager.Load(Record("masteryIncrementLevel = 1;8;16\n"
                        "reclamationPointTiers = 0;5;10\n"
                        "reclamationPointCosts = 100;250;500\n"));
    EXPECT_EQ(manager.GetMasteryIncrementLevels(), (Levels{1, 8, 16}));
    EXPECT_EQ(manager.GetReclamationPointTiers(), (Levels{0, 5, 10}));
    EXPECT_EQ(manager.GetReclamationPointCosts(), (Levels{100, 250, 500}));
    EXPECT_TRUE(log.GetLines().empty());

    // A second record replaces the lists, an absent key empties its list.
    manager.Load(Record("masteryIncrementLevel = 20\n"));
    EXPECT_EQ(manager.GetMasteryIncrementLevels(), (Levels{20}));
    EXPECT_TRUE(manager.GetReclamationPointTiers().empty());
    EXPECT_TRUE(manager.GetReclamationPointCosts().empty());

    manager.Load(Record("reclamationPointTiers = 0;5;10;20\nreclamationPointCosts = 100;250\n"));
    EXPECT_EQ(manager.GetReclamationPointTiers(), (Levels{0, 5}));
    EXPECT_EQ(manager.GetReclamationPointCosts(), (Levels{100, 250}));
    EXPECT_EQ(log.Count(1, "SkillManager: (no character) has 4 reclamationPointTiers but 2 "
                           "reclamationPointCosts; keeping 2"),
              1u);
    manager.Load(Record("reclamationPointCosts = 100\n"));
    EXPECT_TRUE(manager.GetReclamationPointCosts().empty());

    manager.Load(Record("masteryIncrementLevel = 4;-3\nreclamationPointTiers = 0\n"
                        "reclamationPointCosts = -1\n"));
    EXPECT_EQ(manager.GetMasteryIncrementLevels(), (Levels{4, 0}));
    EXPECT_EQ(manager.GetReclamationPointCosts(), (Levels{0}));
    EXPECT_EQ(log.Count(1, "SkillManager: masteryIncrementLevel of (no character) holds -3, "
                           "read as 0"),
              1u);
    EXPECT_EQ(log.Count(1, "SkillManager: reclamationPointCosts of (no character) holds -1, "
                           "read as 0"),
              1u);
}

} // namespace
} // namespace GAME::Test
