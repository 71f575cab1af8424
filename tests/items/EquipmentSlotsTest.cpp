#include "items/EquipmentCtrl.h"

#include "characters/CharacterBio.h"
#include "items/EquipManager.h"
#include "items/ItemEquipment.h"
#include "items/Weapon.h"
#include "tests/support/TrimMust.h"
#include "tests/support/WearerFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class EquipmentSlotsTest : public WearerFixture {};

TEST_F(EquipmentSlotsTest, EachHandTypeAllowsItsOwnMaskOfPartners)
{
    struct Row {
        const char* record;
        bool right;
        int32_t handType;
        int32_t mask;
    };
    const Row rows[] = {{kSword, false, 1, 2},  {kSword, true, 2, 33}, {kBow, false, 4, 0},
                        {kStaff, false, 16, 0}, {kSpear, true, 8, 32}, {kShield, false, 32, 10}};
    EquipmentCtrlWeaponSet empty(false);
    EXPECT_EQ(empty.GetLeft().allowedOtherMask, -1) << "an empty hand allows anything";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.record + std::string(row.right ? " right" : " left"));
        for (bool dual : {false, true}) {
            EquipmentCtrlWeaponSet set(false);
            set.SetAllowDualWeapons(dual);
            const uint32_t id = Make(row.record);
            // Without dual weapons every type of 62 goes in, but an off-hand melee weapon.
            const bool allowed = dual || (row.handType & 62) != 0;
            EXPECT_EQ(row.right ? set.CanItemBePlaced_HandRight(id, true)
                                : set.CanItemBePlaced_HandLeft(id, true),
                      allowed);
            uint32_t placed = id;
            row.right ? set.PlaceItem_HandRight(placed, true)
                      : set.PlaceItem_HandLeft(placed, true);
            const auto& entry = row.right ? set.GetRight() : set.GetLeft();
            EXPECT_EQ(entry.handType, row.handType);
            EXPECT_EQ(entry.allowedOtherMask, row.mask);
        }
    }
}

TEST_F(EquipmentSlotsTest, ABowDisplacesOneHeldItemButNeverTwo)
{
    EquipmentCtrl equipment;
    bool reserved = false;
    uint32_t sword = Make(kSword), shield = Make(kShield);
    const uint32_t swordId = sword, bow = Make(kBow);
    equipment.PlaceItem_HandRight(sword, false, true);
    equipment.PlaceItem_HandLeft(shield, false, true);
    EXPECT_FALSE(equipment.CanItemBePlaced_HandLeft(bow, reserved, false, false));

    uint32_t back = 0;
    equipment.PlaceItem_HandLeft(back, false, true);
    ASSERT_NE(back, 0u) << "the shield came out";
    ASSERT_TRUE(equipment.CanItemBePlaced(EquipmentCtrlLocation_HandLeft, bow, reserved));
    uint32_t carried = bow;
    equipment.PlaceItem(EquipmentCtrlLocation_HandLeft, carried);
    EXPECT_EQ(carried, swordId);
    EXPECT_EQ(equipment.GetItem_HandRight(), bow);
    EXPECT_EQ(equipment.GetItem_HandLeft(), bow);
}

TEST_F(EquipmentSlotsTest, AWeakenedWearerShedsTheHelmetAtTheNextSiftButKeepsItInItsSlot)
{
    ControllerPlayer* controller = NewWearer();
    EquipmentCtrl& equipment = controller->GetEquipmentCtrl();
    uint32_t helmet = Make(kHelmet);
    const uint32_t helmetId = helmet;
    ASSERT_TRUE(equipment.CanItemBePlaced_Head(helmet, true));
    equipment.PlaceItem_Head(helmet, true);
    controller->Update(0);
    ASSERT_TRUE(equipment.IsItemAttached(helmetId));

    wearer->GetCharacterBio().IncrementBaseAttribute(CharAttribute_Strength, -20.0f);
    wearer->GetCharacterBio().Update(*wearer, 0);
    EXPECT_FALSE(equipment.CanItemBePlaced_Head(helmetId, false));
    controller->Update(100);
    EXPECT_TRUE(equipment.IsItemAttached(helmetId)) << "sifted only every 250 ms";
    controller->Update(150);
    EXPECT_FALSE(equipment.IsItemAttached(helmetId));
    EXPECT_FALSE(wearer->GetCombatManager().GetEquipManager().HasItem(helmetId));
    EXPECT_EQ(equipment.GetItem_Head(), helmetId);

    equipment.SetIgnoreRequirements(true);
    EXPECT_TRUE(equipment.IsItemAttached(helmetId));
    EXPECT_TRUE(equipment.RemoveItem(helmetId));
    EXPECT_EQ(equipment.GetItem_Head(), 0u);
    EXPECT_FALSE(equipment.RemoveItem(helmetId));
}

TEST_F(EquipmentSlotsTest, SwitchingSetsSwapsTheWeaponsWornAndOpensTheAlternateConfig)
{
    ControllerPlayer* controller = NewWearer();
    EquipmentCtrl& equipment = controller->GetEquipmentCtrl();
    const EquipManager& shown = wearer->GetCombatManager().GetEquipManager();
    uint32_t sword = Make(kSword), bow = Make(kBow);
    const uint32_t swordId = sword, bowId = bow;
    equipment.PlaceItem_HandRight(sword, false, true);
    EXPECT_FALSE(wearer->IsAlternateConfigEnabled());
    equipment.PlaceItem_HandLeft(bow, true, true);
    EXPECT_TRUE(wearer->IsAlternateConfigEnabled());
    EXPECT_FALSE(equipment.IsItemAttached(bowId)) << "the set not in use attaches nothing";
    EXPECT_TRUE(shown.HasItem(swordId));

    equipment.SetAlternateEquipment(true);
    EXPECT_FALSE(shown.HasItem(swordId));
    EXPECT_TRUE(shown.HasItem(bowId));
    EXPECT_EQ(equipment.GetItem_HandRight(), bowId);
    EXPECT_EQ(shown.GetHandState(), EquipManager_HandState_Bow);
}

TEST_F(EquipmentSlotsTest, AHelmetHidesTheDefaultHeadPieceUntilItComesOff)
{
    ControllerPlayer* controller = NewWearer();
    EquipmentCtrl& equipment = controller->GetEquipmentCtrl();
    const EquipManager& shown = wearer->GetCombatManager().GetEquipManager();
    auto* hood = Must(ObjectManager::Instance().GetObject<Item>(shown.GetDefaultHeadPiece()));
    EXPECT_TRUE(hood->GetVisibility());
    EXPECT_EQ(hood->GetAttachPointName(), "Head");

    uint32_t helmet = Make(kHelmet);
    const uint32_t helmetId = helmet;
    equipment.PlaceItem(EquipmentCtrlLocation_Head, helmet);
    EXPECT_FALSE(hood->GetVisibility());
    EXPECT_TRUE(equipment.RemoveItem(helmetId));
    EXPECT_TRUE(hood->GetVisibility());
}

TEST_F(EquipmentSlotsTest, TheEnchantmentReachesEveryWeaponWornAndLeavesOneTakenOff)
{
    database.WriteRecord("Records/Items/Frost.dbr", {"useWeaponTint = 1", "weaponTintRed = 0"});
    ControllerPlayer* controller = NewWearer();
    EquipmentCtrl& equipment = controller->GetEquipmentCtrl();
    EquipManager& shown = wearer->GetCombatManager().GetEquipManager();
    uint32_t sword = Make(kSword), shield = Make(kShield);
    const uint32_t swordId = sword, shieldId = shield;
    equipment.PlaceItem_HandRight(sword, false, true);
    auto weapon = [](uint32_t id) { return ObjectManager::Instance().GetObject<Weapon>(id); };
    shown.SetWeaponEnchantment("Records/Items/Frost.dbr");
    EXPECT_NE(weapon(swordId)->GetWeaponEnchantment(), nullptr);
    equipment.PlaceItem_HandLeft(shield, false, true);
    EXPECT_EQ(shown.GetLeftHandShield(), shieldId);
    EXPECT_EQ(shown.GetArmorId(), 0u) << "a shield is a weapon, not armour";
    EXPECT_TRUE(equipment.RemoveItem(swordId));
    EXPECT_EQ(weapon(swordId)->GetWeaponEnchantment(), nullptr);
}

TEST_F(EquipmentSlotsTest, ARelicUsedUpLeavesItsCarrierAndOneWithShardsLeftStays)
{
    database.WriteRecord("Records/Items/Tooth.dbr",
                         {"Class = ItemRelic", "completedRelicLevel = 3", "sword = 1"});
    NewWearer();
    auto give = [this](const char* record, uint32_t shards) {
        ItemReplicaInfo info;
        info.baseName = record;
        info.var1 = shards;
        Item* item = Item::CreateItem(info);
        wearer->GetInventory().AddItemToInventory(item->GetObjectId(), false);
        return item->GetObjectId();
    };
    const uint32_t target = give("Records/Items/Tooth.dbr", 1);
    const uint32_t big = give("Records/Items/Tooth.dbr", 4);
    wearer->UseRelic(big, target);
    EXPECT_TRUE(wearer->HasItem(big)) << "two shards did not fit";
    const uint32_t sword = give(kSword, 0);
    const uint32_t small = give("Records/Items/Tooth.dbr", 1);
    wearer->UseRelic(small, sword);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_FALSE(wearer->HasItem(small));
    EXPECT_EQ(ObjectManager::Instance().GetObject(small), nullptr);
    EXPECT_TRUE(ObjectManager::Instance().GetObject<ItemEquipment>(sword)->HasRelic());
}

} // namespace
} // namespace GAME::Test
