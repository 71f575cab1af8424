#include "items/LootTable.h"

#include "items/LootLoader.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

using Calls = std::vector<std::pair<int, int>>;

class LootTableTest : public EngineFixture {
protected:
    // Randomizer tables R/C1..R/C<n>, each naming the next, the last naming "affix".
    void Chain(const std::string& prefix, int length)
    {
        for (int i = 1; i <= length; ++i) {
            const std::string next =
                i == length ? std::string("affix") : prefix + std::to_string(i + 1) + ".dbr";
            database.WriteRecord(prefix + std::to_string(i) + ".dbr",
                                 {"Class = LootRandomizerTable", "randomizerName1 = " + next,
                                  "randomizerWeight1 = 1"});
        }
    }
};

TEST_F(LootTableTest, FourZeroPickWeightsKeepBothAffixes)
{
    database.WriteRecord("L/T.dbr", {"Class = LootTable", "lootName1 = item", "lootWeight1 = 3",
                                     "prefixRandomizerChance = 100", "prefixRandomizerName1 = P",
                                     "prefixRandomizerWeight1 = 1", "suffixRandomizerChance = 100",
                                     "suffixRandomizerName2 = S", "suffixRandomizerWeight2 = 1"});
    LootTable table;
    ASSERT_TRUE(table.ManualLoad("L/T.dbr"));
    ScriptedRandom random;
    std::string base;
    std::string prefix;
    std::string suffix;
    table.GetLootName(base, prefix, suffix, random);
    EXPECT_EQ(base, "item");
    EXPECT_EQ(prefix, "P");
    EXPECT_EQ(suffix, "S");
    EXPECT_EQ(random.intCalls, (Calls{{0, 3}, {0, 1}, {0, 1}, {0, 0}}));
}

TEST_F(LootTableTest, PickWeightsEmptyTheAffixesTheyExclude)
{
    const LoadTable record = Record("lootName1 = item\nlootWeight1 = 1\n"
                                    "prefixRandomizerChance = 50\nprefixRandomizerName1 = P\n"
                                    "prefixRandomizerWeight1 = 1\nsuffixRandomizerChance = 100\n"
                                    "suffixRandomizerName1 = S\nsuffixRandomizerWeight1 = 1\n"
                                    "bothPrefixSuffix = 1\nprefixOnly = 1\nsuffixOnly = -7\n"
                                    "noPrefixNoSuffix = 1\n");
    LootTable table;
    table.Load(record);
    for (const auto& [roll, expected] :
         std::vector<std::pair<int, std::pair<std::string, std::string>>>{
             {1, {"P", "S"}}, {2, {"P", ""}}, {3, {"", ""}}}) {
        ScriptedRandom random;
        random.ints = {0, 0, 0, roll};
        random.floats = {49.9f, 0.0f};
        std::string base;
        std::string prefix;
        std::string suffix;
        table.GetLootName(base, prefix, suffix, random);
        EXPECT_EQ(std::make_pair(prefix, suffix), expected) << roll;
        EXPECT_EQ(random.intCalls.back(), std::make_pair(0, 3));
    }
    // The chance is strict: 50 of 50 leaves the prefix as it was.
    ScriptedRandom random;
    random.floats = {50.0f, 0.0f};
    std::string base;
    std::string prefix = "old";
    std::string suffix;
    table.GetLootName(base, prefix, suffix, random);
    EXPECT_EQ(prefix, "old");
}

TEST_F(LootTableTest, SixChainedRandomizerTablesLogTheLast)
{
    for (const auto& [length, logged] : std::vector<std::pair<int, size_t>>{{5, 0}, {6, 1}}) {
        const std::string chain = "R/C" + std::to_string(length) + "_";
        Chain(chain, length);
        LootTable table;
        table.Load(Record("lootName1 = item\nlootWeight1 = 1\nprefixRandomizerChance = 100\n"
                          "prefixRandomizerName1 = " +
                          chain + "1.dbr\nprefixRandomizerWeight1 = 1\n"));
        ScriptedRandom random;
        std::string base;
        std::string prefix;
        std::string suffix;
        table.GetLootName(base, prefix, suffix, random);
        EXPECT_EQ(prefix, "affix");
        EXPECT_EQ(log.Count(1, "Recursion too deep on LootTable (affix)"), logged) << length;
    }
}

TEST_F(LootTableTest, LoaderFollowsSixChainedLootTablesThenLogs)
{
    for (const auto& [length, logged] : std::vector<std::pair<int, size_t>>{{5, 0}, {6, 1}}) {
        log.Clear();
        const std::string chain = "L/C" + std::to_string(length) + "_";
        for (int i = 1; i <= length; ++i) {
            const std::string next =
                i == length ? std::string("item") : chain + std::to_string(i + 1) + ".dbr";
            database.WriteRecord(chain + std::to_string(i) + ".dbr",
                                 {"Class = LootTable", "lootName1 = " + next, "lootWeight1 = 1",
                                  "prefixRandomizerChance = 100",
                                  "prefixRandomizerName1 = pre" + std::to_string(i),
                                  "prefixRandomizerWeight1 = 1"});
        }
        LootLoader loader;
        loader.Load(Record("n1 = " + chain + "1.dbr\nw1 = 1\n"), "n", "w", 1, 0);
        ScriptedRandom random;
        std::string base;
        std::string prefix;
        std::string suffix = "suf";
        loader.GetLootName(base, prefix, suffix, random);
        EXPECT_EQ(base, "item");
        EXPECT_EQ(prefix, "pre" + std::to_string(length));
        EXPECT_EQ(log.Count(1, "Recursion too deep on LootLoader prefix (pre6) or suffix (suf)"),
                  logged)
            << length;
    }
}

} // namespace
} // namespace GAME::Test
