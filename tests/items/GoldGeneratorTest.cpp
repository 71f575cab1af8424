#include "items/GoldGenerator.h"

#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "items/ItemReplicaInfo.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <numeric>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kCoins = "Records/Items/Coins.dbr";

class GoldGeneratorTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        Game().GetRandomGen().Seed(1234);
    }

    // A generator of the record lines, its chance 0 so that it always drops. Each load writes
    // a record of its own, since records are read once.
    void Load(GoldGenerator& generator, std::initializer_list<std::string> lines)
    {
        const std::string record = "Records/Loot/Gold" + std::to_string(++records) + ".dbr";
        database.WriteRecord(record, lines);
        generator.LoadFromDatabase(record);
        generator.SetChance(0.0f);
    }

    std::vector<ItemReplicaInfo> Run(std::initializer_list<std::string> lines)
    {
        GoldGenerator generator;
        Load(generator, lines);
        std::vector<ItemReplicaInfo> piles;
        generator.RunGenerator(piles);
        return piles;
    }

    static uint32_t Sum(const std::vector<ItemReplicaInfo>& piles)
    {
        return std::accumulate(
            piles.begin(), piles.end(), 0u,
            [](uint32_t sum, const ItemReplicaInfo& pile) { return sum + pile.var1; });
    }

    int records = 0;
};

TEST_F(GoldGeneratorTest, AmountsAreClampedAndZeroDropsNothing)
{
    const std::string actors = std::string("goldActors = ") + kCoins;
    EXPECT_TRUE(
        Run({"goldValueMax = 100", "goldSplitMin = 3", "goldSplitMax = 3", actors}).empty());
    // The minimum above the maximum: both bounds end at the maximum.
    for (const char* equation : {"goldAmountEquation = 5", "goldAmountEquation = 900"}) {
        const auto piles = Run({equation, "goldValueMin = 50", "goldValueMax = 20",
                                "goldSplitMin = 1", "goldSplitMax = 1", actors});
        ASSERT_EQ(piles.size(), 1u) << equation;
        EXPECT_EQ(piles[0].var1, 20u) << equation;
    }
    // Far past any integer, or infinite: saturates, then the clamp; NaN is 0.
    for (const char* equation :
         {"goldAmountEquation = (99999*99999)*99999", "goldAmountEquation = 1/0"}) {
        const auto huge =
            Run({equation, "goldValueMax = 1000", "goldSplitMin = 1", "goldSplitMax = 1", actors});
        ASSERT_EQ(huge.size(), 1u) << equation;
        EXPECT_EQ(huge[0].var1, 1000u) << equation;
    }
    EXPECT_TRUE(Run({"goldAmountEquation = 0/0", "goldValueMin = -9", "goldValueMax = 1000",
                     "goldSplitMin = 1", "goldSplitMax = 1", actors})
                    .empty());
}

TEST_F(GoldGeneratorTest, OnlyTheFirstEquationGivesExactlyItsTruncatedValue)
{
    GoldGenerator generator;
    Load(generator,
         {"goldAmountEquation = generatorLevel*10", "goldValueMax = 1000", "goldSplitMin = 1",
          "goldSplitMax = 1", std::string("goldActors = ") + kCoins});
    generator.SetGeneratorLevel(7.9f);
    for (int run = 0; run < 5; ++run) {
        std::vector<ItemReplicaInfo> piles;
        generator.RunGenerator(piles);
        ASSERT_EQ(piles.size(), 1u);
        EXPECT_EQ(piles[0].baseName, kCoins);
        EXPECT_EQ(piles[0].var1, 70u);
    }
}

TEST_F(GoldGeneratorTest, DesignerLevelsAreTruncatedAndExperienceIsNoVariable)
{
    GoldGenerator generator;
    generator.SetPlayerLevel(12.7f);
    generator.SetGeneratorLevel(-3.5f);
    generator.SetMonsterExperience(400.0f);
    float value = -1.0f;
    EXPECT_TRUE(generator.GetDesignerVariable("currentPlayerLevel", value));
    EXPECT_EQ(value, 12.0f);
    EXPECT_TRUE(generator.GetDesignerVariable("generatorLevel", value));
    EXPECT_EQ(value, -3.0f);
    value = 5.0f;
    EXPECT_FALSE(generator.GetDesignerVariable("monsterExperience", value));
    EXPECT_EQ(value, 0.0f);
    EXPECT_FALSE(generator.GetDesignerVariable("generatorLevelX", value));
}

TEST_F(GoldGeneratorTest, FailuresLogTheirLinesVerbatim)
{
    const auto piles =
        Run({"goldAmountEquation = (1+", "goldAmountEquation2 = 2+*", "goldValueMin = 8",
             "goldValueMax = 8", "goldSplitMin = 1", "goldSplitMax = 1"});
    EXPECT_TRUE(piles.empty());
    EXPECT_EQ(
        log.Count(Engine::LogData, "-=- GoldGenerator Equation load failure : goldAmountEquation "),
        1u);
    EXPECT_EQ(log.Count(Engine::LogData,
                        "-=- GoldGenerator Equation load failure : goldAmountEquation2 "),
              1u);
    // Both absent: 0 raised to the minimum, one pile with no actor to show it.
    EXPECT_EQ(log.Count(Engine::LogData, "GoldGenerator:  Unable to resolve gold actor name"), 1u);
}

TEST_F(GoldGeneratorTest, ChanceGatesTheDropOnlyWhenAboveZero)
{
    GoldGenerator generator;
    Load(generator, {"goldAmountEquation = 10", "goldValueMax = 10", "goldSplitMin = 1",
                     "goldSplitMax = 1", std::string("goldActors = ") + kCoins});
    std::vector<ItemReplicaInfo> piles;
    generator.SetChance(1e-6f);
    for (int run = 0; run < 20; ++run)
        generator.RunGenerator(piles);
    EXPECT_TRUE(piles.empty());
    generator.SetChance(-5.0f);
    generator.RunGenerator(piles);
    EXPECT_EQ(piles.size(), 1u);
}

TEST_F(GoldGeneratorTest, OneSeedGivesEqualPilesThatSumToTheAmount)
{
    const std::initializer_list<std::string> lines = {
        "goldAmountEquation = 100",
        "goldAmountEquation2 = 500",
        "goldValueMax = 1000",
        "goldSplitMin = 2",
        "goldSplitMax = 6",
        "goldSplitSizeMin = 3",
        "goldActors = Records/Items/Coins.dbr;Records/Items/Pouch.dbr"};
    Game().GetRandomGen().Seed(77);
    const std::vector<ItemReplicaInfo> first = Run(lines);
    Game().GetRandomGen().Seed(77);
    const std::vector<ItemReplicaInfo> second = Run(lines);
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].baseName, second[i].baseName);
        EXPECT_EQ(first[i].var1, second[i].var1);
    }
    EXPECT_GE(Sum(first), 100u);
    EXPECT_LE(Sum(first), 500u);
    EXPECT_LE(first.size(), 6u);
}

TEST_F(GoldGeneratorTest, AnEmptyPileCountsAsOneOfThePiles)
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
}

TEST_F(GoldGeneratorTest, HostileSplitsStayBoundedAndAddUp)
{
    GoldGenerator generator;
    for (const char* sizeMin : {"goldSplitSizeMin = 0", "goldSplitSizeMin = -2147483647",
                                "goldSplitSizeMin = 2147483647"}) {
        Load(generator, {"goldSplitMin = 1000000", "goldSplitMax = 1000000", sizeMin});
        std::vector<int32_t> piles;
        generator.SplitGold(1000, piles);
        EXPECT_LE(piles.size(), static_cast<size_t>(GoldGenerator::kMaxPiles)) << sizeMin;
        EXPECT_EQ(std::accumulate(piles.begin(), piles.end(), int64_t(0)), 1000) << sizeMin;
        for (const int32_t pile : piles)
            EXPECT_GE(pile, 0) << sizeMin;
    }
}

} // namespace
} // namespace GAME::Test
