#include "items/PlayerInventoryCtrl.h"

#include "ai/ControllerPlayer.h"
#include "core/DialogManager.h"
#include "engine/Database.h"
#include "engine/EventManager.h"
#include "engine/GraphicsEngine.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/CursorHandlerItemMove.h"
#include "items/Inventory.h"
#include "items/InventorySack.h"
#include "items/Item.h"
#include "items/ItemRelic.h"
#include "items/OneShot_Potion.h"
#include "tests/combat/DeathFixture.h"
#include "tests/items/BagFixture.h"
#include "tests/support/BagStream.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/PlayerController.h"
#include "tests/support/Replica.h"
#include "tests/support/WearerFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kRing = "Records/Items/Ring.dbr";
constexpr const char* kPotion = "Records/Items/Heal.dbr";
constexpr const char* kBar = "Records/Items/Bar.dbr";
constexpr const char* kSpeck = "Records/Items/Speck.dbr";
constexpr const char* kBoulder = "Records/Items/Boulder.dbr";
constexpr const char* kChest = "Records/Items/Chest.dbr";

class PlayerInventoryCtrlTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        database.WriteRecord(kRing, {"Class = Item"});
        database.WriteRecord(kPotion, {"Class = OneShot_PotionHealth", "bonusLifePoints = 40",
                                       "bitmap = potion.tex"});
        // Five cells by one; no size at all; far beyond any sack; the whole 12 x 5 main sack.
        Picture(kBar, "bar.tex", 160, 32);
        Picture(kSpeck, "speck.tex", 0, 0);
        Picture(kBoulder, "boulder.tex", 100000, 100000);
        Picture(kChest, "chest.tex", 384, 160);
    }

    void Picture(const char* record, const char* bitmap, int32_t width, int32_t height)
    {
        database.WriteRecord(record,
                             {"Class = WeaponMelee_Sword", std::string("bitmap = ") + bitmap});
        GraphicsEngine::Instance().DescribeTexture(bitmap, width, height);
    }

    static Rect PlaceOf(PlayerInventoryCtrl& bag, int32_t sack, uint32_t id)
    {
        const auto& items = bag.GetSack(sack)->GetInventory();
        const auto found = items.find(id);
        return found == items.end() ? Rect(-9, -9, -9, -9) : found->second;
    }

    // A character driven by a fresh player controller, whose bag the test fills.
    ControllerPlayer* NewCarrier()
    {
        carriers.push_back(Spawn("Records/Creatures/Hero.dbr", {}));
        return AttachPlayerController(*carriers.back());
    }

    static uint32_t MakeItem(const char* record, uint32_t seed)
    {
        return Item::CreateItem(Replica(record, seed))->GetObjectId();
    }

    static std::vector<uint8_t> Written(PlayerInventoryCtrl& bag)
    {
        IOStreamWrite writer;
        bag.StreamProperties(&writer);
        EXPECT_FALSE(writer.HasFailed());
        return writer.GetBytes();
    }

    static uint32_t SeedOf(uint32_t id)
    {
        ItemReplicaInfo info;
        ObjectManager::Instance().GetObject<Item>(id)->GetItemReplicaInfo(info);
        return info.seed;
    }

    std::vector<Character*> carriers;
};

TEST_F(PlayerInventoryCtrlTest, SacksStopAtFourAndNumbersClampToTheLast)
{
    PlayerInventoryCtrl bag;
    ASSERT_TRUE(bag.AddSack());
    EXPECT_EQ(bag.GetSelectedSackNumber(), 1u);
    bag.SetFocusSackNumber(9);
    EXPECT_EQ(bag.GetFocusSackNumber(), 1u);
    EXPECT_EQ(bag.GetSack(-1), bag.GetSack(1));
    bag.RestoreNumberOfSacks(7);
    EXPECT_EQ(bag.GetNumberOfSacks(), 4u);
    EXPECT_FALSE(bag.AddSack());
    EXPECT_EQ(bag.GetSack(4), nullptr);
    EXPECT_EQ(bag.GetSack(-2), nullptr);
}

TEST_F(PlayerInventoryCtrlTest, EmptyBagWritesItsKeysInOrder)
{
    PlayerInventoryCtrl bag;
    std::string text;
    ASSERT_TRUE(IOStreamRead::Describe(Written(bag), text));
    EXPECT_EQ(text, "{\n"
                    "  bool itemPositionsSavedAsGridCoords = true\n"
                    "  uint numberOfSacks = 1\n"
                    "  uint currentlyFocusedSackNumber = 0\n"
                    "  uint currentlySelectedSackNumber = 0\n"
                    "  {\n"
                    "    bool tempBool = false\n"
                    "    uint size = 0\n"
                    "  }\n"
                    "}\n");
}

TEST_F(PlayerInventoryCtrlTest, SavedBagComesBackWithCellsFlagsAndHiddenPotions)
{
    ControllerPlayer* source = NewCarrier();
    PlayerInventoryCtrl& bag = source->GetInventoryCtrl();
    bag.AddSack();
    bag.SetFocusSackNumber(1);
    const uint32_t ring = MakeItem(kRing, 11);
    const uint32_t potion = MakeItem(kPotion, 22);
    bag.GetSack(0)->AddItem(ring, {2, 3});
    bag.GetSack(1)->AddItem(potion, {0, 1});
    bag.GetSack(1)->SetItemAddedWhileNotTheCurrentlySelectedInventoryTab(true);
    const std::vector<uint8_t> bytes = Written(bag);

    ControllerPlayer* target = NewCarrier();
    IOStreamRead reader(bytes);
    target->GetInventoryCtrl().StreamProperties(&reader);
    ASSERT_FALSE(reader.HasFailed());
    PlayerInventoryCtrl& read = target->GetInventoryCtrl();
    ASSERT_EQ(read.GetSack(0)->GetInventory().size(), 1u);
    const uint32_t ringId = read.GetSack(0)->GetInventory().begin()->first;
    EXPECT_NE(ringId, ring);
    EXPECT_TRUE(carriers[1]->GetInventory().IsItemInInventory(ringId));
    // Written again it is the same save: the sack numbers, cells, flags and seeds came back.
    EXPECT_EQ(Written(read), bytes);
}

TEST_F(PlayerInventoryCtrlTest, HiddenPotionsFollowTheirPotionBothWays)
{
    BagStream stream(1);
    stream.Sack(3);
    for (uint32_t i = 0; i < 3; ++i) {
        const int32_t cell = i == 0 ? 4 : -1;
        stream.Entry(Replica(kPotion, i), cell, cell);
    }
    const std::vector<uint8_t> bytes = stream.EndSack().Bytes();

    ControllerPlayer* target = NewCarrier();
    IOStreamRead reader(bytes);
    PlayerInventoryCtrl& bag = target->GetInventoryCtrl();
    bag.StreamProperties(&reader);
    ASSERT_FALSE(reader.HasFailed());
    ASSERT_EQ(bag.GetSack(0)->GetInventory().size(), 1u);
    const uint32_t visible = bag.GetSack(0)->GetInventory().begin()->first;
    EXPECT_EQ(ObjectManager::Instance().GetObject<OneShot_Potion>(visible)->GetNumberInStack(), 2u);
    EXPECT_EQ(carriers[0]->GetInventory().GetInventoryItems().size(), 3u);
    EXPECT_EQ(Written(bag), bytes);
    std::vector<uint32_t> hidden;
    ASSERT_TRUE(bag.RemoveItem(visible, hidden));
    ASSERT_EQ(hidden.size(), 2u);
    EXPECT_EQ(SeedOf(hidden[0]), 1u);
    EXPECT_EQ(SeedOf(hidden[1]), 2u);
}

TEST_F(PlayerInventoryCtrlTest, ASackCountPastItsBoundRefusesTheSave)
{
    // A potion behind the count: skipping the sack would lose it silently.
    BagStream stream(1, 0);
    stream.Sack(4294967295u).Entry(Replica(kPotion, 0), 0, 0).EndSack();
    LogCapture log;
    IOStreamRead reader(stream.Bytes());
    NewCarrier()->GetInventoryCtrl().StreamProperties(&reader);
    EXPECT_TRUE(reader.HasFailed());
    EXPECT_EQ(reader.GetRefusal(), "is damaged: a sack holds 4294967295 items, more than 65536");
    EXPECT_EQ(log.Count(1, "Inventory sack holds 4294967295 items, more than 65536; save refused"),
              1u);
    EXPECT_TRUE(carriers[0]->GetInventory().GetInventoryItems().empty());
}

TEST_F(PlayerInventoryCtrlTest, ItemsWhoseRecordsAreMissingAreNamedAsPassedOverInOrder)
{
    BagStream stream(1, 0);
    stream.Sack(3)
        .Entry(Replica("Records/Items/Gone.dbr", 1), 0, 0)
        .Entry(Replica(kRing, 2), 2, 0)
        .Entry(Replica("Records/Items/Lost.dbr", 3), 4, 0)
        .EndSack();
    ControllerPlayer* target = NewCarrier();
    IOStreamRead reader(stream.Bytes());
    PlayerInventoryCtrl& bag = target->GetInventoryCtrl();
    LogCapture log;
    bag.StreamProperties(&reader);
    ASSERT_FALSE(reader.HasFailed());
    // Told by whoever reads the whole save, once: not here, item by item.
    EXPECT_EQ(log.CountContaining("Gone.dbr") + log.CountContaining("Lost.dbr"), 0u);
    EXPECT_EQ(bag.GetSack(0)->GetInventory().size(), 1u);
    EXPECT_EQ(reader.GetPassedOver(),
              (std::vector<std::string>{"Records/Items/Gone.dbr", "Records/Items/Lost.dbr"}));
}

TEST_F(PlayerInventoryCtrlTest, TruncatedSaveStopsWithoutHalfItems)
{
    ControllerPlayer* source = NewCarrier();
    source->GetInventoryCtrl().GetSack(0)->AddItem(MakeItem(kRing, 5), {1, 1});
    const std::vector<uint8_t> bytes = Written(source->GetInventoryCtrl());
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        ControllerPlayer* target = NewCarrier();
        IOStreamRead reader(std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut));
        target->GetInventoryCtrl().StreamProperties(&reader);
        EXPECT_TRUE(reader.HasFailed()) << cut;
        // The ring is there whole, carried and placed, or not at all.
        const auto& items = target->GetInventoryCtrl().GetSack(0)->GetInventory();
        ASSERT_LE(items.size(), 1u) << cut;
        auto* carrier = ObjectManager::Instance().GetObject<Character>(target->GetParentId());
        ASSERT_NE(carrier, nullptr) << cut;
        EXPECT_EQ(carrier->GetInventory().GetInventoryItems().size(), items.size()) << cut;
        if (!items.empty()) {
            EXPECT_EQ(SeedOf(items.begin()->first), 5u) << cut;
            EXPECT_EQ(items.begin()->second.x, 32.0f) << cut;
        }
    }
}

TEST_F(PlayerInventoryCtrlTest, PickedUpItemsTakeTheFirstFreePlaceRowByRow)
{
    PlayerInventoryCtrl& bag = NewCarrier()->GetInventoryCtrl();
    const uint32_t first = MakeItem(kBar, 1), second = MakeItem(kBar, 2), third = MakeItem(kBar, 3);
    const uint32_t speck = MakeItem(kSpeck, 4);
    for (uint32_t id : {first, second, third, speck})
        EXPECT_TRUE(bag.AddItem(id, true));
    const Rect a = PlaceOf(bag, 0, first), b = PlaceOf(bag, 0, second);
    const Rect c = PlaceOf(bag, 0, third), d = PlaceOf(bag, 0, speck);
    EXPECT_EQ(std::vector<float>({a.x, a.y, a.width, a.height}),
              std::vector<float>({0, 0, 160, 32}));
    EXPECT_EQ(std::vector<float>({b.x, b.y}), std::vector<float>({160, 0}));
    // 320 + 160 passes the 384-pixel row, so the third starts the next row.
    EXPECT_EQ(std::vector<float>({c.x, c.y}), std::vector<float>({0, 32}));
    // A bitmap of no size still takes one whole cell, the first left free.
    EXPECT_EQ(std::vector<float>({d.x, d.y, d.width, d.height}),
              std::vector<float>({320, 0, 32, 32}));
}

TEST_F(PlayerInventoryCtrlTest, AFullMainSackSpillsOnlyWhenAnySackMay)
{
    PlayerInventoryCtrl& bag = NewCarrier()->GetInventoryCtrl();
    ASSERT_TRUE(bag.AddItem(MakeItem(kChest, 1), true));
    const uint32_t bar = MakeItem(kBar, 2);
    EXPECT_FALSE(bag.AddItem(bar, true)) << "one sack only";
    EXPECT_FALSE(bag.IsSpaceAvailable(ObjectManager::Instance().GetObject<Item>(bar)));

    bag.RestoreNumberOfSacks(3); // sack 1 becomes the selected one
    EXPECT_FALSE(bag.AddItem(bar, false));
    const uint32_t chest = MakeItem(kChest, 3);
    ASSERT_TRUE(bag.AddItem(chest, true));
    EXPECT_EQ(PlaceOf(bag, 1, chest).x, 0.0f);
    EXPECT_FALSE(bag.GetSack(1)->IsItemAddedWhileNotTheCurrentlySelectedInventoryTab());
    // The main and the selected sack are full: the next sack takes it and is marked.
    ASSERT_TRUE(bag.AddItem(bar, true));
    EXPECT_EQ(PlaceOf(bag, 2, bar).y, 0.0f);
    EXPECT_TRUE(bag.GetSack(2)->IsItemAddedWhileNotTheCurrentlySelectedInventoryTab());
}

TEST_F(PlayerInventoryCtrlTest, ItemsWithoutRoomOrPictureAreRefusedWithoutHarm)
{
    PlayerInventoryCtrl& bag = NewCarrier()->GetInventoryCtrl();
    EXPECT_FALSE(bag.AddItem(MakeItem(kBoulder, 1), true));
    EXPECT_FALSE(bag.AddItem(MakeItem(kRing, 2), true));
    EXPECT_EQ(log.Count(1, "Item Records/Items/Ring.dbr has no inventory bitmap; not taken"), 1u);
    EXPECT_FALSE(bag.AddItem(0, true));
    EXPECT_TRUE(bag.GetSack(0)->GetInventory().empty());

    InventorySack sack;
    sack.SetDims(1 << 30, -5);
    EXPECT_EQ(sack.GetWidth(), InventorySack::kMaxCells);
    EXPECT_EQ(sack.GetHeight(), 0u);
    EXPECT_FALSE(
        sack.IsSpaceForItem(ObjectManager::Instance().GetObject<Item>(MakeItem(kSpeck, 3))));
}

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
    PickUp(*hero, kHeal20, 10);
    EXPECT_EQ(cells.size(), 2u);
    EXPECT_EQ(bag.GetTotalPotions(PlayerInventoryCtrl::kHealth), 11u);
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
    // The fifth finds no room for a sack: it leaves the inventory.
    const uint32_t fifth = PickUp(*hero, kSack, 5);
    EXPECT_EQ(bag.GetNumberOfSacks(), 4u);
    EXPECT_FALSE(hero->GetInventory().IsItemInInventory(fifth));
    PickUp(*hero, kGold, 6);
    PickUp(*hero, kReward, 7);
    for (int32_t sack = 0; sack < 4; ++sack)
        EXPECT_TRUE(bag.GetInventoryInSack(sack).empty()) << sack;
}

// A hidden potion with no potion before it, rings in sacks up to the sixth (the last of a record
// that names nothing), then empty blocks for sacks that cannot exist.
TEST_F(PotionBagTest, OrphanedPotionsAndItemsOfSacksPastTheBagStillComeBack)
{
    BagStream stream(9, 9);
    stream.Sack(1).Entry(Replica(kHeal20, 9), -1, -1).EndSack();
    for (uint32_t i = 1; i < 6; ++i) {
        const ItemReplicaInfo info = Replica(i == 5 ? "Records/Items/Nothing.dbr" : kRing, i);
        stream.Sack(1).Entry(info, static_cast<int32_t>(i), 0).EndSack();
    }
    for (int i = 0; i < 3; ++i)
        stream.Sack(0).EndSack();

    Player* hero = NewHero();
    IOStreamRead read(stream.Bytes());
    Bag(*hero).StreamProperties(&read);
    EXPECT_FALSE(read.HasFailed());
    EXPECT_EQ(Bag(*hero).GetNumberOfSacks(), 4u);
    EXPECT_EQ(Bag(*hero).GetFocusSackNumber(), 3u);
    // The orphan is kept as a potion of its own; four rings come back.
    EXPECT_EQ(Bag(*hero).GetTotalPotions(kHeal20), 1u);
    EXPECT_EQ(hero->GetInventory().GetInventoryItems().size(), 5u);
    size_t placed = 0;
    for (int32_t sack = 0; sack < 4; ++sack)
        placed += Bag(*hero).GetInventoryInSack(sack).size();
    EXPECT_EQ(placed, 5u);
}

TEST_F(PotionBagTest, ATradedSackWaitsForAMainPlayerThenGivesHimCopiesAndLetsTheOffersGo)
{
    Player* hero = NewHero();
    InventorySack offer;
    Item* ring = Item::CreateItem(Replica(kRing, 31));
    ASSERT_TRUE(offer.AddItem(ring, true));
    const uint32_t offered = ring->GetObjectId();
    offer.DeleteAndCreateAllItemsFor(nullptr);
    EXPECT_EQ(offer.GetInventory().size(), 1u);
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(offered), ring);

    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
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

TEST(PotionStackCount, AddsUpToTheLimitAndIsFullAtNine)
{
    OneShot_Potion potion;
    potion.SetStackCount(7);
    EXPECT_EQ(potion.AddToStack(5), 10u);
    potion.SetStackCount(8);
    EXPECT_FALSE(potion.IsStackFull());
    potion.SetStackCount(9);
    EXPECT_TRUE(potion.IsStackFull());
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

constexpr const char* kSword = "Records/Items/Sword.dbr";

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
        controller = NewWearer();
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
