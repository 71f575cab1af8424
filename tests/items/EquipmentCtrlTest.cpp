#include "items/EquipmentCtrl.h"

#include "ai/ControllerPlayer.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "items/EquipManager.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kHelm = "Records/Items/Helm.dbr";
constexpr const char* kBow = "Records/Items/Bow.dbr";
constexpr const char* kSword = "Records/Items/Sword.dbr";

class EquipmentCtrlTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        database.WriteRecord(kHelm, {"Class = Item"});
        database.WriteRecord(kBow, {"Class = WeaponHunting_Bow"});
        database.WriteRecord(kSword, {"Class = WeaponMelee_Sword"});
    }

    ControllerPlayer* NewWearer()
    {
        Character* character = Spawn("Records/Creatures/Hero.dbr", {});
        auto* controller = static_cast<ControllerPlayer*>(
            ObjectManager::Instance().CreateObject("ControllerPlayer"));
        controller->AttachParent(character->GetObjectId());
        character->SetControllerId(controller->GetObjectId());
        wearers.push_back(character);
        return controller;
    }

    static void Slot(IOStreamWrite& writer, const char* record, bool attached, uint32_t seed = 0)
    {
        ItemReplicaInfo info;
        info.baseName = record;
        info.seed = seed;
        info.StreamProperties(&writer, attached);
    }

    // A save with a helmet worn, a bow held in the primary left hand and a sword kept unattached
    // in the alternate right hand.
    static std::vector<uint8_t> Save()
    {
        IOStreamWrite writer;
        bool no = false, yes = true;
        writer.BeginBlock();
        writer.StreamBool("useAlternate", no);
        Slot(writer, kHelm, true, 7);
        for (int i = 0; i < 6; ++i)
            Slot(writer, "", false);
        writer.BeginBlock();
        writer.StreamBool("alternate", no);
        Slot(writer, "", false);
        Slot(writer, kBow, true, 8);
        writer.EndBlock();
        writer.BeginBlock();
        writer.StreamBool("alternate", yes);
        Slot(writer, kSword, false, 9);
        Slot(writer, "", false);
        writer.EndBlock();
        writer.EndBlock();
        return writer.GetBytes();
    }

    static uint32_t AttachedAt(const Character& character, EquipLocations location)
    {
        for (const EquipManagerContainer& container : character.GetAttachedItems()) {
            if (container.location == location)
                return container.itemId;
        }
        return 0;
    }

    std::vector<Character*> wearers;
};

TEST_F(EquipmentCtrlTest, EmptyEquipmentWritesElevenEmptyRecordsInOrder)
{
    EquipmentCtrl equipment;
    IOStreamWrite writer;
    equipment.StreamProperties(&writer);
    std::string text;
    ASSERT_TRUE(IOStreamRead::Describe(writer.GetBytes(), text));

    auto record = [](const std::string& indent) {
        std::string lines = indent + "{\n";
        for (const char* key : {"baseName", "prefixName", "suffixName", "relicName", "relicBonus"})
            lines += indent + "  string " + key + " = \"\"\n";
        lines += indent + "  uint seed = 0\n" + indent + "  uint var1 = 0\n" + indent + "}\n";
        return lines + indent + "bool itemAttached = false\n";
    };
    std::string expected = "{\n  bool useAlternate = false\n";
    for (int i = 0; i < 7; ++i)
        expected += record("  ");
    for (const char* flag : {"false", "true"})
        expected += std::string("  {\n    bool alternate = ") + flag + "\n" + record("    ") +
                    record("    ") + "  }\n";
    EXPECT_EQ(text, expected + "}\n");
}

TEST_F(EquipmentCtrlTest, SavedEquipmentIsRemadeAttachedAndWrittenBackAlike)
{
    const std::vector<uint8_t> bytes = Save();
    ControllerPlayer* wearer = NewWearer();
    Character& character = *wearers[0];
    IOStreamRead reader(bytes);
    EquipmentCtrl& equipment = wearer->GetEquipmentCtrl();
    equipment.StreamProperties(&reader);
    ASSERT_FALSE(reader.HasFailed());

    const EquipmentCtrl::EquipmentInfo& head = equipment.GetBodyEntry(EquipmentCtrlLocation_Head);
    ASSERT_NE(head.itemId, 0u);
    EXPECT_EQ(AttachedAt(character, EquipLocations_Head), head.itemId);

    const auto& bow = equipment.GetPrimarySet().GetLeft();
    EXPECT_EQ(AttachedAt(character, EquipLocations_LeftHand), bow.itemId);
    const auto& sword = equipment.GetAlternateSet().GetRight();
    EXPECT_FALSE(sword.attached);
    EXPECT_EQ(character.GetAttachedItems().size(), 2u);
    // Attached items hang on the character; only the sword is still carried.
    EXPECT_EQ(character.GetInventory().GetInventoryItems(), std::vector<uint32_t>{sword.itemId});

    IOStreamWrite writer;
    equipment.StreamProperties(&writer);
    EXPECT_EQ(writer.GetBytes(), bytes);
}

TEST_F(EquipmentCtrlTest, TruncatedSaveNeverEndsInAHalfMadeSlot)
{
    const std::vector<uint8_t> bytes = Save();
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        ControllerPlayer* wearer = NewWearer();
        IOStreamRead reader(std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut));
        wearer->GetEquipmentCtrl().StreamProperties(&reader);
        EXPECT_TRUE(reader.HasFailed()) << cut;
        // Every item made sits in a slot: nothing half-read is left in the inventory.
        const EquipmentCtrl& equipment = wearer->GetEquipmentCtrl();
        size_t held = (equipment.GetBodyEntry(EquipmentCtrlLocation_Head).itemId != 0) +
                      (equipment.GetPrimarySet().GetLeft().itemId != 0) +
                      (equipment.GetAlternateSet().GetRight().itemId != 0);
        EXPECT_EQ(wearers.back()->GetInventory().GetInventoryItems().size() +
                      wearers.back()->GetAttachedItems().size(),
                  held)
            << cut;
    }
}

TEST_F(EquipmentCtrlTest, APickedUpWeaponTakesAFreeHandOfTheSetInUse)
{
    ControllerPlayer* wearer = NewWearer();
    EquipmentCtrl& equipment = wearer->GetEquipmentCtrl();
    auto make = [](const char* record) {
        ItemReplicaInfo info;
        info.baseName = record;
        return Item::CreateItem(info)->GetObjectId();
    };
    const uint32_t sword = make(kSword), second = make(kSword), bow = make(kBow);

    EXPECT_FALSE(equipment.AutoInsertItem(0));
    EXPECT_FALSE(equipment.AutoInsertItem(make(kHelm))) << "no slot takes a plain item";
    ASSERT_TRUE(equipment.AutoInsertItem(sword));
    EXPECT_EQ(equipment.GetPrimarySet().GetRight().itemId, sword);
    // Without dual weapons a sword never goes left, and a bow needs both hands free.
    EXPECT_FALSE(equipment.AutoInsertItem(second));
    EXPECT_FALSE(equipment.AutoInsertItem(bow));

    equipment.SetAlternateEquipment(true);
    ASSERT_TRUE(equipment.AutoInsertItem(bow));
    const EquipmentCtrlWeaponSet& in = equipment.GetAlternateSet();
    EXPECT_EQ(in.GetLeft().itemId, bow);
    EXPECT_EQ(in.GetItem_HandRight(), bow) << "a two-hander fills both hands";
    EXPECT_FALSE(equipment.AutoInsertItem(second));
    EXPECT_EQ(equipment.GetPrimarySet().GetRight().itemId, sword);
}

TEST_F(EquipmentCtrlTest, PlacingATwoHanderGivesBackTheOneItemItDisplaces)
{
    EquipmentCtrlWeaponSet set(false);
    ItemReplicaInfo info;
    info.baseName = kSword;
    uint32_t sword = Item::CreateItem(info)->GetObjectId();
    info.baseName = kBow;
    const uint32_t bowId = Item::CreateItem(info)->GetObjectId();
    const uint32_t swordId = sword;
    set.PlaceItem_HandRight(sword, true);
    EXPECT_EQ(sword, 0u);
    EXPECT_TRUE(set.CanItemBePlaced_HandLeft(bowId, false));
    uint32_t bow = bowId;
    set.PlaceItem_HandLeft(bow, true);
    EXPECT_EQ(bow, swordId);
    EXPECT_EQ(set.GetItem_HandRight(), bowId);
    EXPECT_EQ(set.GetRight().itemId, 0u);
}

} // namespace
} // namespace GAME::Test
