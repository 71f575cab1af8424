#include "world/ProxyAmbush.h"

#include "characters/Player.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "tests/support/LogCapture.h"
#include "tests/support/ProxyFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class ProxyAmbushTest : public ProxyFixture {
protected:
    // An ambush holding three rats, released every second while a player is within 5.
    ProxyAmbush* MakeAmbush(const std::string& population)
    {
        database.WriteRecord("Records/Spawn/Pool.dbr",
                             {"spawnMin = 3", "name1 = Records/Spawn/Rat.dbr", "limit1 = 3"});
        ProxyAmbush* ambush = MakeProxy<ProxyAmbush>(
            {"Class = ProxyAmbush", "pool1 = Records/Spawn/Pool.dbr", "alertArea = 5",
             "minSpawnTime = 1.0", "maxSpawnTime = 1.0", "minProxyPopulation = " + population,
             "maxProxyPopulation = " + population},
            {10, 0, 10});
        ambush->InitialUpdate();
        return ambush;
    }

    Player* PlayerAt(const Vec3& position)
    {
        return SpawnAt<Player>("Records/Spawn/Hero.dbr", {"Class = Player"}, position);
    }

    static std::vector<uint8_t> Saved(const ProxyAmbush& ambush)
    {
        BinaryWriter writer = BinaryWriter::ToMemory(64);
        ambush.SaveState(writer);
        return std::vector<uint8_t>(writer.GetData(), writer.GetData() + writer.GetSize());
    }
};

TEST_F(ProxyAmbushTest, WithoutACapOneIsReleasedEachIntervalWhileAPlayerIsNear)
{
    ProxyAmbush* ambush = MakeAmbush("0");
    ASSERT_EQ(ambush->GetWaitingObjects().size(), 3u);

    // Nobody near: the timer keeps falling.
    ambush->UpdateSelf(100);
    EXPECT_EQ(ambush->GetSpawnTimer(), -100);
    EXPECT_TRUE(ambush->GetReleasedObjects().empty());

    PlayerAt({12, 0, 10});
    const std::vector<uint32_t> waiting = ambush->GetWaitingObjects();
    ambush->UpdateSelf(1);
    EXPECT_EQ(ambush->GetReleasedObjects(), std::vector<uint32_t>{waiting[0]});
    ambush->UpdateSelf(999);
    EXPECT_EQ(ambush->GetReleasedObjects().size(), 1u);
    ambush->UpdateSelf(1);
    EXPECT_EQ(ambush->GetReleasedObjects(), (std::vector<uint32_t>{waiting[0], waiting[1]}));
    const auto* released = ObjectManager::Instance().GetObject<Entity>(waiting[1]);
    EXPECT_EQ(released->GetCoords().GetPosition().GetRegionPosition(), Vec3(10, 0, 10));
    EXPECT_TRUE(released->HasDoneInitialUpdate());
    EXPECT_FALSE(ObjectManager::Instance().GetObject<Entity>(waiting[2])->HasDoneInitialUpdate());
}

TEST_F(ProxyAmbushTest, AtTheCapTheTimerWaitsTheMinimumAndTheDeadArePruned)
{
    ProxyAmbush* ambush = MakeAmbush("2");
    PlayerAt({10, 0, 12});
    ambush->UpdateSelf(1);
    ambush->UpdateSelf(1000);
    ASSERT_EQ(ambush->GetReleasedObjects().size(), 2u);
    ambush->UpdateSelf(1000);
    EXPECT_EQ(ambush->GetReleasedObjects().size(), 2u);
    EXPECT_EQ(ambush->GetWaitingObjects().size(), 1u);
    EXPECT_EQ(ambush->GetSpawnTimer(), 1000);

    ObjectManager::Instance().DestroyObjectEx(
        ObjectManager::Instance().GetObject(ambush->GetReleasedObjects().front()), "test",
        __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    ambush->UpdateSelf(10);
    EXPECT_EQ(ambush->GetReleasedObjects().size(), 1u);
    ambush->UpdateSelf(990);
    EXPECT_TRUE(ambush->GetWaitingObjects().empty());
}

TEST_F(ProxyAmbushTest, TheWaitingListIsSavedByNameAndRestoredFromItsRecords)
{
    ProxyAmbush* ambush = MakeAmbush("0");
    ObjectManager::Instance().DestroyObjectEx(
        ObjectManager::Instance().GetObject(ambush->GetWaitingObjects()[1]), "test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    const std::vector<uint8_t> state = Saved(*ambush);

    ProxyAmbush* restored = MakeProxy<ProxyAmbush>({"Class = ProxyAmbush"});
    LogCapture log;
    BinaryReader reader(state.data(), state.size());
    EXPECT_TRUE(restored->RestoreState(reader));
    EXPECT_EQ(Names(restored->GetWaitingObjects()), (std::vector<std::string>{kRat, kRat}));
    EXPECT_TRUE(restored->HasRun());
    EXPECT_EQ(log.Count(1, "ProxyAmbush: Unable to create and restore file "
                           "(InvalidProxyObjectSaved)"),
              1u);
}

TEST_F(ProxyAmbushTest, ABrokenStateIsRefusedAtTheFirstBadRead)
{
    struct Row {
        const char* label;
        std::vector<uint8_t> bytes;
        size_t restored;
        size_t refusals;
    };
    // Visibility, has-run, count, then names.
    const Row rows[] = {
        {"CountPastTheBytes", {1, 0, 0, 0, 1, 0, 0, 0, 0xff, 0xff, 0xff, 0x7f, 0, 0, 0, 0}, 0, 1},
        {"NameCutShort",
         {1,   0,   0,   0,   1,   0,   0,   0,   2,   0,   0,   0,   21,  0,
          0,   0,   'R', 'e', 'c', 'o', 'r', 'd', 's', '/', 'S', 'p', 'a', 'w',
          'n', '/', 'R', 'a', 't', '.', 'd', 'b', 'r', 9,   0,   0,   0},
         1,
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ProxyAmbush* restored = MakeProxy<ProxyAmbush>({"Class = ProxyAmbush"});
        LogCapture log;
        BinaryReader reader(row.bytes.data(), row.bytes.size());
        EXPECT_FALSE(restored->RestoreState(reader));
        EXPECT_EQ(restored->GetWaitingObjects().size(), row.restored);
        EXPECT_EQ(log.CountContaining("ProxyAmbush: saved count"), row.refusals);
    }
}

} // namespace
} // namespace GAME::Test
