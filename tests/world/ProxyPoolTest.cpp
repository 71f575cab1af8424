#include "world/ProxyPool.h"

#include "tests/support/LogCapture.h"
#include "tests/support/ProxyFixture.h"
#include "world/FixedItem.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class ProxyPoolTest : public ProxyFixture {
protected:
    // A pool loaded from these lines and run with the budget; the draws it made are counted
    // against a copy of the generator that makes `draws` empty ones.
    std::vector<std::string> Run(std::initializer_list<std::string> lines, int32_t budget,
                                 int emptyDraws = -1)
    {
        const std::string path = "Records/Spawn/Pool" + std::to_string(++pools) + ".dbr";
        database.WriteRecord(path, lines);
        pool = std::make_unique<ProxyPool>();
        pool->LoadFromFile(path);
        Random().Seed(77);
        RandomUniform expected = Random();
        for (int draw = 0; draw < emptyDraws; ++draw)
            expected.IGenerate(0, 0);
        pool->RunPool(budget);
        if (emptyDraws >= 0)
            EXPECT_EQ(Random().GetState(), expected.GetState());
        return Names(pool->GetObjects());
    }

    std::unique_ptr<ProxyPool> pool;
    int pools = 0;
};

TEST_F(ProxyPoolTest, AlwaysSpawnWithoutALimitMakesSpawnMaxCopiesWhateverTheBudget)
{
    EXPECT_EQ(
        Run({"spawnMax = 3", "name1 = Records/Spawn/Ogre.dbr", "difficulty1 = 50",
             "alwaysSpawn1 = 1", "name2 = Records/Spawn/Rat.dbr", "weight2 = 1", "limit2 = 9"},
            10),
        (std::vector<std::string>{kOgre, kOgre, kOgre}));
}

TEST_F(ProxyPoolTest, TriesTheLargerCountThenFillsTheMinimumWithTheCheapest)
{
    // Nothing fits a budget of 0: five empty draws, then the cheapest, the earlier of equals
    // first, as far as the limits go. Fixed items here: a monster's making draws of its own.
    for (const char* record : {kRat, kWolf, kOgre})
        database.WriteRecord(record, {"Class = FixedItem"});
    EXPECT_EQ(Run({"spawnMin = 3", "spawnMax = 5", "name1 = Records/Spawn/Rat.dbr",
                   "difficulty1 = 5", "weight1 = 4", "limit1 = 2", "name2 = Records/Spawn/Wolf.dbr",
                   "difficulty2 = 3", "weight2 = 4", "limit2 = 1", "name3 = Records/Spawn/Ogre.dbr",
                   "difficulty3 = 3", "weight3 = 4", "limit3 = 1"},
                  0, 5),
              (std::vector<std::string>{kWolf, kOgre, kRat}));
}

TEST_F(ProxyPoolTest, LimitsAndCountsFromRecordsStayInBounds)
{
    struct Row {
        const char* label;
        std::vector<std::string> lines;
        size_t made;
    };
    const Row rows[] = {
        // Without a limit key the limit is the record's "spawnMax": 0 is never picked.
        {"NoLimitKey", {"spawnMin = 2", "name1 = Records/Spawn/Rat.dbr", "weight1 = 1"}, 0},
        {"NegativeCounts",
         {"spawnMin = -5", "spawnMax = -1", "name1 = Records/Spawn/Rat.dbr", "limit1 = 3",
          "weight1 = 1"},
         0},
        {"HugeCount",
         {"spawnMax = 1000000", "name1 = Records/Spawn/Chest.dbr", "alwaysSpawn1 = 1"},
         256},
        {"HugeWeights",
         {"spawnMax = 2", "name1 = Records/Spawn/Rat.dbr", "weight1 = 2147483647", "limit1 = 1",
          "name2 = Records/Spawn/Wolf.dbr", "weight2 = 2147483647", "limit2 = 1"},
         2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const std::string path = std::string("Records/Spawn/") + row.label + ".dbr";
        std::string text;
        for (const std::string& line : row.lines)
            text += line + "\n";
        database.WriteFile(path, text);
        ProxyPool bounded;
        bounded.LoadFromFile(path);
        bounded.RunPool(100);
        EXPECT_EQ(bounded.GetObjects().size(), row.made);
    }
}

TEST_F(ProxyPoolTest, AHeroInGameIsNeverPickedAndTheOthersRegisterTheirs)
{
    database.WriteRecord(kWolf, {"Class = Monster", "monsterClassification = Hero"});
    gGameEngine->RegisterProxyHeroBoss(kWolf);
    EXPECT_TRUE(Run({"spawnMin = 1", "name1 = Records/Spawn/Wolf.dbr", "limit1 = 1"}, 10).empty());

    gGameEngine->UnregisterProxyHeroBoss(kWolf);
    EXPECT_EQ(Run({"spawnMin = 1", "name1 = Records/Spawn/Wolf.dbr", "limit1 = 1"}, 10),
              std::vector<std::string>{kWolf});
    EXPECT_TRUE(gGameEngine->IsProxyHeroBossInGame(kWolf));
    pool.reset();
    EXPECT_FALSE(gGameEngine->IsProxyHeroBossInGame(kWolf));
}

TEST_F(ProxyPoolTest, AMissingRecordIsLoggedAndSkipped)
{
    LogCapture log;
    EXPECT_EQ(Run({"spawnMin = 2", "name1 = Records/Spawn/Gone.dbr", "limit1 = 1",
                   "name2 = Records/Spawn/Rat.dbr", "limit2 = 1"},
                  0),
              std::vector<std::string>{kRat});
    EXPECT_EQ(log.Count(1, "Proxy Pool (Records/Spawn/Pool1.dbr) could not create object "
                           "(Records/Spawn/Gone.dbr)"),
              1u);
}

TEST_F(ProxyPoolTest, TheAccessoryIsMadeWhenTheDrawIsWithinTheChanceAndTakesTheLevel)
{
    database.WriteRecord("Records/Spawn/Chests.dbr",
                         {"fixedItemChance = 0", "fixedItemName1 = Records/Spawn/Chest.dbr",
                          "fixedItemWeight1 = 1"});
    // Seeds whose first draw of 0..100 is 0 and 1.
    uint32_t zero = 0;
    uint32_t one = 0;
    for (uint32_t seed = 1; zero == 0 || one == 0; ++seed) {
        RandomUniform probe;
        probe.Seed(seed);
        const int drawn = probe.IGenerate(0, 100);
        if (drawn == 0 && zero == 0)
            zero = seed;
        if (drawn == 1 && one == 0)
            one = seed;
    }
    for (const auto& [seed, made] : {std::pair{zero, 1u}, std::pair{one, 0u}}) {
        ProxyAccessoryPool accessory;
        accessory.LoadFromFile("Records/Spawn/Chests.dbr");
        Random().Seed(seed);
        accessory.RunPool(7);
        ASSERT_EQ(accessory.GetObjects().size(), made);
        if (made != 0)
            EXPECT_EQ(ObjectManager::Instance()
                          .GetObject<FixedItem>(accessory.GetObjects().front())
                          ->GetProxyLevel(),
                      7u);
    }
}

} // namespace
} // namespace GAME::Test
