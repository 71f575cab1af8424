#include "items/LootLoader.h"

#include "core/RandomUniform.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

std::vector<std::pair<std::string, uint32_t>> Entries(const LootLoader& loader)
{
    std::vector<std::pair<std::string, uint32_t>> out;
    for (const LootLoader::Entry& entry : loader.GetEntries())
        out.emplace_back(entry.name, entry.weight);
    return out;
}

TEST(LootLoaderTest, ByLocationReadsTheSixKeysAndTheDifficultysName)
{
    const LoadTable record = Record("chanceToEquipTorsoItem1 = 5\n"
                                    "lootTorsoItem1 = a.dbr;b.dbr\n"
                                    "chanceToEquipTorsoItem2 = -4\n"
                                    "lootTorsoItem2 = neg.dbr\n"
                                    "chanceToEquipTorsoItem3 = 7\n"
                                    "lootTorsoItem3 = ;\n"
                                    "chanceToEquipTorsoItem6 = 3\n"
                                    "lootTorsoItem6 = c.dbr;d.dbr\n"
                                    "chanceToEquipTorsoItem7 = 9\n"
                                    "lootTorsoItem7 = seven.dbr\n"
                                    "chanceToEquipHeadItem1 = 1\n"
                                    "lootHeadItem1 = head.dbr\n");
    LootLoader loader;
    loader.Load(record, LootLoader::Torso, 6, 1);
    // Negative weights, empty names and keys past the count are skipped.
    EXPECT_EQ(Entries(loader),
              (std::vector<std::pair<std::string, uint32_t>>{{"b.dbr", 5}, {"d.dbr", 3}}));
    EXPECT_EQ(loader.GetTotalWeight(), 8u);

    // Seven or more keeps the previous list whole.
    loader.Load(record, LootLoader::Head, 7, 0);
    EXPECT_EQ(loader.GetEntries().size(), 2u);
    EXPECT_EQ(loader.GetTotalWeight(), 8u);

    // An index past a short list names nothing.
    loader.Load(record, LootLoader::Head, 6, 2);
    EXPECT_TRUE(loader.GetEntries().empty());
    EXPECT_EQ(loader.GetTotalWeight(), 0u);
}

TEST(LootLoaderTest, NumberedKeysLoadAndTheRunningSumPicksTheFirstEntryAtOrAboveTheRoll)
{
    LootLoader loader;
    loader.Load(Record("w1 = 2\nn1 = x.dbr\nw2 = 4\nn2 = y.dbr\n"), "n", "w", 2, 0);
    for (const auto& [roll, expected] : std::vector<std::pair<int, std::string>>{
             {0, "x.dbr"}, {2, "x.dbr"}, {3, "y.dbr"}, {6, "y.dbr"}, {7, "kept"}}) {
        ScriptedRandom random;
        random.ints = {roll};
        std::string base = "kept";
        std::string prefix;
        std::string suffix;
        loader.GetLootName(base, prefix, suffix, random);
        EXPECT_EQ(base, expected) << roll;
        EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{0, 6}}));
    }
}

TEST(LootLoaderTest, HugeWeightsDoNotWrapTheTotal)
{
    LootLoader loader;
    loader.Load(Record("w1 = 2147483647\nn1 = a.dbr\nw2 = 2147483647\nn2 = b.dbr\n"
                       "w3 = 2147483647\nn3 = c.dbr\n"),
                "n", "w", 3, 0);
    ASSERT_EQ(loader.GetEntries().size(), 3u);
    EXPECT_EQ(loader.GetTotalWeight(), 2147483647u);

    ScriptedRandom scripted;
    std::string base;
    std::string prefix;
    std::string suffix;
    loader.GetLootName(base, prefix, suffix, scripted);
    EXPECT_EQ(scripted.intCalls, (std::vector<std::pair<int, int>>{{0, 2147483647}}));

    RandomUniform random;
    random.Seed(99);
    for (int i = 0; i < 100; ++i) {
        base.clear();
        loader.GetLootName(base, prefix, suffix, random);
        ASSERT_EQ(base, "a.dbr");
    }
}

class LootLoaderRollTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord("R/Brk.dbr", {"Class = LootRandomizerTable", "randomizerName1 = b",
                                           "randomizerWeight1 = 1"});
        database.WriteRecord("R/Pre.dbr", {"Class = LootRandomizerTable", "randomizerName1 = p1",
                                           "randomizerWeight1 = 1", "randomizerName2 = p2",
                                           "randomizerWeight2 = 2"});
        database.WriteRecord("T/Fixed.dbr",
                             {"Class = LootItemTable_FixedWeight", "lootName1 = item.dbr",
                              "lootWeight1 = 1", "lootName2 = other.dbr", "lootWeight2 = 2",
                              "brokenOnly = 100", "bothPrefixSuffix = 30",
                              "brokenRandomizerChance = 100", "brokenRandomizerName1 = R/Brk.dbr",
                              "brokenRandomizerWeight1 = 1", "prefixRandomizerChance = 60",
                              "prefixRandomizerName1 = R/Pre.dbr", "prefixRandomizerWeight1 = 1"});
        database.WriteRecord("T/Master.dbr",
                             {"Class = LootMasterTable", "lootName1 = T/Fixed.dbr",
                              "lootWeight1 = 1", "lootName2 = T/Dyn.dbr", "lootWeight2 = 1"});
        database.WriteRecord("T/Dyn.dbr",
                             {"Class = LootItemTable_DynWeight", "itemNames = a.dbr;b.dbr",
                              "defaultWeight = 5", "prefixRandomizerChance = 60", "prefixOnly = 1",
                              "prefixRandomizerName1 = R/Pre.dbr", "prefixRandomizerWeight1 = 1"});
    }

    std::string Broken(LootLoader& loader)
    {
        ScriptedRandom random;
        // Loader, table, then the randomizer's share: 50 of 130 is the broken share.
        random.ints = {0, 0, 50};
        std::string base;
        std::string prefix;
        std::string suffix;
        loader.GetLootName(base, prefix, suffix, random);
        EXPECT_EQ(base, "item.dbr");
        return prefix;
    }
};

TEST_F(LootLoaderRollTest, LoaderHandsItsSettingsToTheTable)
{
    const LoadTable record = Record("n1 = T/Fixed.dbr\nw1 = 1\n");
    LootLoader loader;
    loader.Load(record, "n", "w", 1, 0);
    EXPECT_EQ(Broken(loader), "b");
    loader.SetRandomizerWeightModifiers({0, 0, 0, 0, -100});
    EXPECT_EQ(Broken(loader), "");
    LootLoader noBroken;
    noBroken.Load(record, "n", "w", 1, 0);
    noBroken.SetNoBrokenItems();
    EXPECT_EQ(Broken(noBroken), "");
}

TEST_F(LootLoaderRollTest, TwoLoadersOnOneSeedNameTheSameRecords)
{
    const LoadTable record = Record("n1 = T/Master.dbr\nw1 = 3\nn2 = plain.dbr\nw2 = 1\n");
    std::vector<std::string> rolls[2];
    for (std::vector<std::string>& names : rolls) {
        LootLoader loader;
        loader.Load(record, "n", "w", 2, 0);
        RandomUniform random;
        random.Seed(20261208);
        for (int i = 0; i < 40; ++i) {
            std::string base;
            std::string prefix;
            std::string suffix;
            loader.GetLootName(base, prefix, suffix, random);
            names.push_back(base + "|" + prefix + "|" + suffix);
        }
    }
    EXPECT_EQ(rolls[0], rolls[1]);
    for (const char* expected :
         {"item.dbr|", "other.dbr|", "a.dbr|", "b.dbr|", "plain.dbr||", "|p2|", "|b|"}) {
        EXPECT_TRUE(std::any_of(rolls[0].begin(), rolls[0].end(),
                                [expected](const std::string& roll) {
                                    return roll.find(expected) != std::string::npos;
                                }))
            << expected;
    }
}

} // namespace
} // namespace GAME::Test
