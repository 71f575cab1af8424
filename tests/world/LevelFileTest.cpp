#include "engine/LevelFile.h"

#include "engine/Entity.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "tests/support/EngineWorldFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(LevelFile, ReadsRegionsThenEntitiesWithTheirIdsAndGroups)
{
    LevelFile level;
    std::string error;
    ASSERT_TRUE(LevelFile::Parse("# a level\n"
                                 "region 3 10 0 0 -50 -5 -50 50 5 50\n\n"
                                 "Records/A.dbr 3 1 2 3 90 a-b-c-ff Patrol\n"
                                 "Records/B.dbr 3 0 0 0 -45 - \n",
                                 "L.lvl", level, error))
        << error;
    ASSERT_EQ(level.regions.size(), 1u);
    EXPECT_EQ(level.regions[0].offset, Vec3(10, 0, 0));
    ASSERT_EQ(level.entities.size(), 2u);
    EXPECT_EQ(level.entities[0].uniqueId, UniqueId(0xa, 0xb, 0xc, 0xff));
    EXPECT_EQ(level.entities[0].group, "Patrol");
    EXPECT_EQ(level.entities[0].line, 4u);
    EXPECT_FALSE(level.entities[1].hasUniqueId);
    EXPECT_FLOAT_EQ(level.entities[1].yawDegrees, -45.0f);
}

TEST(LevelFile, ABrokenLineIsRefusedWithItsFileAndLineAndNothingKept)
{
    const struct {
        const char* text;
        const char* error;
    } rows[] = {
        {"region 1 0 0 0 -1 -1 -1 1 1 1\nR 2 0 0 0 0\n", "L.lvl:2: no region 2 above this line"},
        {"region 1 nan 0 0 -1 -1 -1 1 1 1\n", "L.lvl:1: a region's numbers must be finite"},
        {"region 1 0 0 0 1 1 1 -1 -1 -1\n", "L.lvl:1: a region's bounds run from low to high"},
        {"region 0 0 0 0 -1 -1 -1 1 1 1\n", "L.lvl:1: a region id is a number above 0"},
        {"region 1 0 0 0 -1 -1 -1 1 1 1\nR 1 0 0 0 0 1-2-3\n",
         "L.lvl:2: a unique id is four hexadecimal words joined by '-'"},
        {"region 1 0 0 0 -1 -1 -1 1 1 1\nR 1 0 0 0 0\nregion 2 0 0 0 -1 -1 -1 1 1 1\n",
         "L.lvl:3: regions come before the entities"},
        {"region 1 0 0 0 -1 -1 -1 1 1 1\nregion 1 0 0 0 -1 -1 -1 1 1 1\n",
         "L.lvl:2: region 1 is named twice"},
        {"region 1 0 0 0 -1 -1 -1 1 1 1\nR 1 0 0 inf 0\n",
         "L.lvl:2: an entity's numbers must be finite"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        LevelFile level;
        std::string error;
        EXPECT_FALSE(LevelFile::Parse(row.text, "L.lvl", level, error));
        EXPECT_EQ(error, row.error);
        EXPECT_TRUE(level.regions.empty() && level.entities.empty());
    }
}

// The limit counts entity lines: the one past it is named, and nothing of the level is kept.
TEST(LevelFile, AnEntityPastTheLimitIsRefusedWithItsLine)
{
    std::string text = "region 1 0 0 0 -9 -9 -9 9 9 9\n";
    for (size_t i = 0; i < LevelFile::kMaxEntities; ++i)
        text += "R 1 0 0 0 0\n";
    LevelFile level;
    std::string error;
    ASSERT_TRUE(LevelFile::Parse(text, "L.lvl", level, error)) << error;
    EXPECT_EQ(level.entities.size(), LevelFile::kMaxEntities);

    text += "# the line after the limit\nR 1 0 0 0 0\n";
    EXPECT_FALSE(LevelFile::Parse(text, "L.lvl", level, error));
    EXPECT_EQ(error,
              "L.lvl:" + std::to_string(LevelFile::kMaxEntities + 3) + ": too many entities");
    EXPECT_TRUE(level.entities.empty());
}

class WorldLevelTest : public EngineWorldFixture {};

// Progress is paced by wall time; at no interval every entity reports.
TEST_F(WorldLevelTest, ALongLoadSaysHowFarItHasCome)
{
    database.WriteRecord("Records/Mark.dbr", {"Class = PatrolPoint"});
    database.WriteFile("Levels/Two.lvl", "region 1 0 0 0 -9 -9 -9 9 9 9\n"
                                         "Records/Mark.dbr 1 0 0 0 0\n"
                                         "Records/Mark.dbr 1 1 0 0 0\n");
    world->SetLoadProgressIntervalMs(0);
    ASSERT_TRUE(world->LoadLevel("Levels/Two.lvl"));
    EXPECT_EQ(log.Count(Engine::LogInfo, "Levels/Two.lvl: 1 of 2 entities made"), 1u);
    EXPECT_EQ(log.Count(Engine::LogInfo, "Levels/Two.lvl: 2 of 2 entities set up"), 1u);
}

// A stop is asked at each entity of each stage (three made, three joined, three set up): the load
// ends at the one it has come to, without a word, what it made left standing for its asker.
TEST_F(WorldLevelTest, AStopEndsTheLoadAtTheEntityItHasComeTo)
{
    database.WriteRecord("Records/Mark.dbr", {"Class = PatrolPoint"});
    size_t joinedBefore = 0;
    for (const int stopAt : {2, 5, 8}) {
        // A region of its own each: the levels before stayed.
        const std::string region = std::to_string(stopAt);
        const std::string path = "Levels/Stop" + region + ".lvl";
        std::string text = "region " + region + " 0 0 0 -9 -9 -9 9 9 9\n";
        for (const char* x : {"0", "1", "2"})
            text += "Records/Mark.dbr " + region + ' ' + x + " 0 0 0\n";
        database.WriteFile(path, text);
        int asked = 0;
        world->SetLoadStopping([&] { return ++asked == stopAt; });
        const size_t objectsBefore = ObjectManager::Instance().GetObjectCount();
        std::vector<uint32_t> made;
        EXPECT_FALSE(world->LoadLevel(path, &made)) << stopAt;
        EXPECT_EQ(asked, stopAt);
        EXPECT_EQ(ObjectManager::Instance().GetObjectCount() - objectsBefore,
                  stopAt == 2 ? 2u : 3u);
        EXPECT_EQ(world->GetEntityCount() - joinedBefore, stopAt == 2 ? 0u : stopAt == 5 ? 2u : 3u);
        EXPECT_EQ(made.size(), stopAt == 8 ? 2u : 0u);
        joinedBefore = world->GetEntityCount();
    }
    EXPECT_TRUE(log.GetLines().empty());
    world->SetLoadStopping({});
}

TEST_F(WorldLevelTest, ALevelIsMadeWholeOrNotAtAll)
{
    database.WriteRecord("Records/Mark.dbr", {"Class = PatrolPoint"});
    database.WriteFile("Levels/Bad.lvl", "region 1 0 0 0 -9 -9 -9 9 9 9\n"
                                         "Records/Mark.dbr 1 0 0 0 0\n"
                                         "Records/Missing.dbr 1 0 0 0 0\n");
    const size_t objectsBefore = ObjectManager::Instance().GetObjectCount();
    EXPECT_FALSE(world->LoadLevel("Levels/Bad.lvl"));
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objectsBefore);
    EXPECT_EQ(world->GetRegionById(1), nullptr);
    EXPECT_EQ(world->GetEntityCount(), 0u);

    database.WriteFile("Levels/Good.lvl", "region 1 0 0 0 -9 -9 -9 9 9 9\n"
                                          "Records/Mark.dbr 1 2 0 3 0 1-2-3-4\n");
    std::vector<uint32_t> made;
    ASSERT_TRUE(world->LoadLevel("Levels/Good.lvl", &made));
    ASSERT_EQ(made.size(), 1u);
    const auto* mark = ObjectManager::Instance().GetObject<Entity>(made[0]);
    EXPECT_EQ(mark->GetCoords().GetRegionCoords().origin, Vec3(2, 0, 3));
    EXPECT_EQ(mark->GetUniqueID(), UniqueId(1, 2, 3, 4));
    EXPECT_TRUE(mark->HasDoneInitialUpdate());
    EXPECT_FALSE(world->LoadLevel("Levels/Good.lvl")) << "its region is there already";
}

} // namespace
} // namespace GAME::Test
