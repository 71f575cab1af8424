#include "items/EquipmentCtrl.h"

#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "core/GameEvents.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "items/EquipManager.h"
#include "items/Item.h"
#include "items/ItemEquipment.h"
#include "items/ItemReplicaInfo.h"
#include "items/Weapon.h"
#include "items/WeaponMelee_Sword.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/EventLines.h"
#include "tests/support/PlayerController.h"
#include "tests/support/Records.h"
#include "tests/support/Replica.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/WearerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

// Plain characters as wearers, as many as a test needs; the hood is the plain head piece.
class EquipmentCtrlTest : public WearerFixture {
protected:
    ControllerPlayer* NewPlainWearer()
    {
        wearers.push_back(Spawn("Records/Creatures/Hero.dbr", {}));
        return AttachPlayerController(*wearers.back());
    }

    static void Slot(IOStreamWrite& writer, const char* record, bool attached, uint32_t seed = 0)
    {
        Replica(record, seed).StreamProperties(&writer, attached);
    }

    // A save with a helmet worn, a bow held in the primary left hand and a sword kept unattached
    // in the alternate right hand.
    static std::vector<uint8_t> Save(const char* kSword = EquipmentCtrlTest::kSword)
    {
        IOStreamWrite writer;
        bool no = false, yes = true;
        writer.BeginBlock();
        writer.StreamBool("useAlternate", no);
        Slot(writer, kHood, true, 7);
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
    ControllerPlayer* wearer = NewPlainWearer();
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

TEST_F(EquipmentCtrlTest, AnItemWhoseRecordIsMissingIsNamedAsPassedOver)
{
    const char* gone = "Records/Items/Gone.dbr";
    ControllerPlayer* wearer = NewPlainWearer();
    IOStreamRead reader(Save(gone));
    EquipmentCtrl& equipment = wearer->GetEquipmentCtrl();
    equipment.StreamProperties(&reader);
    // The bytes were sound: the other slots came back; the reader names what did not.
    ASSERT_FALSE(reader.HasFailed());
    EXPECT_NE(equipment.GetPrimarySet().GetLeft().itemId, 0u);
    EXPECT_EQ(equipment.GetAlternateSet().GetRight().itemId, 0u);
    EXPECT_EQ(reader.GetPassedOver(), std::vector<std::string>{gone});
}

TEST_F(EquipmentCtrlTest, TruncatedSaveNeverEndsInAHalfMadeSlot)
{
    const std::vector<uint8_t> bytes = Save();
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        ControllerPlayer* wearer = NewPlainWearer();
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
    ControllerPlayer* wearer = NewPlainWearer();
    EquipmentCtrl& equipment = wearer->GetEquipmentCtrl();
    const uint32_t sword = Make(kSword), second = Make(kSword), bow = Make(kBow);

    EXPECT_FALSE(equipment.AutoInsertItem(0));
    EXPECT_FALSE(equipment.AutoInsertItem(Make(kHood))) << "no slot takes a plain item";
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

class EquipmentSlotsTest : public WearerFixture {};

TEST_F(EquipmentSlotsTest, EachHandTypeAllowsItsOwnMaskOfPartners)
{
    struct Row {
        const char* record;
        bool right;
        int32_t handType, mask;
    };
    const Row rows[] = {{kSword, false, 1, 2},  {kSword, true, 2, 33}, {kBow, false, 4, 0},
                        {kStaff, false, 16, 0}, {kSpear, true, 8, 32}, {kShield, false, 32, 10}};
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
    EXPECT_EQ(equipment.GetPrimarySet().GetRight().itemId, 0u) << "the left hand alone holds it";
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
    equipment.PlaceItem_HandLeft(bow, true, true);
    EXPECT_TRUE(wearer->IsAlternateConfigEnabled());
    EXPECT_FALSE(equipment.IsItemAttached(bowId)) << "the set not in use attaches nothing";

    equipment.SetAlternateEquipment(true);
    EXPECT_FALSE(shown.HasItem(swordId));
    EXPECT_EQ(shown.GetHandState(), EquipManager_HandState_Bow);
}

TEST_F(EquipmentSlotsTest, TheEnchantmentReachesEveryWeaponWornAndLeavesOneTakenOff)
{
    database.WriteRecord("Records/Items/Frost.dbr", {"useWeaponTint = 1", "weaponTintRed = 0"});
    ControllerPlayer* controller = NewWearer();
    EquipmentCtrl& equipment = controller->GetEquipmentCtrl();
    EquipManager& shown = wearer->GetCombatManager().GetEquipManager();
    uint32_t sword = Make(kSword), shield = Make(kShield);
    const uint32_t swordId = sword;
    equipment.PlaceItem_HandRight(sword, false, true);
    auto weapon = [](uint32_t id) { return ObjectManager::Instance().GetObject<Weapon>(id); };
    shown.SetWeaponEnchantment("Records/Items/Frost.dbr");
    EXPECT_NE(weapon(swordId)->GetWeaponEnchantment(), nullptr);
    equipment.PlaceItem_HandLeft(shield, false, true);
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
        Item* item = Item::CreateItem(Replica(record, 0, shards));
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
    EXPECT_EQ(ObjectManager::Instance().GetObject(small), nullptr);
    EXPECT_TRUE(ObjectManager::Instance().GetObject<ItemEquipment>(sword)->HasRelic());
}

struct RolledSword : WeaponMelee_Sword {
    void Roll(RandomUniform& random, const LoadTable& base, const LoadTable& prefix)
    {
        LendGenerator(&random);
        RollStores(base, &prefix, nullptr);
        LendGenerator(nullptr);
    }
};

using EquipmentRollOrderTest = EngineFixture;

// A tenth of each affix value, truncated, is the range of its draw and names its store.
TEST_F(EquipmentRollOrderTest, AScriptedGeneratorSeesTheFiveStoresInTheirOrder)
{
    ScriptedRandom random;
    RolledSword().Roll(random, Record("Class = WeaponMelee_Sword\n"),
                       Record("lootRandomizerJitter = 10\ndefensivePhysical = 505\n"
                              "retaliationPhysicalMin = 405\noffensiveColdMin = 305\n"
                              "skillCooldownReduction = 205\ncharacterStrength = 105\n"));
    std::vector<int> stores;
    for (const auto& call : random.intCalls)
        if (stores.empty() || stores.back() != call.second)
            stores.push_back(call.second);
    EXPECT_EQ(stores, (std::vector<int>{10, 20, 30, 40, 50}));
}

// Remembers every hand state it was switched to.
class AnimatedCharacter : public Character {
public:
    void SetAnimation(EquipManager_HandState handState) override
    {
        handStates.push_back(handState);
    }
    std::vector<EquipManager_HandState> handStates;
};

// Hears both item events, in order, as "attach owner item".
class ItemEventListener : public EventLines {
public:
    ItemEventListener()
    {
        Hear("GameEvent_ItemAttach", "attach", &GameEvent_ItemAttach::ownerId,
             &GameEvent_ItemAttach::itemId);
        Hear("GameEvent_ItemDetach", "detach", &GameEvent_ItemDetach::ownerId,
             &GameEvent_ItemDetach::itemId);
    }
};

class EquipManagerTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        owner = new AnimatedCharacter;
        ASSERT_TRUE(ObjectManager::Instance().RegisterObject(owner));
        equipment.AttachParent(owner);
    }

    uint32_t Make(const char* className)
    {
        Object* object = ObjectManager::Instance().CreateObject(className);
        EXPECT_NE(object, nullptr) << className;
        return object != nullptr ? object->GetObjectId() : 0;
    }

    static Item* ItemOf(uint32_t id) { return ObjectManager::Instance().GetObject<Item>(id); }
    std::string PointOf(uint32_t id) const
    {
        const Item* item = ItemOf(id);
        return item != nullptr && item->GetAttachParent() == owner ? item->GetAttachPointName()
                                                                   : "<detached>";
    }

    AnimatedCharacter* owner = nullptr;
    EquipManager equipment;
};

TEST_F(EquipManagerTest, HandStateFollowsWhatEachHandHolds)
{
    using Holding = std::vector<std::pair<const char*, EquipLocations>>;
    constexpr EquipLocations R = EquipLocations_RightHand, L = EquipLocations_LeftHand;
    constexpr EquipManager_HandState none = EquipManager_HandState_Unarmed,
                                     one = EquipManager_HandState_SingleHanded;
    const struct {
        const char* what;
        Holding holding;
        EquipManager_HandState state;
    } cases[] = {
        {"nothing", {}, none},
        {"sword", {{"WeaponMelee_Sword", R}}, one},
        {"two one-handers",
         {{"WeaponMelee_Sword", R}, {"WeaponMelee_Axe", L}},
         EquipManager_HandState_DualWielded},
        {"bow", {{"WeaponHunting_Bow", L}}, EquipManager_HandState_Bow},
        {"spear", {{"WeaponHunting_Spear", R}}, EquipManager_HandState_Spear},
        {"staff", {{"WeaponMagical_Staff", L}}, EquipManager_HandState_Staff},
        {"shield alone", {{"WeaponArmor_Shield", L}}, none},
        {"an item that is no weapon", {{"Item", R}}, none},
        // Shown in the right hand, it animates as one weapon there.
        {"axe alone in the left hand", {{"WeaponMelee_Axe", L}}, one},
    };
    for (const auto& entry : cases) {
        EquipManager hands;
        hands.AttachParent(owner);
        owner->handStates.clear();
        for (const auto& [className, location] : entry.holding)
            hands.AttachItemAction(Make(className), location);
        EXPECT_EQ(hands.GetHandState(), entry.state) << entry.what;
        if (!entry.holding.empty()) {
            ASSERT_FALSE(owner->handStates.empty()) << entry.what;
            EXPECT_EQ(owner->handStates.back(), entry.state) << entry.what;
        }
    }
}

TEST_F(EquipManagerTest, AttachingTwiceIsRefusedAndLogged)
{
    ItemEventListener listener;
    const uint32_t sword = Make("WeaponMelee_Sword");
    equipment.AttachItemAction(sword, EquipLocations_RightHand);
    equipment.AttachItemAction(sword, EquipLocations_LeftHand);

    EXPECT_EQ(log.Count(2, "EquipManager: Attempt to attach item twice (ID:" +
                               std::to_string(sword) + ")"),
              1u);
    ASSERT_EQ(equipment.GetAttachedItems().size(), 1u);
    EXPECT_EQ(PointOf(sword), "R Hand");
    EXPECT_EQ(listener.lines.size(), 1u);
}

TEST_F(EquipManagerTest, ALoneLeftHandWeaponShowsInTheRightHandUntilTheRightIsTaken)
{
    const uint32_t sword = Make("WeaponMelee_Sword");
    equipment.AttachItemAction(sword, EquipLocations_LeftHand);
    EXPECT_EQ(PointOf(sword), "R Hand");
    EXPECT_EQ(equipment.GetRightHandWeapon(), sword);

    const uint32_t mace = Make("WeaponMelee_Mace");
    equipment.AttachItemAction(mace, EquipLocations_RightHand);
    EXPECT_EQ(PointOf(sword), "L Hand");
    EXPECT_EQ(equipment.GetLeftHandWeapon(), sword);

    equipment.DetachItemAction(mace);
    EXPECT_EQ(PointOf(sword), "R Hand");
    EXPECT_EQ(PointOf(mace), "<detached>");

    const std::vector<EquipManager_HandState> expected = {EquipManager_HandState_SingleHanded,
                                                          EquipManager_HandState_DualWielded,
                                                          EquipManager_HandState_SingleHanded};
    EXPECT_EQ(owner->handStates, expected);
}

TEST_F(EquipManagerTest, OnlyOneHandedMeleeMoves)
{
    const uint32_t shield = Make("WeaponArmor_Shield");
    const uint32_t bow = Make("WeaponHunting_Bow");
    equipment.AttachItemAction(shield, EquipLocations_LeftHand);
    EXPECT_EQ(PointOf(shield), "L Hand");
    EXPECT_EQ(equipment.GetLeftHandShield(), shield);
    equipment.DetachItemAction(shield);

    equipment.AttachItemAction(bow, EquipLocations_LeftHand);
    EXPECT_EQ(PointOf(bow), "L Hand");
    EXPECT_FALSE(equipment.GetAttachedItems()[0].canMoveToRightHand);
}

TEST_F(EquipManagerTest, ARingRidesAlongAtNoPointAndCountsAsNoWeapon)
{
    ItemEventListener listener;
    const uint32_t sword = Make("WeaponMelee_Sword");
    const uint32_t ring = Make("Item");
    const uint32_t armour = Make("Item");
    equipment.AttachItemAction(sword, EquipLocations_RightHand);
    equipment.AttachItemAction(ring, EquipLocations_Finger);
    equipment.AttachItemAction(armour, EquipLocations_UpperBody);

    EXPECT_EQ(PointOf(ring), "");
    EXPECT_EQ(PointOf(armour), "Upper Body");

    std::vector<uint32_t> nonWeapons = {99};
    equipment.GetAllNonWeapons(nonWeapons);
    EXPECT_EQ(nonWeapons, (std::vector<uint32_t>{99, ring, armour}));

    equipment.DetachItemAction(ring);

    const std::string ownerId = std::to_string(owner->GetObjectId()) + " ";
    EXPECT_EQ(listener.lines,
              (std::vector<std::string>{"attach " + ownerId + std::to_string(sword),
                                        "attach " + ownerId + std::to_string(ring),
                                        "attach " + ownerId + std::to_string(armour),
                                        "detach " + ownerId + std::to_string(ring)}));
}

TEST_F(EquipManagerTest, RefusesUnknownItemsForeignItemsAndAMissingOwner)
{
    ItemEventListener listener;
    equipment.AttachItemAction(12345, EquipLocations_RightHand);
    EXPECT_TRUE(equipment.GetAttachedItems().empty());

    // An item worn by someone else stays on them.
    auto* other = new Character;
    ASSERT_TRUE(ObjectManager::Instance().RegisterObject(other));
    EquipManager othersEquipment;
    othersEquipment.AttachParent(other);
    const uint32_t sword = Make("WeaponMelee_Sword");
    othersEquipment.AttachItemAction(sword, EquipLocations_RightHand);
    listener.lines.clear();
    equipment.DetachItemAction(sword);
    EXPECT_EQ(ItemOf(sword)->GetAttachParent(), other);
    EXPECT_TRUE(listener.lines.empty());

    EquipManager ownerless;
    ownerless.AttachItemAction(Make("WeaponMelee_Axe"), EquipLocations_RightHand);
    EXPECT_TRUE(ownerless.GetAttachedItems().empty());
    EXPECT_TRUE(owner->handStates.empty());
}

TEST_F(EquipManagerTest, RecordNamesCompareAsFileNames)
{
    database.WriteRecord("Records/Items/Sword.dbr", {"Class = WeaponMelee_Sword"});
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t first = objects.CreateObjectFromFile("Records/Items/Sword.dbr")->GetObjectId();
    const uint32_t second = objects.CreateObjectFromFile("Records/Items/Sword.dbr")->GetObjectId();
    const uint32_t bow = Make("WeaponHunting_Bow");
    equipment.AttachItemAction(first, EquipLocations_RightHand);
    equipment.AttachItemAction(second, EquipLocations_LeftHand);
    equipment.AttachItemAction(bow, EquipLocations_Forearm);

    EXPECT_TRUE(equipment.HasItem("records\\items\\SWORD.dbr"));
    EXPECT_FALSE(equipment.HasItem("Records/Items/Sword"));
    equipment.RemoveItem("records\\items\\sword.dbr");
    std::vector<uint32_t> left;
    equipment.GetAllAttachedItems(left);
    EXPECT_EQ(left, std::vector<uint32_t>{bow});
    EXPECT_EQ(PointOf(bow), "Forearm");
}

} // namespace
} // namespace GAME::Test
