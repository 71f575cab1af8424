#include "items/LootBase.h"

#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "items/LootItemTable_DynWeight.h"
#include "items/LootItemTable_FixedWeight.h"
#include "items/LootMasterTable.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

using Calls = std::vector<std::pair<int, int>>;

class LootBaseTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        for (const auto& [name, level] :
             std::vector<std::pair<std::string, int>>{{"I/L0.dbr", 0},
                                                      {"I/L3.dbr", 3},
                                                      {"I/L5.dbr", 5},
                                                      {"I/L6.dbr", 6},
                                                      {"I/L7.dbr", 7},
                                                      {"I/L8.dbr", 8},
                                                      {"I/L9.dbr", 9},
                                                      {"I/L15.dbr", 15},
                                                      {"I/L20.dbr", 20}})
            database.WriteRecord(name, {"Class = Item", "itemLevel = " + std::to_string(level)});
    }

    template <typename T> LootBase::Handle Make(std::initializer_list<std::string> lines)
    {
        const std::string record = "T/Table" + std::to_string(++tables) + ".dbr";
        std::vector<std::string> all = {std::string("Class = ") + T::classInfo.GetName()};
        all.insert(all.end(), lines);
        std::string text;
        for (const std::string& line : all)
            text += line + "\n";
        database.WriteFile(record, text);
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
        std::string prefix;
        std::string suffix;
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
    EXPECT_EQ(Roll(*table, {3}), "I/L6.dbr");
    EXPECT_EQ(Roll(*Make<LootItemTable_FixedWeight>({}), {}), "kept");
}

TEST_F(LootBaseTest, OverrideTestWalksTheEntriesAndForcesBothAffixes)
{
    database.WriteRecord("R/Pre.dbr", {"Class = LootRandomizerTable", "randomizerName1 = p",
                                       "randomizerWeight1 = 1"});
    LootBase::Handle table = Make<LootItemTable_FixedWeight>(
        {"lootName1 = I/L3.dbr", "lootWeight1 = 1", "lootName2 = I/L5.dbr", "lootWeight2 = 1",
         "noPrefixNoSuffix = 50", "prefixRandomizerName1 = R/Pre.dbr",
         "prefixRandomizerWeight1 = 1"});
    std::vector<std::string> bases;
    for (int i = 0; i < 3; ++i) {
        ScriptedRandom random;
        random.floats = {99.0f};
        std::string base;
        std::string prefix;
        std::string suffix;
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

} // namespace
} // namespace GAME::Test
