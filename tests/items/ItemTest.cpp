#include "items/Item.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class ProbeItem : public Item {
public:
    using Item::GetCharacter;
};

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
    EXPECT_EQ(item->GetAttachPointName(), "R Hand");
    EXPECT_EQ(item->GetAttachPlacement(), Coords::Identity());
    EXPECT_TRUE(item->GetVisibility());
    EXPECT_EQ(item->GetCharacter(), character);

    item->DetachItem(*character);
    EXPECT_EQ(item->GetAttachParent(), nullptr);
    EXPECT_TRUE(item->GetVisibility());
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

} // namespace
} // namespace GAME::Test
