#include "items/CursorHandlerItemMove.h"

#include "core/DialogManager.h"
#include "engine/GraphicsEngine.h"
#include "game/GameEngine.h"
#include "items/CursorHandlerOneShotUse.h"
#include "items/CursorHandlerRelicCombine.h"
#include "items/ItemRelic.h"
#include "items/PlayerInventoryCtrl.h"
#include "tests/support/WearerFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace GAME::Test {
namespace {

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
