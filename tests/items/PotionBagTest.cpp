#include "engine/Database.h"
#include "engine/IOStreamRead.h"
#include "items/HotSlotOption.h"
#include "items/InventorySack.h"
#include "items/OneShot_Potion.h"
#include "tests/items/BagFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/TrimBagStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

using PotionBagTest = BagFixture;

TEST_F(PotionBagTest, TenPotionsShareACellAndTheEleventhStartsAnother)
{
    Player* hero = NewHero();
    PlayerInventoryCtrl& bag = Bag(*hero);
    for (uint32_t i = 0; i < 10; ++i)
        PickUp(*hero, kHeal20, i);
    const auto& cells = bag.GetInventoryInSack(0);
    ASSERT_EQ(cells.size(), 1u);
    auto* visible = ObjectManager::Instance().GetObject<OneShot_Potion>(cells.begin()->first);
    EXPECT_EQ(visible->GetNumberInStack(), 9u);
    EXPECT_TRUE(visible->IsStackFull());
    PickUp(*hero, kHeal20, 10);
    EXPECT_EQ(cells.size(), 2u);
    EXPECT_EQ(bag.GetTotalPotions(kHeal20), 11u);
    EXPECT_EQ(bag.GetTotalPotions(PlayerInventoryCtrl::kHealth), 11u);
    EXPECT_EQ(bag.GetTotalPotions(PlayerInventoryCtrl::kMana), 0u);
}

TEST_F(PotionBagTest, TheNeediestFitIsDrunkAndItsKindCoolsDown)
{
    Player* hero = NewHero();
    hero->GetCharacterBio().SubtractLife(60.0f);
    ASSERT_EQ(hero->GetCurrentLife(), 40.0f);
    PlayerInventoryCtrl& bag = Bag(*hero);
    for (const char* record : {kHeal100, kHeal50, kHeal20, kMana})
        PickUp(*hero, record);

    // Deficit 60, low 10, high 50: nothing lies in [60, 50], the 20 is the first in [10, 60).
    EXPECT_TRUE(bag.UsePotionOfType(PlayerInventoryCtrl::kHealth, 0.5f, 0.9f));
    EXPECT_EQ(bag.GetTotalPotions(kHeal20), 0u);
    EXPECT_EQ(bag.GetTotalPotions(kHeal50), 1u);
    EXPECT_EQ(bag.GetTotalPotions(kHeal100), 1u);
    EXPECT_EQ(bag.GetCurrentCooldown(PlayerInventoryCtrl::kHealth), 1000);

    EXPECT_FALSE(bag.UsePotionOfType(kHeal50));
    EXPECT_TRUE(bag.UsePotionOfType(kMana));
    bag.Update(999);
    EXPECT_FALSE(bag.UsePotionOfType(kHeal50));
    // The controller's frame counts the bag's cooldowns down.
    hero->GetControllerPlayer()->Update(1);
    EXPECT_EQ(bag.GetTotalCooldown(PlayerInventoryCtrl::kHealth), 0);
    EXPECT_TRUE(bag.UsePotionOfType(kHeal50));
    // The emptied kinds stay known.
    std::vector<std::string> names;
    bag.GetPotionNames(names);
    EXPECT_EQ(names.size(), 4u);
}

TEST_F(PotionBagTest, DrinkingLeavesTheVisiblePotionUntilItIsTheLast)
{
    Player* hero = NewHero();
    PlayerInventoryCtrl& bag = Bag(*hero);
    const uint32_t first = PickUp(*hero, kHeal20, 1);
    PickUp(*hero, kHeal20, 2);
    EXPECT_TRUE(bag.UsePotionOfType("RECORDS\\ITEMS\\HEAL20.DBR"));
    EXPECT_EQ(bag.GetInventoryInSack(0).count(first), 1u);
    bag.Update(1000);
    EXPECT_TRUE(bag.UsePotionOfType(kHeal20));
    EXPECT_TRUE(bag.GetInventoryInSack(0).empty());
    bag.Update(1000);
    EXPECT_FALSE(bag.UsePotionOfType(kHeal20));
}

TEST_F(PotionBagTest, SacksGoldAndRewardsTakeNoCell)
{
    Player* hero = NewHero();
    PlayerInventoryCtrl& bag = Bag(*hero);
    for (uint32_t i = 0; i < 4; ++i)
        PickUp(*hero, kSack, i);
    EXPECT_EQ(bag.GetNumberOfSacks(), 4u);
    // The fifth finds no room for a sack: it leaves the inventory.
    const uint32_t fifth = PickUp(*hero, kSack, 5);
    EXPECT_EQ(bag.GetNumberOfSacks(), 4u);
    EXPECT_FALSE(hero->GetInventory().IsItemInInventory(fifth));
    PickUp(*hero, kGold, 6);
    PickUp(*hero, kReward, 7);
    for (int32_t sack = 0; sack < 4; ++sack)
        EXPECT_TRUE(bag.GetInventoryInSack(sack).empty()) << sack;
}

TEST_F(PotionBagTest, ADropOverTwoItemsIsRefusedAndOverOneIsASwap)
{
    Player* hero = NewHero();
    PlayerInventoryCtrl& bag = Bag(*hero);
    const uint32_t left = PickUp(*hero, kRing, 1);
    const uint32_t right = PickUp(*hero, kRing, 2);
    GraphicsEngine::Instance().DescribeTexture("wide.tex", 64, 32);
    database.WriteRecord("Records/Items/Wide.dbr", {"Class = ItemEquipment", "bitmap = wide.tex"});
    ItemReplicaInfo wide;
    wide.baseName = "Records/Items/Wide.dbr";
    const uint32_t carried = Item::CreateItem(wide)->GetObjectId();
    struct Row {
        Vec2 point;
        size_t conflicts;
    };
    // Centred on the point plus half a cell: (16, 0) covers both rings, (48, 0) only the second.
    const Row rows[] = {{{16.0f, 0.0f}, 2u}, {{48.0f, 0.0f}, 1u}, {{200.0f, 100.0f}, 0u}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.point.x);
        std::vector<Rect> conflicts;
        Rect placed;
        EXPECT_EQ(bag.GetConflicts(row.point, carried, conflicts, placed, 0), row.conflicts != 0);
        EXPECT_EQ(conflicts.size(), row.conflicts);
    }
    EXPECT_EQ(bag.GetItemUnderPoint({40.0f, 10.0f}, 0), right);
    EXPECT_EQ(bag.GetItemUnderPoint({10.0f, 10.0f}, -1), left);
}

TEST_F(PotionBagTest, ItemsOfSacksBeyondTheFourthStillComeBack)
{
    BagStream stream(6);
    for (uint32_t i = 0; i < 6; ++i) {
        ItemReplicaInfo info;
        info.baseName = i == 5 ? "Records/Items/Nothing.dbr" : kRing;
        info.seed = i;
        stream.Sack(1).Entry(info, static_cast<int32_t>(i), 0).EndSack();
    }

    Player* hero = NewHero();
    IOStreamRead read(stream.Bytes());
    Bag(*hero).StreamProperties(&read);
    EXPECT_FALSE(read.HasFailed());
    EXPECT_EQ(Bag(*hero).GetNumberOfSacks(), 4u);
    // Five rings come back; the record that names nothing is skipped.
    EXPECT_EQ(hero->GetInventory().GetInventoryItems().size(), 5u);
    size_t placed = 0;
    for (int32_t sack = 0; sack < 4; ++sack)
        placed += Bag(*hero).GetInventoryInSack(sack).size();
    EXPECT_EQ(placed, 5u);
}

TEST_F(PotionBagTest, WithoutAMainPlayerATradeSackKeepsItsItems)
{
    NewHero();
    InventorySack sack;
    ItemReplicaInfo info;
    info.baseName = kRing;
    Item* ring = Item::CreateItem(info);
    ASSERT_TRUE(sack.AddItem(ring, true));
    sack.DeleteAndCreateAllItemsFor(nullptr);
    EXPECT_EQ(sack.GetInventory().size(), 1u);
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(ring->GetObjectId()), ring);
}

TEST_F(PotionBagTest, ATradedSackGivesCopiesToTheMainPlayerAndLetsTheOffersGo)
{
    Player* hero = NewHero();
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    InventorySack offer;
    ItemReplicaInfo info;
    info.baseName = kRing;
    info.seed = 31;
    Item* ring = Item::CreateItem(info);
    ASSERT_TRUE(offer.AddItem(ring, true));
    const uint32_t offered = ring->GetObjectId();
    offer.DeleteAndCreateAllItemsFor(nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_TRUE(offer.GetInventory().empty());
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(offered), nullptr);
    const auto& cells = Bag(*hero).GetInventoryInSack(0);
    ASSERT_EQ(cells.size(), 1u);
    ItemReplicaInfo copy;
    ObjectManager::Instance().GetObject<Item>(cells.begin()->first)->GetItemReplicaInfo(copy);
    EXPECT_EQ(copy.seed, 31u);
}

TEST_F(PotionBagTest, ThePotionSlotTellsWhatIsLeftAndHowFarTheCooldownIs)
{
    Player* hero = NewHero();
    HotSlotOptionPotion option(HotSlotOptionPotion::Potion_Health);
    option.SetPlayer(hero);
    EXPECT_EQ(option.GetStatus(), HotSlotOption::Status_NoPotions);
    EXPECT_EQ(option.GetNumberAvailable(), 0);
    PickUp(*hero, kHeal20, 1);
    PickUp(*hero, kHeal20, 2);
    EXPECT_EQ(option.GetStatus(), HotSlotOption::Status_Ready);
    EXPECT_EQ(option.GetCooldownCompletion(), 0.0f);
    hero->GetCharacterBio().SubtractLife(50.0f);
    bool targeting = true;
    bool activated = false;
    option.Activate(targeting, activated);
    EXPECT_TRUE(activated);
    EXPECT_FALSE(targeting);
    Bag(*hero).Update(500);
    EXPECT_EQ(option.GetStatus(), HotSlotOption::Status_CoolingDown);
    EXPECT_FLOAT_EQ(option.GetCooldownCompletion(), 0.5f);
    EXPECT_EQ(option.GetNumberAvailable(), 1);

    HotSlotOptionPotion none(HotSlotOptionPotion::Potion_None);
    none.SetPlayer(hero);
    EXPECT_EQ(none.GetCooldownCompletion(), 1.0f);
}

TEST(PotionStackCount, AddsUpToTheLimitAndShowsTheWholeStack)
{
    OneShot_Potion potion;
    potion.SetStackCount(7);
    EXPECT_EQ(potion.AddToStack(5), 10u);
    potion.SetStackCount(8);
    EXPECT_FALSE(potion.IsStackFull());
    potion.SetStackCount(9);
    EXPECT_TRUE(potion.IsStackFull());
    potion.SetStackCount(4);
    std::wstring text;
    potion.GetUIBitmapText(text);
    EXPECT_EQ(text, L"IntFormat 5");
    potion.SetStackCount(0);
    text.clear();
    potion.GetUIBitmapText(text);
    EXPECT_TRUE(text.empty());
}

class PotionLimitTest : public GameEngineFixture {};

TEST_F(PotionLimitTest, ALimitBelowOneCountsAsOneAndAStackCostsEveryPotion)
{
    struct Row {
        const char* setting;
        uint32_t limit;
    };
    const Row rows[] = {
        {"potionStackLimit = 0", 1u}, {"potionStackLimit = 4", 4u}, {"# none", 10u}};
    database.WriteRecord("Records/Items/Priced.dbr",
                         {"Class = OneShot_PotionHealth", "itemCost = 10"});
    Start();
    // The limit is read at every ask: a changed database counts at once.
    for (const Row& row : rows) {
        SCOPED_TRACE(row.setting);
        database.WriteRecord(kSettings, {row.setting});
        Database& records = ObjectManager::Instance().GetDatabase();
        records.SetRoot(std::string(records.GetRoot()));
        EXPECT_EQ(OneShot_Potion::GetStackLimit(), row.limit);
        auto* potion = ObjectManager::Instance().CreateObjectFromFile<OneShot_Potion>(
            "Records/Items/Priced.dbr");
        ASSERT_NE(potion, nullptr);
        EXPECT_EQ(potion->IsStackFull(), row.limit == 1);
        potion->SetStackCount(4);
        EXPECT_EQ(potion->GetItemCost(true), 50u);
        EXPECT_EQ(potion->GetItemCost(false), 10u);
    }
}

} // namespace
} // namespace GAME::Test
