#include "items/LootBase.h"

#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "items/GoldGenerator.h"
#include "items/ItemReplicaInfo.h"
#include "items/LootItemTableRandomizer.h"
#include "items/LootItemTable_DynWeight.h"
#include "items/LootItemTable_FixedWeight.h"
#include "items/LootLoader.h"
#include "items/LootMasterTable.h"
#include "items/LootRandomizerTable.h"
#include "items/LootTable.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/LootDraw.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

using Calls = std::vector<std::pair<int, int>>;

// A randomizer table that always draws the one affix it names.
void OneAffixTable(const TempDatabase& database, const std::string& record,
                   const std::string& affix)
{
    database.WriteRecord(record, {"Class = LootRandomizerTable", "randomizerName1 = " + affix,
                                  "randomizerWeight1 = 1"});
}

class LootBaseTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        for (int level : {0, 3, 5, 6, 7, 8, 9, 15, 20})
            database.WriteRecord("I/L" + std::to_string(level) + ".dbr",
                                 {"Class = Item", "itemLevel = " + std::to_string(level)});
    }

    template <typename T> LootBase::Handle Make(std::initializer_list<std::string> lines)
    {
        const std::string record = "T/Table" + std::to_string(++tables) + ".dbr";
        std::vector<std::string> all = {std::string("Class = ") + T::classInfo.GetName()};
        all.insert(all.end(), lines);
        database.WriteRecord(record, all);
        return LootBase::Create(record);
    }

    static std::vector<uint32_t> Weights(const LootBase& table)
    {
        std::vector<uint32_t> out;
        for (const auto& entry : static_cast<const LootItemTable_DynWeight&>(table).GetEntries())
            out.push_back(entry.valid ? entry.weight : 99999u);
        return out;
    }

    std::string Roll(LootBase& table, std::vector<int> ints, Calls* calls = nullptr)
    {
        ScriptedRandom random;
        random.ints.assign(ints.begin(), ints.end());
        std::string base = "kept";
        std::string prefix, suffix;
        int depth = 5;
        table.GetLootName(base, prefix, suffix, random, depth);
        if (calls != nullptr)
            *calls = random.intCalls;
        return base;
    }

    int tables = 0;
};

TEST_F(LootBaseTest, CreateMakesOnlyLootTables)
{
    EXPECT_EQ(LootBase::Create("I/L3.dbr"), nullptr);
    EXPECT_EQ(LootBase::Create("missing.dbr"), nullptr);
    const size_t before = ObjectManager::Instance().GetObjectCount();
    EXPECT_NE(Make<LootItemTable_FixedWeight>({}), nullptr);
    // Item records are never made only to be thrown away.
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before);
}

TEST_F(LootBaseTest, FixedWeightsOneAndThreePickTheFirstOnlyAtZero)
{
    LootBase::Handle table = Make<LootItemTable_FixedWeight>(
        {"lootName1 = I/L3.dbr", "lootWeight1 = 1", "lootName2 = I/L5.dbr", "lootWeight2 = -3",
         "lootName3 = I/L6.dbr", "lootWeight3 = 3"});
    Calls calls;
    EXPECT_EQ(Roll(*table, {0}, &calls), "I/L3.dbr");
    EXPECT_EQ(calls.front(), std::make_pair(0, 3));
    EXPECT_EQ(Roll(*table, {1}), "I/L6.dbr");
    EXPECT_EQ(Roll(*Make<LootItemTable_FixedWeight>({}), {}), "kept");
}

TEST_F(LootBaseTest, OverrideTestWalksTheEntriesAndForcesBothAffixes)
{
    OneAffixTable(database, "R/Pre.dbr", "p");
    LootBase::Handle table = Make<LootItemTable_FixedWeight>(
        {"lootName1 = I/L3.dbr", "lootWeight1 = 1", "lootName2 = I/L5.dbr", "lootWeight2 = 1",
         "noPrefixNoSuffix = 50", "prefixRandomizerName1 = R/Pre.dbr",
         "prefixRandomizerWeight1 = 1"});
    std::vector<std::string> bases;
    for (int i = 0; i < 3; ++i) {
        ScriptedRandom random;
        random.floats = {99.0f};
        std::string base, prefix, suffix;
        table->OverrideTest(base, prefix, suffix, random);
        bases.push_back(base);
        EXPECT_EQ(prefix, "p");
        EXPECT_EQ(random.intCalls.front(), std::make_pair(0, 200));
    }
    EXPECT_EQ(bases, (std::vector<std::string>{"I/L3.dbr", "I/L5.dbr", "I/L3.dbr"}));
}

TEST_F(LootBaseTest, DynamicOneEntryAlwaysWinsWithoutABell)
{
    LootBase::Handle table =
        Make<LootItemTable_DynWeight>({"itemNames = I/L5.dbr", "defaultWeight = 7.9"});
    Calls calls;
    EXPECT_EQ(Roll(*table, {6}, &calls), "I/L5.dbr");
    EXPECT_EQ(calls.front(), std::make_pair(0, 6));
    EXPECT_EQ(Weights(*table), std::vector<uint32_t>{7});
}

TEST_F(LootBaseTest, DynamicWindowWithoutItemsFallsBackBelowOrToTheFirst)
{
    LootBase::Handle below = Make<LootItemTable_DynWeight>(
        {"itemNames = I/L3.dbr;I/L8.dbr;I/L20.dbr;I/L5.dbr", "defaultWeight = 4",
         "minItemLevelEquation = 10", "maxItemLevelEquation = 12"});
    EXPECT_EQ(Roll(*below, {}), "I/L8.dbr");
    EXPECT_EQ(Weights(*below), (std::vector<uint32_t>{99999u, 4, 99999u, 99999u}));

    LootBase::Handle first = Make<LootItemTable_DynWeight>(
        {"itemNames = I/L20.dbr;I/L0.dbr;I/L15.dbr", "defaultWeight = 4",
         "minItemLevelEquation = 8", "maxItemLevelEquation = 9"});
    EXPECT_EQ(Roll(*first, {}), "I/L20.dbr");
    EXPECT_EQ(Weights(*first), (std::vector<uint32_t>{4, 99999u, 99999u}));
}

TEST_F(LootBaseTest, DynamicBellScalesByDistanceOnce)
{
    // Target 5.4 rounds to 5; the window is all of them, the clamp keeps it inside the items.
    LootBase::Handle table = Make<LootItemTable_DynWeight>(
        {"itemNames = I/L5.dbr;I/L6.dbr;I/L7.dbr;I/L9.dbr", "defaultWeight = 10",
         "bellSlope = 100;50;0.5", "minItemLevelEquation = -100", "maxItemLevelEquation = 100",
         "targetLevelEquation = 5.4"});
    Calls calls;
    EXPECT_EQ(Roll(*table, {15}, &calls), "I/L9.dbr");
    // Past the bell the weight stands; below 1 percent it is 0 and never picked.
    EXPECT_EQ(Weights(*table), (std::vector<uint32_t>{10, 5, 0, 10}));
    EXPECT_EQ(calls.front(), std::make_pair(0, 24));
    EXPECT_EQ(Roll(*table, {14}), "I/L6.dbr");
    EXPECT_EQ(Roll(*table, {9}), "I/L5.dbr");
    EXPECT_EQ(Weights(*table), (std::vector<uint32_t>{10, 5, 0, 10}));
}

TEST_F(LootBaseTest, DynamicEquationsSeeTheLevelsAndLogFailures)
{
    LootBase::Handle table = Make<LootItemTable_DynWeight>(
        {"itemNames = I/L3.dbr;I/L7.dbr", "defaultWeight = -3",
         "minItemLevelEquation = parentLevel + averagePlayerLevel + numberOfPlayers",
         "maxItemLevelEquation = (((", "targetLevelEquation = 1 +"});
    EXPECT_EQ(log.Count(1, "-=- LootItemTable_DynWeight:: Equation  load failure : "
                           "maxItemLevelEquation "),
              1u);
    EXPECT_EQ(log.Count(1, "-=- LootItemTable_DynWeight:: Equation  load failure : "
                           "targetLevelEquation "),
              1u);
    table->SetLevel(2, 4);
    // min 7; the failed max is 0, raised to 3: the window 7..3 is empty, so 3 falls back.
    // A total of 0 draws from 0..0, never 0..-1, and picks nothing.
    Calls calls;
    EXPECT_EQ(Roll(*table, {}, &calls), "kept");
    EXPECT_EQ(calls, (Calls{{0, 0}}));
    EXPECT_EQ(Weights(*table), (std::vector<uint32_t>{0, 99999u}));
}

TEST_F(LootBaseTest, MasterTablesShareTheDepthAndLogWhatIsNoTable)
{
    const std::string self = "T/Table" + std::to_string(tables + 1) + ".dbr";
    LootBase::Handle loop = Make<LootMasterTable>({"lootName1 = " + self, "lootWeight1 = 2"});
    Calls calls;
    EXPECT_EQ(Roll(*loop, {}, &calls), "kept");
    EXPECT_EQ(calls, (Calls(5, {0, 1})));
    EXPECT_EQ(log.GetLines().size(), 0u);

    LootBase::Handle wrong = Make<LootMasterTable>({"lootName1 = I/L3.dbr", "lootWeight1 = 2"});
    EXPECT_EQ(Roll(*wrong, {}), "kept");
    EXPECT_EQ(log.Count(1, "LootMasterTable: Unable to create LootBase (I/L3.dbr)"), 1u);

    const std::string fixed = "T/Table" + std::to_string(tables + 1) + ".dbr";
    Make<LootItemTable_FixedWeight>({"lootName1 = I/L9.dbr", "lootWeight1 = 1"});
    LootBase::Handle master = Make<LootMasterTable>({"lootName1 = " + fixed, "lootWeight1 = 1"});
    EXPECT_EQ(Roll(*master, {}), "I/L9.dbr");
}

using LootTableTest = EngineFixture;

// Record names of a chain: its link i, or `last` past its length.
std::string Link(const std::string& chain, int i, int length, const char* last)
{
    return i > length ? std::string(last) : chain + std::to_string(i) + ".dbr";
}

TEST_F(LootTableTest, FourZeroPickWeightsKeepBothAffixes)
{
    database.WriteRecord("L/T.dbr", {"Class = LootTable", "lootName1 = item", "lootWeight1 = 3",
                                     "prefixRandomizerChance = 100", "prefixRandomizerName1 = P",
                                     "prefixRandomizerWeight1 = 1", "suffixRandomizerChance = 100",
                                     "suffixRandomizerName2 = S", "suffixRandomizerWeight2 = 1"});
    LootTable table;
    ASSERT_TRUE(table.ManualLoad("L/T.dbr"));
    ScriptedRandom random;
    auto [base, prefix, suffix] = Draw(table, random);
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
        auto [base, prefix, suffix] = Draw(table, random);
        EXPECT_EQ(std::make_pair(prefix, suffix), expected) << roll;
        EXPECT_EQ(random.intCalls.back(), std::make_pair(0, 3));
    }
    // The chance is strict: 50 of 50 leaves the prefix as it was.
    ScriptedRandom random;
    random.floats = {50.0f, 0.0f};
    auto [base, prefix, suffix] = Draw(table, random, "", "old");
    EXPECT_EQ(prefix, "old");
}

TEST_F(LootTableTest, SixChainedRandomizerTablesLogTheLast)
{
    for (const auto& [length, logged] : std::vector<std::pair<int, size_t>>{{5, 0}, {6, 1}}) {
        const std::string chain = "R/C" + std::to_string(length) + "_";
        for (int i = 1; i <= length; ++i)
            OneAffixTable(database, Link(chain, i, length, ""),
                          Link(chain, i + 1, length, "affix"));
        LootTable table;
        table.Load(Record("lootName1 = item\nlootWeight1 = 1\nprefixRandomizerChance = 100\n"
                          "prefixRandomizerName1 = " +
                          chain + "1.dbr\nprefixRandomizerWeight1 = 1\n"));
        ScriptedRandom random;
        auto [base, prefix, suffix] = Draw(table, random);
        EXPECT_EQ(prefix, "affix");
        EXPECT_EQ(log.Count(1, "Recursion too deep on LootTable (affix)"), logged) << length;
    }
}

TEST_F(LootTableTest, LoaderFollowsSixChainedLootTablesThenLogs)
{
    for (const auto& [length, logged] : std::vector<std::pair<int, size_t>>{{5, 0}, {6, 1}}) {
        log.Clear();
        const std::string chain = "L/C" + std::to_string(length) + "_";
        for (int i = 1; i <= length; ++i)
            database.WriteRecord(
                Link(chain, i, length, ""),
                {"Class = LootTable", "lootName1 = " + Link(chain, i + 1, length, "item"),
                 "lootWeight1 = 1", "prefixRandomizerChance = 100",
                 "prefixRandomizerName1 = pre" + std::to_string(i), "prefixRandomizerWeight1 = 1"});
        LootLoader loader;
        loader.Load(Record("n1 = " + chain + "1.dbr\nw1 = 1\n"), "n", "w", 1, 0);
        ScriptedRandom random;
        auto [base, prefix, suffix] = Draw(loader, random, "", "", "suf");
        EXPECT_EQ(base, "item");
        EXPECT_EQ(prefix, "pre" + std::to_string(length));
        EXPECT_EQ(log.Count(1, "Recursion too deep on LootLoader prefix (pre6) or suffix (suf)"),
                  logged)
            << length;
    }
}

class LootItemTableRandomizerTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        OneAffixTable(database, "R/Pre.dbr", "p.dbr");
        OneAffixTable(database, "R/Suf.dbr", "s.dbr");
        OneAffixTable(database, "R/Brk.dbr", "b.dbr");
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
        database.WriteRecord(record, picks);
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
    auto [prefix, suffix] = DrawAffixes(randomizer, random, "old", "old");
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
        auto [prefix, suffix] = DrawAffixes(randomizer, random, "-", "-");
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
    auto [prefix, suffix] = DrawAffixes(huge, random);
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
        const std::string record = "R/Chance" + std::to_string(++tables) + ".dbr";
        database.WriteRecord(record, {"prefixRandomizerChance = " + chance,
                                      "prefixRandomizerName1 = R/Pre.dbr",
                                      "prefixRandomizerWeight1 = 1", "prefixOnly = 1"});
        randomizer.LoadFromDatabase(record);
        ScriptedRandom random;
        random.ints = {1};
        random.floats = {f};
        auto [prefix, suffix] = DrawAffixes(randomizer, random, "-", "-");
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
    auto [prefix, suffix] = DrawAffixes(randomizer, random, "old", "old");
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

TEST(LootLoaderTest, ByLocationReadsTheSixKeysAndTheDifficultysName)
{
    const LoadTable record = Record("chanceToEquipTorsoItem1 = 5\nlootTorsoItem1 = a.dbr;b.dbr\n"
                                    "chanceToEquipTorsoItem2 = -4\nlootTorsoItem2 = neg.dbr\n"
                                    "chanceToEquipTorsoItem3 = 7\nlootTorsoItem3 = ;\n"
                                    "chanceToEquipTorsoItem6 = 3\nlootTorsoItem6 = c.dbr;d.dbr\n"
                                    "chanceToEquipTorsoItem7 = 9\nlootTorsoItem7 = seven.dbr\n"
                                    "chanceToEquipHeadItem1 = 1\nlootHeadItem1 = head.dbr\n");
    LootLoader loader;
    loader.Load(record, LootLoader::Torso, 6, 1);
    // Negative weights, empty names and keys past the count are skipped.
    std::vector<std::pair<std::string, uint32_t>> entries;
    for (const LootLoader::Entry& entry : loader.GetEntries())
        entries.emplace_back(entry.name, entry.weight);
    EXPECT_EQ(entries, (decltype(entries){{"b.dbr", 5}, {"d.dbr", 3}}));
    EXPECT_EQ(loader.GetTotalWeight(), 8u);

    // Seven or more keeps the previous list whole.
    loader.Load(record, LootLoader::Head, 7, 0);
    EXPECT_EQ(loader.GetTotalWeight(), 8u);

    // An index past a short list names nothing.
    loader.Load(record, LootLoader::Head, 6, 2);
    EXPECT_TRUE(loader.GetEntries().empty());
}

TEST(LootLoaderTest, NumberedKeysLoadAndTheRunningSumPicksTheFirstEntryAtOrAboveTheRoll)
{
    LootLoader loader;
    loader.Load(Record("w1 = 2\nn1 = x.dbr\nw2 = 4\nn2 = y.dbr\n"), "n", "w", 2, 0);
    for (const auto& [roll, expected] : std::vector<std::pair<int, std::string>>{
             {0, "x.dbr"}, {2, "x.dbr"}, {3, "y.dbr"}, {6, "y.dbr"}, {7, "kept"}}) {
        ScriptedRandom random;
        random.ints = {roll};
        auto [base, prefix, suffix] = Draw(loader, random, "kept");
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
    auto [base, prefix, suffix] = Draw(loader, scripted);
    EXPECT_EQ(scripted.intCalls, (std::vector<std::pair<int, int>>{{0, 2147483647}}));

    RandomUniform random;
    random.Seed(99);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(std::get<0>(Draw(loader, random)), "a.dbr");
}

using LootLoaderRollTest = EngineFixture;

TEST_F(LootLoaderRollTest, LoaderHandsItsSettingsToTheTable)
{
    OneAffixTable(database, "R/Brk.dbr", "b");
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
    const auto Broken = [](LootLoader& loader) {
        ScriptedRandom random;
        // Loader, table, then the randomizer's share: 50 of 130 is the broken share.
        random.ints = {0, 0, 50};
        auto [base, prefix, suffix] = Draw(loader, random);
        EXPECT_EQ(base, "item.dbr");
        return prefix;
    };
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

constexpr const char* kCoins = "Records/Items/Coins.dbr";
using Lines = std::vector<std::string>;

class GoldGeneratorTest : public CombatGameFixture {
protected:
    void SetUp() override
    {
        CombatGameFixture::SetUp();
        Game().GetRandomGen().Seed(1234);
    }

    // A generator of the record lines, its chance 0 so that it always drops. Each load writes
    // a record of its own, since records are read once.
    void Load(GoldGenerator& generator, const Lines& lines)
    {
        const std::string record = "Records/Loot/Gold" + std::to_string(++records) + ".dbr";
        database.WriteRecord(record, lines);
        generator.LoadFromDatabase(record);
        generator.SetChance(0.0f);
    }

    // The lines, split into one pile of coins.
    static Lines OnePile(Lines lines, bool coins = true)
    {
        lines.insert(lines.end(), {"goldSplitMin = 1", "goldSplitMax = 1"});
        if (coins)
            lines.push_back(std::string("goldActors = ") + kCoins);
        return lines;
    }

    std::vector<ItemReplicaInfo> Run(const Lines& lines)
    {
        GoldGenerator generator;
        Load(generator, lines);
        std::vector<ItemReplicaInfo> piles;
        generator.RunGenerator(piles);
        return piles;
    }

    int records = 0;
};

TEST_F(GoldGeneratorTest, AmountsAreClampedAndZeroDropsNothing)
{
    EXPECT_TRUE(Run({"goldValueMax = 100", "goldSplitMin = 3", "goldSplitMax = 3",
                     std::string("goldActors = ") + kCoins})
                    .empty());
    // The minimum above the maximum: both bounds end at the maximum. Far past any integer, or
    // infinite: saturates, then the clamp; NaN is 0.
    const struct {
        const char* equation;
        const char* bounds[2];
        uint32_t amount;
    } rows[] = {{"5", {"goldValueMin = 50", "goldValueMax = 20"}, 20},
                {"900", {"goldValueMin = 50", "goldValueMax = 20"}, 20},
                {"(99999*99999)*99999", {"goldValueMax = 1000", "# no minimum"}, 1000},
                {"1/0", {"goldValueMax = 1000", "# no minimum"}, 1000}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.equation);
        const auto piles = Run(OnePile(
            {std::string("goldAmountEquation = ") + row.equation, row.bounds[0], row.bounds[1]}));
        ASSERT_EQ(piles.size(), 1u);
        EXPECT_EQ(piles[0].var1, row.amount);
    }
    EXPECT_TRUE(
        Run(OnePile({"goldAmountEquation = 0/0", "goldValueMin = -9", "goldValueMax = 1000"}))
            .empty());
}

TEST_F(GoldGeneratorTest, OnlyTheFirstEquationGivesExactlyItsTruncatedValue)
{
    GoldGenerator generator;
    Load(generator, OnePile({"goldAmountEquation = generatorLevel*10", "goldValueMax = 1000"}));
    generator.SetGeneratorLevel(7.9f);
    for (int run = 0; run < 5; ++run) {
        std::vector<ItemReplicaInfo> piles;
        generator.RunGenerator(piles);
        ASSERT_EQ(piles.size(), 1u);
        EXPECT_EQ(piles[0].baseName, kCoins);
        EXPECT_EQ(piles[0].var1, 70u);
    }
}

// The generator level's truncation is pinned by the equation test above.
TEST_F(GoldGeneratorTest, DesignerLevelsAreTruncatedAndExperienceIsNoVariable)
{
    GoldGenerator generator;
    generator.SetPlayerLevel(12.7f);
    generator.SetMonsterExperience(400.0f);
    float value = -1.0f;
    EXPECT_TRUE(generator.GetDesignerVariable("currentPlayerLevel", value));
    EXPECT_EQ(value, 12.0f);
    value = 5.0f;
    EXPECT_FALSE(generator.GetDesignerVariable("monsterExperience", value));
    EXPECT_EQ(value, 0.0f);
    EXPECT_FALSE(generator.GetDesignerVariable("generatorLevelX", value));
}

TEST_F(GoldGeneratorTest, FailuresLogTheirLinesVerbatim)
{
    const auto piles = Run(OnePile({"goldAmountEquation = (1+", "goldAmountEquation2 = 2+*",
                                    "goldValueMin = 8", "goldValueMax = 8"},
                                   false));
    EXPECT_TRUE(piles.empty());
    for (const char* key : {"goldAmountEquation ", "goldAmountEquation2 "})
        EXPECT_EQ(log.Count(Engine::LogData,
                            std::string("-=- GoldGenerator Equation load failure : ") + key),
                  1u)
            << key;
    // Both absent: 0 raised to the minimum, one pile with no actor to show it.
    EXPECT_EQ(log.Count(Engine::LogData, "GoldGenerator:  Unable to resolve gold actor name"), 1u);
}

TEST_F(GoldGeneratorTest, ChanceGatesTheDropOnlyWhenAboveZero)
{
    GoldGenerator generator;
    Load(generator, OnePile({"goldAmountEquation = 10", "goldValueMax = 10"}));
    std::vector<ItemReplicaInfo> piles;
    generator.SetChance(1e-6f);
    for (int run = 0; run < 20; ++run)
        generator.RunGenerator(piles);
    EXPECT_TRUE(piles.empty());
    generator.SetChance(-5.0f);
    generator.RunGenerator(piles);
    EXPECT_EQ(piles.size(), 1u);
}

// The same seed giving the same piles is pinned by the sample level's play.
TEST_F(GoldGeneratorTest, TheAmountLiesBetweenTheTwoEquationsInAtMostSixPiles)
{
    const std::vector<ItemReplicaInfo> piles =
        Run({"goldAmountEquation = 100", "goldAmountEquation2 = 500", "goldValueMax = 1000",
             "goldSplitMin = 2", "goldSplitMax = 6", "goldSplitSizeMin = 3",
             "goldActors = Records/Items/Coins.dbr;Records/Items/Pouch.dbr"});
    uint32_t sum = 0;
    for (const ItemReplicaInfo& pile : piles)
        sum += pile.var1;
    EXPECT_GE(sum, 100u);
    EXPECT_LE(sum, 500u);
    EXPECT_LE(piles.size(), 6u);
}

TEST_F(GoldGeneratorTest, SplitsStayBoundedAddUpAndCountAnEmptyPileAsOne)
{
    GoldGenerator generator;
    Load(generator, {"goldSplitMin = 3", "goldSplitMax = 3", "goldSplitSizeMin = 0"});
    bool sawEmpty = false;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        Game().GetRandomGen().Seed(seed);
        std::vector<int32_t> piles;
        generator.SplitGold(1, piles);
        ASSERT_LE(piles.size(), 3u);
        EXPECT_EQ(std::accumulate(piles.begin(), piles.end(), 0), 1);
        sawEmpty = sawEmpty || (!piles.empty() && piles.front() == 0);
    }
    EXPECT_TRUE(sawEmpty);

    for (const char* sizeMin : {"goldSplitSizeMin = 0", "goldSplitSizeMin = -2147483647",
                                "goldSplitSizeMin = 2147483647"}) {
        SCOPED_TRACE(sizeMin);
        Load(generator, {"goldSplitMin = 1000000", "goldSplitMax = 1000000", sizeMin});
        std::vector<int32_t> piles;
        generator.SplitGold(1000, piles);
        EXPECT_LE(piles.size(), static_cast<size_t>(GoldGenerator::kMaxPiles));
        EXPECT_EQ(std::accumulate(piles.begin(), piles.end(), int64_t(0)), 1000);
        for (const int32_t pile : piles)
            EXPECT_GE(pile, 0);
    }
}

} // namespace
} // namespace GAME::Test
