#include "items/LootItemTableRandomizer.h"

#include "items/LootRandomizerTable.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

using Calls = std::vector<std::pair<int, int>>;

class LootItemTableRandomizerTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord("R/Pre.dbr", {"Class = LootRandomizerTable", "randomizerName1 = p.dbr",
                                           "randomizerWeight1 = 1"});
        database.WriteRecord("R/Suf.dbr", {"Class = LootRandomizerTable", "randomizerName1 = s.dbr",
                                           "randomizerWeight1 = 1"});
        database.WriteRecord("R/Brk.dbr", {"Class = LootRandomizerTable", "randomizerName1 = b.dbr",
                                           "randomizerWeight1 = 1"});
        database.WriteRecord("R/Item.dbr", {"Class = Item"});
    }

    LootItemTableRandomizer Load(std::vector<std::string> picks)
    {
        std::initializer_list<std::string> lists = {
            "prefixRandomizerChance = 100", "suffixRandomizerChance = 100",
            "brokenRandomizerChance = 100", "prefixRandomizerName2 = R/Pre.dbr",
            "prefixRandomizerWeight2 = 4",  "suffixRandomizerName1 = R/Suf.dbr",
            "suffixRandomizerWeight1 = 1",  "brokenRandomizerName1 = R/Brk.dbr",
            "brokenRandomizerWeight1 = 1"};
        picks.insert(picks.end(), lists);
        const std::string record = "R/Table" + std::to_string(++tables) + ".dbr";
        std::string text;
        for (const std::string& line : picks)
            text += line + "\n";
        database.WriteFile(record, text);
        LootItemTableRandomizer randomizer;
        randomizer.LoadFromDatabase(record);
        return randomizer;
    }

    int tables = 0;
};

TEST_F(LootItemTableRandomizerTest, AllPickWeightsZeroDrawBothAffixes)
{
    LootItemTableRandomizer randomizer = Load({});
    ScriptedRandom random;
    std::string prefix = "old";
    std::string suffix = "old";
    randomizer.GetRandomizerNames(prefix, suffix, random);
    EXPECT_EQ(prefix, "p.dbr");
    EXPECT_EQ(suffix, "s.dbr");
    // T, prefix list (cumulative 4), its table (total 1), suffix list, its table.
    EXPECT_EQ(random.intCalls, (Calls{{0, 0}, {0, 3}, {0, 1}, {0, 0}, {0, 1}}));
}

TEST_F(LootItemTableRandomizerTest, RangesInOrderBothPrefixSuffixBrokenNone)
{
    const std::vector<std::pair<int, std::pair<std::string, std::string>>> cases = {
        {0, {"p.dbr", "s.dbr"}}, {1, {"p.dbr", "s.dbr"}}, {2, {"p.dbr", "-"}},
        {3, {"-", "s.dbr"}},     {4, {"b.dbr", "-"}},     {5, {"-", "-"}}};
    for (const auto& [roll, expected] : cases) {
        LootItemTableRandomizer randomizer =
            Load({"bothPrefixSuffix = 1", "prefixOnly = 1", "suffixOnly = 1", "brokenOnly = 1",
                  "noPrefixNoSuffix = 1"});
        ScriptedRandom random;
        random.ints = {roll};
        std::string prefix = "-";
        std::string suffix = "-";
        randomizer.GetRandomizerNames(prefix, suffix, random);
        EXPECT_EQ(std::make_pair(prefix, suffix), expected) << roll;
        EXPECT_EQ(random.intCalls.front(), std::make_pair(0, 5));
    }
}

TEST_F(LootItemTableRandomizerTest, ModifiersAreSignedPercentagesNeverBelowZero)
{
    LootItemTableRandomizer randomizer =
        Load({"bothPrefixSuffix = 10", "noPrefixNoSuffix = 20", "prefixOnly = 7", "suffixOnly = 6",
              "brokenOnly = 8"});
    randomizer.SetWeightModifiers({100, -50, 0, -200, 25});
    EXPECT_EQ(randomizer.GetNoPrefixNoSuffix(), 40u);
    EXPECT_EQ(randomizer.GetBothPrefixSuffix(), 5u);
    EXPECT_EQ(randomizer.GetPrefixOnly(), 7u);
    EXPECT_EQ(randomizer.GetSuffixOnly(), 0u);
    EXPECT_EQ(randomizer.GetBrokenOnly(), 10u);

    randomizer.SetNoBrokenItems();
    EXPECT_EQ(randomizer.GetNoPrefixNoSuffix(), 50u);
    EXPECT_EQ(randomizer.GetBrokenOnly(), 0u);

    // Negative record weights count as nothing; huge ones and their total stay a valid bound.
    LootItemTableRandomizer huge =
        Load({"bothPrefixSuffix = 2000000000", "noPrefixNoSuffix = 2000000000", "prefixOnly = -5"});
    huge.SetWeightModifiers({100, 100, 100, 0, 0});
    EXPECT_EQ(huge.GetBothPrefixSuffix(), 2147483647u);
    EXPECT_EQ(huge.GetPrefixOnly(), 0u);
    ScriptedRandom random;
    std::string prefix;
    std::string suffix;
    huge.GetRandomizerNames(prefix, suffix, random);
    EXPECT_EQ(random.intCalls.front(), std::make_pair(0, 2147483647));
}

TEST_F(LootItemTableRandomizerTest, ListsReadInKeyOrderSkippingGaps)
{
    database.WriteRecord("R/Lists.dbr",
                         {"prefixRandomizerName1 = a", "prefixRandomizerWeight1 = 2",
                          "prefixRandomizerName2 = ", "prefixRandomizerWeight2 = 9",
                          "prefixRandomizerName15 = c", "prefixRandomizerWeight15 = 3",
                          "prefixRandomizerName16 = d", "prefixRandomizerWeight16 = 3"});
    LootItemTableRandomizer randomizer;
    randomizer.LoadFromDatabase("R/Lists.dbr");
    ASSERT_EQ(randomizer.GetPrefixList().size(), 2u);
    EXPECT_EQ(randomizer.GetPrefixList()[0].cumulativeWeight, 2u);
    EXPECT_EQ(randomizer.GetPrefixList()[1].cumulativeWeight, 5u);
    EXPECT_EQ(randomizer.GetPrefixList()[1].name, "c");
}

TEST_F(LootItemTableRandomizerTest, ChanceIsInclusiveAndAbove100AlwaysPasses)
{
    for (const auto& [chance, f, drawn] : std::vector<std::tuple<std::string, float, bool>>{
             {"50", 50.0f, true}, {"50", 50.5f, false}, {"150", 99.9f, true}}) {
        LootItemTableRandomizer randomizer;
        ++tables;
        database.WriteRecord("R/Chance" + std::to_string(tables) + ".dbr",
                             {"prefixRandomizerChance = " + chance,
                              "prefixRandomizerName1 = R/Pre.dbr", "prefixRandomizerWeight1 = 1",
                              "prefixOnly = 1"});
        randomizer.LoadFromDatabase("R/Chance" + std::to_string(tables) + ".dbr");
        ScriptedRandom random;
        random.ints = {1};
        random.floats = {f};
        std::string prefix = "-";
        std::string suffix = "-";
        randomizer.GetRandomizerNames(prefix, suffix, random);
        EXPECT_EQ(prefix, drawn ? "p.dbr" : "-") << chance << " " << f;
    }
}

TEST_F(LootItemTableRandomizerTest, NameThatIsNoRandomizerTableGivesAnEmptyAffix)
{
    database.WriteRecord("R/NoTable.dbr",
                         {"prefixRandomizerChance = 100", "prefixRandomizerName1 = R/Item.dbr",
                          "prefixRandomizerWeight1 = 1"});
    LootItemTableRandomizer randomizer;
    randomizer.LoadFromDatabase("R/NoTable.dbr");
    ScriptedRandom random;
    std::string prefix = "old";
    std::string suffix = "old";
    randomizer.GetRandomizerNames(prefix, suffix, random);
    EXPECT_EQ(prefix, "");
    EXPECT_EQ(suffix, "old");
}

TEST_F(LootItemTableRandomizerTest, RandomizerTableWeightsTwoAndThree)
{
    database.WriteRecord("R/Two.dbr", {"Class = LootRandomizerTable", "randomizerName1 = first",
                                       "randomizerWeight1 = 2", "randomizerName60 = second",
                                       "randomizerWeight60 = 3", "randomizerName61 = never",
                                       "randomizerWeight61 = 3"});
    LootRandomizerTable table;
    ASSERT_TRUE(table.ManualLoad("R/Two.dbr"));
    for (int roll = 0; roll <= 5; ++roll) {
        ScriptedRandom random;
        random.ints = {roll};
        std::string out;
        table.GetRandomizerName(out, random);
        EXPECT_EQ(out, roll <= 2 ? "first" : "second") << roll;
        EXPECT_EQ(random.intCalls, (Calls{{0, 5}}));
    }
    LootRandomizerTable empty;
    EXPECT_FALSE(empty.ManualLoad("R/Item.dbr"));
    EXPECT_FALSE(empty.ManualLoad(""));
    ScriptedRandom random;
    std::string out = "old";
    empty.GetRandomizerName(out, random);
    EXPECT_EQ(out, "");
}

} // namespace
} // namespace GAME::Test
