#include "items/PlayerInventoryCtrl.h"

#include "ai/ControllerPlayer.h"
#include "engine/GraphicsEngine.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/OneShot_Potion.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TrimBagStream.h"

#include <gtest/gtest.h>

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
        Character* character = Spawn("Records/Creatures/Hero.dbr", {});
        auto* controller = static_cast<ControllerPlayer*>(
            ObjectManager::Instance().CreateObject("ControllerPlayer"));
        controller->AttachParent(character->GetObjectId());
        character->SetControllerId(controller->GetObjectId());
        carriers.push_back(character);
        return controller;
    }

    static ItemReplicaInfo Info(const char* record, uint32_t seed)
    {
        ItemReplicaInfo info;
        info.baseName = record;
        info.seed = seed;
        return info;
    }
    static uint32_t MakeItem(const char* record, uint32_t seed)
    {
        return Item::CreateItem(Info(record, seed))->GetObjectId();
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
    EXPECT_EQ(bag.GetNumberOfSacks(), 1u);
    EXPECT_EQ(bag.GetSelectedSackNumber(), 0u);
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
    const auto& [ringId, ringCell] = *read.GetSack(0)->GetInventory().begin();
    EXPECT_NE(ringId, ring);
    EXPECT_EQ(ringCell.x, 64.0f);
    EXPECT_EQ(ringCell.y, 96.0f);
    EXPECT_TRUE(carriers[1]->GetInventory().IsItemInInventory(ringId));
    // Written again it is the same save: the sack numbers, flags and seeds came back.
    EXPECT_EQ(Written(read), bytes);
}

TEST_F(PlayerInventoryCtrlTest, HiddenPotionsFollowTheirPotionBothWays)
{
    BagStream stream(1);
    stream.Sack(3);
    for (uint32_t i = 0; i < 3; ++i) {
        const int32_t cell = i == 0 ? 4 : -1;
        stream.Entry(Info(kPotion, i), cell, cell);
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

TEST_F(PlayerInventoryCtrlTest, HostileCountsAndOrphansMakeNothing)
{
    BagStream stream(9, 9);
    stream.Sack(70000).EndSack();
    // A hidden potion with no potion before it, then blocks for sacks that cannot exist.
    stream.Sack(1).Entry(Info(kPotion, 0), -1, -1).EndSack();
    for (int i = 0; i < 7; ++i)
        stream.Sack(0).EndSack();

    LogCapture log;
    ControllerPlayer* target = NewCarrier();
    IOStreamRead reader(stream.Bytes());
    PlayerInventoryCtrl& bag = target->GetInventoryCtrl();
    bag.StreamProperties(&reader);
    EXPECT_FALSE(reader.HasFailed());
    EXPECT_EQ(bag.GetNumberOfSacks(), 4u);
    EXPECT_EQ(bag.GetFocusSackNumber(), 3u);
    EXPECT_EQ(log.Count(1, "Inventory sack holds 70000 items, more than 65536; sack skipped"), 1u);
    // The orphaned hidden potion is kept as a potion of its own.
    EXPECT_EQ(carriers[0]->GetInventory().GetInventoryItems().size(), 1u);
    EXPECT_EQ(bag.GetTotalPotions(kPotion), 1u);
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

} // namespace
} // namespace GAME::Test
