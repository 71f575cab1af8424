#include "host/WorldDigest.h"
#include "host/HostOptions.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace GAME::Test {
namespace {

namespace fs = std::filesystem;

// Runs from the folder given, and goes back to where it was.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : before(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~InFolder() { fs::current_path(before); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    fs::path before;
};

uint32_t DigestOf(const std::string& database, const std::string& level,
                  const std::string& scenario = "")
{
    HostOptions options;
    options.databaseFolder = database;
    options.levelFile = level;
    options.scenario = scenario;
    return WorldDigest::Of(options);
}

// The level the loader reads is the world, whatever path or case named it.
TEST(WorldDigest, NamesTheLevelTheLoaderReadsNotThePath)
{
    TempDatabase database;
    database.WriteFile("Levels/Village.lvl", "region 1\n");
    database.WriteFile("Levels/Other.lvl", "region 2\n");
    TempDatabase elsewhere;
    elsewhere.WriteFile("Mine.lvl", "region 1\nregion 2\n");
    elsewhere.WriteFile("Copy/Mine.lvl", "region 1\nregion 2\n");
    const std::string root = database.GetRoot();
    const uint32_t own = DigestOf(root, "");
    ASSERT_NE(own, 0u);
    uint32_t fromInside = 0;
    {
        InFolder inside(root);
        fromInside = DigestOf(root, "Levels/Village.lvl");
        EXPECT_EQ(DigestOf(".", "Levels/Village.lvl"), own);
    }
    EXPECT_EQ(fromInside, own);
    const InFolder outside(elsewhere.GetRoot());
    EXPECT_EQ(DigestOf(root, "Levels/Village.lvl"), own);
    EXPECT_EQ(DigestOf(root, root + "/Levels/Village.lvl"), own);
    EXPECT_EQ(DigestOf(root, root + "/Levels/../Levels/Village.lvl"), own);
    EXPECT_EQ(DigestOf(root, "levels\\village.LVL"), own);
    EXPECT_NE(DigestOf(root, "Levels/Other.lvl"), own);
    const uint32_t outsideFile = DigestOf(root, "Mine.lvl");
    EXPECT_NE(outsideFile, own);
    EXPECT_EQ(DigestOf(root, elsewhere.GetRoot() + "/Copy/Mine.lvl"), outsideFile);
    EXPECT_EQ(DigestOf(root, fs::current_path().string() + "/Mine.lvl"), outsideFile);
}

// The pack's arena on the same database and level is another world than the level.
TEST(WorldDigest, NamesTheScenarioStaged)
{
    TempDatabase database;
    database.WriteFile("Levels/Village.lvl", "region 1\n");
    const std::string root = database.GetRoot();
    const uint32_t level = DigestOf(root, "");
    EXPECT_NE(DigestOf(root, "", "pack"), level);
    EXPECT_EQ(DigestOf(root, "", "pack"), DigestOf(root, "Levels/Village.lvl", "pack"));
}

} // namespace
} // namespace GAME::Test
