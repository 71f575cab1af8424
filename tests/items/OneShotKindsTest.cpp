#include "characters/Character.h"

#include "engine/GraphicsEngine.h"
#include "engine/ObjectManager.h"
#include "items/Inventory.h"
#include "items/InventorySack.h"
#include "items/OneShot.h"
#include "items/OneShot_Gold.h"
#include "items/OneShot_PotionHealth.h"
#include "tests/items/BagFixture.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Must.h"
#include "tests/support/Replica.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class OneShotKindsTest : public BagFixture {
protected:
    Item* Make(const char* record, uint32_t var1 = 0)
    {
        return Item::CreateItem(Replica(record, 0, var1));
    }
};

TEST_F(OneShotKindsTest, GoldCountsTheRecordsVar1AndOnlyTheLocalPlayerReportsIt)
{
    auto* gold = Must(DynamicCast<OneShot_Gold>(Make(kGold, 37)));
    EXPECT_EQ(gold->GetGoldValue(), 37u);
    gold->SetGoldValue(12.9f);
    EXPECT_EQ(gold->GetGoldValue(), 12u);
    gold->SetGoldValue(-4.0f);
    EXPECT_EQ(gold->GetBonus().goldPoints, 0u);

    Player* stranger = NewHero();
    gold->SetGoldValue(25.0f);
    gold->Use(stranger);
    EXPECT_EQ(stranger->GetCurrentMoney(), 0u);
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(stranger->GetObjectId());
    gold->Use(stranger);
    EXPECT_EQ(stranger->GetCurrentMoney(), 25u);
}

TEST_F(OneShotKindsTest, ASackPlacesAlignsArrangesAndHandsOver)
{
    GraphicsEngine::Instance().DescribeTexture("brick.tex", 64, 64);
    database.WriteRecord("Records/Items/Brick.dbr",
                         {"Class = ItemEquipment", "bitmap = brick.tex"});
    InventorySack sack;
    sack.SetDims(128, 64);
    Item* first = Make("Records/Items/Brick.dbr");
    Item* second = Make("Records/Items/Brick.dbr");
    Item* third = Make("Records/Items/Brick.dbr");
    EXPECT_EQ(sack.AddItemAndReturnPoint(first), Vec2(0.0f, 0.0f));
    EXPECT_TRUE(sack.AddItem(second, false));
    EXPECT_TRUE(sack.AddItem(third, false));
    // Room for one of the two held unplaced; the other leaves the sack.
    EXPECT_FALSE(sack.ArrangeUnpositionedItems());
    EXPECT_EQ(sack.GetInventory().size(), 2u);
    EXPECT_EQ(sack.GetInventory().at(second->GetObjectId()).x, 64.0f);
    EXPECT_EQ(sack.AddItemAndReturnPoint(third), Vec2(-1.0f, -1.0f));

    Rect outside(120.0f, -7.0f, 64.0f, 64.0f);
    sack.AlignRect(outside);
    EXPECT_EQ(outside.x, 64.0f);
    EXPECT_EQ(outside.y, 0.0f);
    EXPECT_EQ(sack.GetRectUnderPoint({40.0f, 40.0f}).x, 32.0f);
    EXPECT_EQ(sack.GetRectUnderPoint({500.0f, 5.0f}).y, 64.0f);
    EXPECT_EQ(sack.GetFirstItem(), first->GetObjectId());

    Player* hero = NewHero();
    sack.GiveAllItems(hero->GetControllerPlayer());
    EXPECT_TRUE(sack.GetInventory().empty());
    EXPECT_EQ(Bag(*hero).GetInventoryInSack(0).size(), 2u);
}

using OneShotTest = EngineFixture;

TEST_F(OneShotTest, TheDelayIsReadInSecondsAndUseTakesOneFromTheStackDownToZero)
{
    database.WriteRecord("Records/Heal.dbr",
                         {"Class = OneShot_PotionHealth", "useDelayTime = 1.5"});
    ObjectManager& objects = ObjectManager::Instance();
    auto* potion = Must(objects.CreateObjectFromFile<OneShot_PotionHealth>("Records/Heal.dbr"));
    EXPECT_EQ(potion->GetUseDelayTime(), 1500);
    auto* character = static_cast<Character*>(objects.CreateObject("Character"));
    potion->SetStackCount(3);
    potion->Use(character);
    EXPECT_EQ(potion->GetNumberInStack(), 2u);
    EXPECT_EQ(potion->RemoveFromStack(1), 1u);
    EXPECT_EQ(potion->RemoveFromStack(5), 0u) << "stops at zero";
}

TEST_F(OneShotTest, WithoutASoundOrAUserUseDoesNothing)
{
    database.WriteRecord("Records/Plain.dbr", {"Class = OneShot"});
    ObjectManager::Instance().CreateObjectFromFile<OneShot>("Records/Plain.dbr")->Use(nullptr);
}

} // namespace
} // namespace GAME::Test
