#include "items/Inventory.h"

#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kSword = "Records/Items/Sword.dbr";
constexpr const char* kRing = "Records/Items/Ring.dbr";

// Hears every "GameEvent_ItemAdd" as "owner:item:flag".
class AddListener {
public:
    AddListener() : handler("GameEvent_ItemAdd", &AddListener::OnAdd, this) {}
    void OnAdd(const GameEvent_ItemAdd& event)
    {
        heard.push_back(std::to_string(event.ownerId) + ":" + std::to_string(event.itemId) + ":" +
                        (event.flag ? "1" : "0"));
    }
    std::vector<std::string> heard;

private:
    EventHandler<AddListener, GameEvent_ItemAdd> handler;
};

class InventoryTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord(kSword, {"Class = Item"});
        database.WriteRecord(kRing, {"Class = Item"});
    }

    static uint32_t MakeItem(const char* record)
    {
        Object* item = ObjectManager::Instance().CreateObjectFromFile(record);
        return item != nullptr ? item->GetObjectId() : 0;
    }
};

TEST_F(InventoryTest, AnItemIsListedAndAnnouncedOnce)
{
    AddListener listener;
    Inventory inventory;
    inventory.SetOwner(42);
    const uint32_t sword = MakeItem(kSword);
    const uint32_t ring = MakeItem(kRing);

    inventory.AddItemToInventory(sword, true);
    inventory.AddItemToInventory(sword, false);
    inventory.AddItemToInventory(0, false);
    inventory.AddItemToInventory(ring, false);

    EXPECT_EQ(inventory.GetInventoryItems(), (std::vector<uint32_t>{sword, ring}));
    EXPECT_EQ(listener.heard, (std::vector<std::string>{"42:" + std::to_string(sword) + ":1",
                                                        "42:" + std::to_string(ring) + ":0"}));
}

TEST_F(InventoryTest, RemovingAndPoppingKeepTheOrderAndItListensWhileItLives)
{
    EventManager& events = EventManager::Instance();
    const size_t before = events.GetListenerCount("GameEvent_ItemAdd");
    {
        Inventory inventory;
        EXPECT_EQ(events.GetListenerCount("GameEvent_ItemAdd"), before + 1);
        for (uint32_t id : {5u, 6u, 7u})
            inventory.AddItemToInventory(id, false);
        inventory.RemoveItemFromInventory(0);
        inventory.RemoveItemFromInventory(6);
        EXPECT_EQ(inventory.GetInventoryItems(), (std::vector<uint32_t>{5, 7}));
        EXPECT_EQ(inventory.PopInventoryItem(), 5u);
        EXPECT_EQ(inventory.PopInventoryItem(), 7u);
        EXPECT_EQ(inventory.PopInventoryItem(), 0u);
    }
    EXPECT_EQ(events.GetListenerCount("GameEvent_ItemAdd"), before);
}

TEST_F(InventoryTest, FindingByRecordStopsAtTheFirstVanishedItem)
{
    ObjectManager& objects = ObjectManager::Instance();
    Inventory inventory;
    const uint32_t sword = MakeItem(kSword);
    const uint32_t ring = MakeItem(kRing);
    inventory.AddItemToInventory(sword, false);
    inventory.AddItemToInventory(ring, false);
    EXPECT_TRUE(inventory.IsItemInInventory(std::string(kRing)));
    EXPECT_FALSE(inventory.IsItemInInventory(std::string("Records/Items/Axe.dbr")));

    objects.DestroyObjectEx(objects.GetObject(sword), "test", 1);
    EXPECT_FALSE(inventory.IsItemInInventory(std::string(kRing)));
    EXPECT_TRUE(inventory.IsItemInInventory(ring));
}

TEST_F(InventoryTest, DestroyAllObjectsDestroysEveryListedItem)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t sword = MakeItem(kSword);
    const uint32_t ring = MakeItem(kRing);
    {
        Inventory inventory;
        inventory.AddItemToInventory(sword, false);
        inventory.AddItemToInventory(999, false); // never existed: skipped
        inventory.DestroyAllObjects();
        EXPECT_TRUE(inventory.GetInventoryItems().empty());
        inventory.AddItemToInventory(ring, false);
    } // the destructor takes the ring

    EXPECT_EQ(objects.GetObject(sword), nullptr);
    EXPECT_EQ(objects.GetObject(ring), nullptr);
    const auto& history = objects.GetDestroyHistory();
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].objectId, sword);
    EXPECT_EQ(history[1].objectId, ring);
    for (const auto& record : history) {
        EXPECT_EQ(record.file, "Project\\Game\\Inventory");
        EXPECT_EQ(record.line, 45);
    }
}

} // namespace
} // namespace GAME::Test
