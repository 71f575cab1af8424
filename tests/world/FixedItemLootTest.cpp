#include "core/RandomUniform.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/FixedItemFixture.h"
#include "tests/support/LogCapture.h"
#include "world/FixedItemContainer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

class FixedItemLoot : public FixedItemFixture {
protected:
    static constexpr const char* kRing = "Records/Items/Ring.dbr";

    void SetUp() override
    {
        FixedItemFixture::SetUp();
        database.WriteRecord(kRing, {"Class = ItemEquipment"});
    }

    // A chest whose loot comes from these loot-record lines, unless `tables` names others.
    FixedItemController& ChestWithLoot(std::initializer_list<std::string> loot,
                                       const std::string& extra = "",
                                       const std::string& tables = "")
    {
        const std::string lootName = "Records/Loot/Loot" + std::to_string(++made) + ".dbr";
        database.WriteRecord(lootName, loot);
        const std::string path = "Records/Chests/Chest" + std::to_string(made) + ".dbr";
        database.WriteRecord(path, {"Class = FixedItemContainer",
                                    "tables = " + (tables.empty() ? lootName : tables), extra});
        auto* item = ObjectManager::Instance().CreateObjectFromFile<FixedItemContainer>(path);
        TheWorld().AddEntity(item, WorldAt({0, 0, 0}), false);
        item->InitialUpdate();
        lastLoot = lootName;
        return *item->GetController();
    }

    const LoadTable& LastLoot()
    {
        ObjectManager::Instance().LoadTableFile(lastLoot);
        return ObjectManager::Instance().GetLoadTable(lastLoot);
    }

    // Seeds the game's generator so that its first draw in [0, max] is `roll`.
    void NextIntRollIs(int roll, int max)
    {
        for (uint32_t seed = 1;; ++seed) {
            RandomUniform probe;
            probe.Seed(seed);
            if (probe.IGenerate(0, max) == roll) {
                Game().GetRandomGen().Seed(seed);
                return;
            }
        }
    }

    std::vector<std::string> DropNames() const
    {
        std::vector<std::string> names;
        for (const ItemReplicaInfo& item : recorder->drops)
            names.push_back(item.baseName);
        return names;
    }

    int made = 0;
    std::string lastLoot;
};

TEST_F(FixedItemLoot, WeightNumberKCountsKRolls)
{
    FixedItemController& controller = ChestWithLoot({"numberWeights = 0;0;5"});
    const int expected[] = {0, 2, 2, 2, 2, 2};
    for (int roll = 0; roll <= 5; ++roll) {
        SCOPED_TRACE(roll);
        NextIntRollIs(roll, 5);
        EXPECT_EQ(controller.SelectLootNumber(LastLoot()), static_cast<uint32_t>(expected[roll]));
    }
    const struct {
        const char* weights;
        uint32_t rolls;
    } rows[] = {{"numberWeights = ", 0}, {"numberWeights = -5;3", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.weights);
        FixedItemController& other = ChestWithLoot({row.weights});
        Game().GetRandomGen().Seed(0); // every draw its lower bound
        EXPECT_EQ(other.SelectLootNumber(LastLoot()), row.rolls);
    }
}

TEST_F(FixedItemLoot, EquationsSaturateAndTheRollCountStopsAt256)
{
    LogCapture log;
    const struct {
        const char* minimum;
        const char* maximum;
        uint32_t rolls;
        const char* line;
    } rows[] = {
        {"numSpawnMinEquation = 3", "numSpawnMaxEquation = 3", 3, nullptr},
        {"numSpawnMinEquation = 1000", "numSpawnMaxEquation = 1000", 256, "cut to 256"},
        {"numSpawnMinEquation = 99999999999", "numSpawnMaxEquation = (99999999999*99999999999)",
         256, "cut to 256"},
        {"numSpawnMinEquation = 2", "numSpawnMaxEquation = ((", 0,
         "-=- Fixed Item Controller Equation load failure : maxEquation"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.minimum);
        log.Clear();
        FixedItemController& controller = ChestWithLoot({row.minimum, row.maximum});
        Game().GetRandomGen().Seed(0);
        EXPECT_EQ(controller.SelectLootNumber(LastLoot()), row.rolls);
        if (row.line != nullptr) {
            EXPECT_EQ(log.CountContaining(row.line), 1u);
        }
    }
}

TEST_F(FixedItemLoot, TheLevelPicksTheTableClampedToTheLast)
{
    database.WriteRecord("Records/Loot/Level.dbr", {"levelEquation = 7"});
    database.WriteRecord("Records/Loot/Empty.dbr", {"numberWeights = 1"});
    database.WriteRecord("Records/Loot/Third.dbr",
                         {"numSpawnMinEquation = 1", "numSpawnMaxEquation = 1", "loot1Chance = 100",
                          std::string("loot1Name1 = ") + kSword, "loot1Weight1 = 1"});
    FixedItemController& controller =
        ChestWithLoot({}, "levelEquationFile = Records/Loot/Level.dbr",
                      "Records/Loot/Empty.dbr;Records/Loot/Empty.dbr;Records/Loot/Third.dbr");
    controller.LoadDropLoot();
    EXPECT_EQ(controller.GetFixedItemLevel(), 7u);
    EXPECT_EQ(DropNames(), std::vector<std::string>{kSword});
}

TEST_F(FixedItemLoot, TheFirstSlotWhoseRunningChanceReachesTheRollDrops)
{
    const struct {
        uint32_t seed;
        const char* dropped;
    } rows[] = {{0, kRing}, {7, kSword}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seed);
        recorder->drops.clear();
        FixedItemController& controller = ChestWithLoot(
            {"numSpawnMinEquation = 1", "numSpawnMaxEquation = 1", "loot1Chance = 0",
             std::string("loot1Name1 = ") + kRing, "loot1Weight1 = 1", "loot2Chance = 10",
             std::string("loot2Name1 = ") + kSword, "loot2Weight1 = 1"});
        Game().GetRandomGen().Seed(row.seed);
        controller.LoadDropLoot();
        EXPECT_EQ(DropNames(), std::vector<std::string>{row.dropped});
    }
}

TEST_F(FixedItemLoot, EveryAdditionalCopyAndEveryPartyCopyIsItsOwnItem)
{
    auto* chest =
        Place<FixedItemContainer>("Records/Chests/Copies.dbr", {"Class = FixedItemContainer"});
    ItemReplicaInfo sword;
    sword.id = 500;
    sword.baseName = kSword;
    for (uint32_t count : {0u, 3u}) {
        SCOPED_TRACE(count);
        recorder->drops.clear();
        chest->DropAdditionalItems(sword, count);
        std::set<uint32_t> ids;
        for (const ItemReplicaInfo& item : recorder->drops)
            ids.insert(item.id);
        EXPECT_EQ(ids.size(), count == 0 ? 1u : count);
        EXPECT_EQ(recorder->drops.front().id, 500u);
    }

    PlayerNetBasicInfo ana;
    ana.playerId = 0x10000001;
    ana.partyId = 0x10000001;
    PlayerNetBasicInfo bob = ana;
    bob.playerId = 0x20000001;
    PlayerNetBasicInfo cy = ana;
    cy.playerId = 0x30000001;
    Game().GetPlayerManagerClient()->HandlePlayerUpdate({ana, bob, cy});
    recorder->drops.clear();
    FixedItemController& controller =
        ChestWithLoot({}, std::string("perPartyMemberDropItemName = ") + kSword);
    controller.HasBeenTouchedByActor(bob.playerId);
    controller.LoadDropLoot();
    ASSERT_EQ(recorder->drops.size(), 3u);
    std::set<uint32_t> ids;
    std::set<uint32_t> seeds;
    for (const ItemReplicaInfo& item : recorder->drops) {
        ids.insert(item.id);
        seeds.insert(item.seed);
    }
    EXPECT_EQ(ids.size(), 3u);
    EXPECT_EQ(seeds.size(), 3u);
}

} // namespace
} // namespace GAME::Test
