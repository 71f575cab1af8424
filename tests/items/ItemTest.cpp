#include "items/Item.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TrimMust.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class ProbeItem : public Item {
    GAME_DECLARE_CLASS(ProbeItem)

public:
    using Item::GetCharacter;
    using Item::initialized;
};

GAME_IMPLEMENT_CLASS(ProbeItem, Item);

class ItemTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        ObjectManager& objects = ObjectManager::Instance();
        character = static_cast<Character*>(objects.CreateObject("Character"));
        item = new ProbeItem;
        ASSERT_NE(character, nullptr);
        ASSERT_TRUE(objects.RegisterObject(item));
    }

    Character* character = nullptr;
    ProbeItem* item = nullptr;
};

// Without a point the item is hidden until detached.
TEST_F(ItemTest, AttachedAtAPointTheItemRidesThereInView)
{
    item->AttachItem(*character, "R Hand");
    EXPECT_EQ(item->GetAttachParent(), character);
    EXPECT_TRUE(item->GetVisibility());
    EXPECT_EQ(item->GetCharacter(), character);

    item->DetachItem(*character);
    EXPECT_EQ(item->GetCharacter(), nullptr);

    for (const char* point : {static_cast<const char*>(nullptr), ""}) {
        item->AttachItem(*character, point);
        EXPECT_EQ(item->GetAttachParent(), character);
        EXPECT_EQ(item->GetAttachPointName(), "");
        EXPECT_FALSE(item->GetVisibility());
        item->DetachItem(*character);
        EXPECT_TRUE(item->GetVisibility());
    }
}

TEST_F(ItemTest, AWearerThatIsGoneIsNobody)
{
    item->AttachItem(*character, "Head");
    ObjectManager::Instance().DestroyObjectEx(character, "test", 1);
    EXPECT_EQ(item->GetCharacter(), nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(item->GetAttachParent(), nullptr);
}

ItemReplicaInfo Named(const std::string& baseName, uint32_t id)
{
    ItemReplicaInfo info;
    info.id = id;
    info.baseName = baseName;
    info.prefixName = "Records/Prefix.dbr";
    info.seed = 42;
    info.var1 = 2;
    return info;
}

TEST_F(ItemTest, CreateItemMakesTheRecordsObjectUnderItsIdWithTheRecordApplied)
{
    database.WriteRecord("Records/Items/Probe.dbr", {"Class = ProbeItem"});
    const ItemReplicaInfo info = Named("records/items/probe.dbr", 0x7777);
    auto* made = Must(DynamicCast<ProbeItem>(Item::CreateItem(info)));
    EXPECT_EQ(made->GetObjectId(), 0x7777u);
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(0x7777), made);
    EXPECT_TRUE(made->initialized);
    ItemReplicaInfo held;
    made->GetItemReplicaInfo(held);
    EXPECT_TRUE(held == info);

    // Another under the same id, a missing record and a record of something else: nothing.
    EXPECT_EQ(Item::CreateItem(info), nullptr);
    EXPECT_EQ(Item::CreateItem(Named("Records/Items/None.dbr", 0)), nullptr);
    database.WriteRecord("Records/Sound.dbr", {"Class = SoundPak"});
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    EXPECT_EQ(Item::CreateItem(Named("Records/Sound.dbr", 0)), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects);
}

TEST_F(ItemTest, TheItemKeepsItsOwnIdAndBaseNameWhateverRecordItIsGiven)
{
    item->SetObjectName("Records/Items/Own.dbr");
    ItemReplicaInfo held;
    item->SetItemReplicaInfo(Named("Records/Items/Other.dbr", 12345));
    item->GetItemReplicaInfo(held);
    EXPECT_EQ(held.id, item->GetObjectId());
    EXPECT_EQ(held.baseName, "Records/Items/Own.dbr");
    EXPECT_EQ(held.seed, 42u);
}

} // namespace
} // namespace GAME::Test
