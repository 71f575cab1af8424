#include "items/Inventory.h"

#include "core/DialogManager.h"
#include "engine/EventManager.h"
#include "engine/GraphicsEngine.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/CursorHandlerItemMove.h"
#include "items/CursorHandlerOneShotUse.h"
#include "items/CursorHandlerRelicCombine.h"
#include "items/Item.h"
#include "items/ItemRelic.h"
#include "items/PlayerInventoryCtrl.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/WearerFixture.h"

#include <gtest/gtest.h>

#include <memory>
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

constexpr const char* kGem = "Records/Items/CursorGem.dbr";
constexpr const char* kSlab = "Records/Items/CursorSlab.dbr";

class CursorHandlerTest : public WearerFixture {
protected:
    void SetUp() override
    {
        WearerFixture::SetUp();
        // One cell and two by two cells; too heavy to wear, so they stay in the bag.
        GraphicsEngine::Instance().DescribeTexture("Slab.tex", 64, 64);
        database.WriteRecord(kGem, {"Class = ArmorProtective_Head", "strengthRequirement = 999",
                                    "bitmap = Gem.tex"});
        database.WriteRecord(kSlab, {"Class = ArmorProtective_Head", "strengthRequirement = 999",
                                     "bitmap = Slab.tex"});
        InitializeObjects();
        controller = NewWearer();
    }

    void TearDown() override
    {
        ShutdownObjects();
        WearerFixture::TearDown();
    }

    // Into the bag at the cell.
    uint32_t Put(const char* record, float column, float row)
    {
        const uint32_t id = Make(record);
        wearer->GetInventory().AddItemToInventory(id, false);
        EXPECT_TRUE(Bag().AddItem({column * 32.0f, row * 32.0f}, id, -1));
        return id;
    }

    PlayerInventoryCtrl& Bag() { return controller->GetInventoryCtrl(); }

    std::unique_ptr<CursorHandlerItemMove> PickUp(uint32_t id)
    {
        auto cursor = std::make_unique<CursorHandlerItemMove>();
        cursor->SetPlayer(wearer);
        cursor->SetId(id);
        return cursor;
    }

    ControllerPlayer* controller = nullptr;
};

TEST_F(CursorHandlerTest, ADropOverTwoItemsIsRefusedAndOverOneTheyChangePlaces)
{
    const uint32_t left = Put(kGem, 0, 0), right = Put(kGem, 1, 0);
    const uint32_t slab = Put(kSlab, 5, 0);
    auto cursor = PickUp(slab);
    EXPECT_FALSE(Bag().GetSack(-1)->HasItem(slab));

    cursor->SetRelativePosition({8.0f, 8.0f});
    EXPECT_FALSE(cursor->PrimaryInventoryActivate());
    EXPECT_EQ(cursor->GetId(), slab);
    EXPECT_TRUE(Bag().GetSack(-1)->HasItem(left));

    cursor->SetRelativePosition({72.0f, 8.0f});
    ASSERT_TRUE(cursor->PrimaryInventoryActivate());
    EXPECT_EQ(cursor->GetId(), right) << "the gem under it comes onto the cursor";
    EXPECT_TRUE(Bag().GetSack(-1)->HasItem(slab));
    EXPECT_FALSE(cursor->IsComplete());
    EXPECT_TRUE(cursor->Cancel());
    EXPECT_TRUE(cursor->IsComplete());
    EXPECT_TRUE(Bag().GetSack(-1)->HasItem(right));
}

TEST_F(CursorHandlerTest, AnItemGoesOntoTheEquipmentAndWhatWasThereComesBack)
{
    database.WriteRecord(kGem, {"Class = ArmorProtective_Head", "bitmap = Gem.tex"});
    const uint32_t first = Put(kGem, 0, 0), second = Put(kGem, 1, 0);
    auto cursor = PickUp(first);
    bool reserved = false;
    EXPECT_TRUE(cursor->IsEquipConflict(EquipmentCtrlLocation_Neck, reserved));
    ASSERT_TRUE(cursor->PrimaryEquipActivate(EquipmentCtrlLocation_Head));
    EXPECT_TRUE(cursor->IsComplete());
    cursor = PickUp(second);
    ASSERT_TRUE(cursor->PrimaryEquipActivate(EquipmentCtrlLocation_Head));
    EXPECT_EQ(cursor->GetId(), first);
    EXPECT_EQ(controller->GetEquipmentCtrl().GetItem_Head(), second);
}

TEST_F(CursorHandlerTest, ARelicWaitsForConfirmationBeforeGoingIntoASword)
{
    database.WriteRecord("Records/Items/Shard.dbr", {"Class = ItemRelic", "completedRelicLevel = 3",
                                                     "sword = 1", "shardBitmap = Shard.tex"});
    database.WriteRecord(kSword, {"Class = WeaponMelee_Sword", "bitmap = Sword.tex"});
    Put(kSword, 3, 0);
    const uint32_t shard = Put("Records/Items/Shard.dbr", 0, 0);
    auto* relic = ObjectManager::Instance().GetObject<Item>(shard);
    std::unique_ptr<CursorHandler> cursor = relic->CreateSecondaryCursorHandler(wearer);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->GetGameCursorType(), 7);
    cursor->SetPlayer(wearer);
    cursor->SetId(shard);
    cursor->SetRelativePosition({8.0f, 8.0f});
    EXPECT_FALSE(cursor->PrimaryInventoryActivate()) << "no target: itself";
    EXPECT_TRUE(cursor->IsComplete());
    cursor->SetId(shard);
    cursor->SetRelativePosition({104.0f, 8.0f});
    ASSERT_TRUE(cursor->PrimaryInventoryActivate());
    DialogManager& dialogs = GameEngine::Get().GetDialogManager();
    ASSERT_EQ(dialogs.GetNumDialog(), 1u);
    EXPECT_EQ(dialogs.PeekTopDialog().party, DialogManager::PartyRelicCombine);
    EXPECT_FALSE(cursor->Escape()) << "the question stands";
    dialogs.AddResponse({DialogManager::PartyRelicCombine, false});
    cursor->Update();
    EXPECT_TRUE(cursor->IsComplete());
    EXPECT_EQ(ObjectManager::Instance().GetObject<ItemRelic>(shard)->GetRelicLevel(), 1u);
}

} // namespace
} // namespace GAME::Test
