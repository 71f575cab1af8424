#include "items/ItemSet.h"

#include "engine/LocalizationManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class ItemSetTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        texts.Clear();
        texts.AddText("SimpleStringFormat", L"<%s>");
    }
    void TearDown() override
    {
        texts.Clear();
        EngineFixture::TearDown();
    }

    LocalizationManager& texts = LocalizationManager::Instance();
};

TEST_F(ItemSetTest, LoadsItsKeysAndMembersInRecordOrder)
{
    database.WriteRecord(
        "Records/Item/Sets/Bronze.dbr",
        {"setName = tagBronzeSet", "setDescription = tagBronzeText",
         "setMembers = Records/Item/Bronze/Helm.dbr;Records/Item/Bronze/NoRecord.dbr"});
    database.WriteRecord("Records/Item/Bronze/Helm.dbr", {"itemNameTag = tagBronzeHelm"});

    ItemSet set;
    set.LoadFromDatabase("Records/Item/Sets/Bronze.dbr");
    EXPECT_EQ(set.GetRecordName(), "Records/Item/Sets/Bronze.dbr");
    EXPECT_EQ(set.GetSetName(), "tagBronzeSet");
    EXPECT_EQ(set.GetSetDescription(), "tagBronzeText");
    ASSERT_EQ(set.GetMembers().size(), 2u);
    EXPECT_EQ(set.GetMembers()[0].recordName, "records\\item\\bronze\\helm.dbr");
    EXPECT_EQ(set.GetMembers()[0].displayName, L"<tagBronzeHelm>");
    // A member without a record still belongs to the set, under an empty name tag.
    EXPECT_EQ(set.GetMembers()[1].recordName, "records\\item\\bronze\\norecord.dbr");
    EXPECT_EQ(set.GetMembers()[1].displayName, L"<>");

    // A missing record is logged and leaves the set empty.
    ItemSet gone;
    gone.LoadFromDatabase("Records/Item/Sets/Gone.dbr");
    EXPECT_EQ(log.Count(1, "ItemSet: could not load record 'Records/Item/Sets/Gone.dbr'"), 1u);
    EXPECT_TRUE(gone.GetMembers().empty());
    EXPECT_TRUE(gone.GetSetName().empty());
}

} // namespace
} // namespace GAME::Test
