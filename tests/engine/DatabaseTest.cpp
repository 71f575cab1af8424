#include "engine/Database.h"

#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace GAME::Test
