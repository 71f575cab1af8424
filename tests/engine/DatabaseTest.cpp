#include "engine/Database.h"

#include "tests/support/LogCapture.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include <sys/resource.h>

namespace GAME::Test {
namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(db.SetRoot(files.GetRoot())); }

    TempDatabase files;
    Database db;
};

TEST_F(DatabaseTest, FindsRecordsWhateverTheCaseAndSlashes)
{
    files.WriteRecord("Records/Game/X.dbr", {"value = 5"});
    ASSERT_TRUE(db.LoadTableFile("records\\game\\x.DBR"));
    EXPECT_EQ(db.GetLoadTable("\\RECORDS/GAME/X.dbr").GetInt("value"), 5);
    EXPECT_EQ(db.ResolvePath("records/game/x.dbr"), files.GetRoot() + "/Records/Game/X.dbr");
    // Leading separators of either kind are dropped; every spelling answers the one table.
    const LoadTable* table = db.FindLoadTable("//Records\\Game/X.dbr");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table, &db.GetLoadTable("records\\GAME\\x.dbr"));
    EXPECT_EQ(db.FindLoadTable("Records/Game/Y.dbr"), nullptr);
    EXPECT_EQ(db.FindLoadTable("\\/"), nullptr);

    EXPECT_FALSE(db.LoadTableFile("Records/Missing.dbr"));
    EXPECT_FALSE(db.GetLoadTable("Records/Missing.dbr").HasKey("value"));
    EXPECT_EQ(db.GetLoadTable("Records/Missing.dbr").GetKeyCount(), 0u);
    // Written after a miss of another path: a fresh scan finds it.
    files.WriteRecord("Records/Late.dbr", {"value = 6"});
    ASSERT_TRUE(db.LoadTableFile("Records/Late.dbr"));
    EXPECT_EQ(db.GetLoadTable("Records/Late.dbr").GetInt("value"), 6);
}

TEST_F(DatabaseTest, EachRecordIsReadOnceUntilTheRootIsSetAgain)
{
    files.WriteRecord("Records/Once.dbr", {"value = 1"});
    ASSERT_TRUE(db.LoadTableFile("Records/Once.dbr"));
    files.WriteRecord("Records/Once.dbr", {"value = 2", "other = 3"});
    ASSERT_TRUE(db.LoadTableFile("Records/Once.dbr"));
    EXPECT_EQ(db.GetLoadTable("Records/Once.dbr").GetInt("value"), 1);
    EXPECT_FALSE(db.GetLoadTable("Records/Once.dbr").HasKey("other"));

    ASSERT_TRUE(db.SetRoot(files.GetRoot()));
    EXPECT_EQ(db.GetLoadTable("Records/Once.dbr").GetKeyCount(), 0u);
    ASSERT_TRUE(db.LoadTableFile("Records/Once.dbr"));
    EXPECT_EQ(db.GetLoadTable("Records/Once.dbr").GetInt("value"), 2);

    EXPECT_FALSE(db.SetRoot(files.GetRoot() + "/no-such-folder"));
    EXPECT_FALSE(db.HasRoot());
    EXPECT_FALSE(db.LoadTableFile("Records/Once.dbr"));
}

// A chain of `levels` nested folders `name/name/...` under `parent`, built and removed with
// short paths only (each step moves the chain one level down into a fresh folder), so that it
// may reach deeper than any path the system opens.
class FolderChain {
public:
    FolderChain(const std::string& parent, const std::string& name, int levels)
        : top(parent + "/" + name), spare(parent + "/spare"), name(name)
    {
        std::filesystem::create_directory(top);
        for (int level = 1; level < levels; ++level) {
            std::filesystem::create_directory(spare);
            std::filesystem::rename(top, spare + "/" + name);
            std::filesystem::rename(spare, top);
        }
    }
    ~FolderChain()
    {
        std::error_code ignored;
        while (std::filesystem::exists(top + "/" + name, ignored)) {
            std::filesystem::rename(top + "/" + name, spare, ignored);
            std::filesystem::remove_all(top, ignored);
            std::filesystem::rename(spare, top, ignored);
        }
        std::filesystem::remove_all(top, ignored);
    }
    FolderChain(const FolderChain&) = delete;
    FolderChain& operator=(const FolderChain&) = delete;

private:
    std::string top;
    std::string spare;
    std::string name;
};

// Lowers the limit of open files to a few above those open now, for the test's duration.
class FewFileHandles {
public:
    explicit FewFileHandles(rlim_t spare)
    {
        getrlimit(RLIMIT_NOFILE, &saved);
        const auto open = std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                        std::filesystem::directory_iterator());
        rlimit lowered = saved;
        lowered.rlim_cur = static_cast<rlim_t>(open) + spare;
        setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~FewFileHandles() { setrlimit(RLIMIT_NOFILE, &saved); }
    FewFileHandles(const FewFileHandles&) = delete;
    FewFileHandles& operator=(const FewFileHandles&) = delete;

private:
    rlimit saved{};
};

TEST_F(DatabaseTest, ADeepFolderTreeIsScannedWithOneHandleAtATime)
{
    std::string deep = "Records";
    for (int level = 0; level < 200; ++level)
        deep += "/d";
    files.WriteRecord(deep + "/Bottom.dbr", {"value = 7"});
    files.WriteRecord("Text/English.txt", {"tag = text"});
    LogCapture log;
    {
        FewFileHandles few(24);
        ASSERT_TRUE(db.LoadTableFile(deep + "/bottom.dbr"));
        EXPECT_NE(db.ResolvePath("text/english.txt"), "");
    }
    EXPECT_EQ(db.GetLoadTable(deep + "/Bottom.dbr").GetInt("value"), 7);
    EXPECT_TRUE(log.GetLines().empty());
}

TEST_F(DatabaseTest, AFolderBeyondReachIsLoggedAndTheRestIsFound)
{
    files.WriteRecord("Records/Top.dbr", {"value = 1"});
    // 1200 levels of "level/" are longer than any path the system opens.
    FolderChain chain(files.GetRoot(), "level", 1200);
    LogCapture log;
    ASSERT_TRUE(db.LoadTableFile("Records/Top.dbr"));
    ASSERT_EQ(log.GetLines().size(), 1u);
    const std::string& line = log.GetLines()[0].text;
    EXPECT_EQ(log.GetLines()[0].level, 1);
    EXPECT_EQ(line.rfind("Database folder '" + files.GetRoot() +
                             "': cannot read 1 of its folders (the first: 'level/level/",
                         0),
              0u);
    EXPECT_NE(line.find("'); their files are missing"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
