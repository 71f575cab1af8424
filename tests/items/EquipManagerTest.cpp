#include "items/EquipManager.h"

#include "characters/Character.h"
#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/WeaponHunting_Bow.h"
#include "items/WeaponMelee_Sword.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

// Remembers every hand state it was switched to.
class AnimatedCharacter : public Character {
public:
    void SetAnimation(EquipManager_HandState handState) override
    {
        handStates.push_back(handState);
    }
    std::vector<EquipManager_HandState> handStates;
};

// Counts the pre-loads it is asked for.
template <class Base> class PreLoadCounter : public Base {
public:
    void PreLoad(bool /*flag*/) override { ++preLoads; }
    int preLoads = 0;
};

// Hears both item events, in order, as "attach owner item".
class ItemEventListener {
public:
    ItemEventListener()
    {
        attach.SetOwner(this);
        detach.SetOwner(this);
    }
    void OnAttach(const GameEvent_ItemAttach& event)
    {
        events.push_back("attach " + std::to_string(event.ownerId) + " " +
                         std::to_string(event.itemId));
    }
    void OnDetach(const GameEvent_ItemDetach& event)
    {
        events.push_back("detach " + std::to_string(event.ownerId) + " " +
                         std::to_string(event.itemId));
    }
    std::vector<std::string> events;

private:
    EventHandler<ItemEventListener, GameEvent_ItemAttach> attach{"GameEvent_ItemAttach",
                                                                 &ItemEventListener::OnAttach};
    EventHandler<ItemEventListener, GameEvent_ItemDetach> detach{"GameEvent_ItemDetach",
                                                                 &ItemEventListener::OnDetach};
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
        {"mace and shield", {{"WeaponMelee_Mace", R}, {"WeaponArmor_Shield", L}}, one},
        {"two one-handers",
         {{"WeaponMelee_Sword", R}, {"WeaponMelee_Axe", L}},
         EquipManager_HandState_DualWielded},
        {"bow", {{"WeaponHunting_Bow", L}}, EquipManager_HandState_Bow},
        {"spear", {{"WeaponHunting_Spear", R}}, EquipManager_HandState_Spear},
        {"staff", {{"WeaponMagical_Staff", L}}, EquipManager_HandState_Staff},
        {"shield alone", {{"WeaponArmor_Shield", L}}, none},
        {"plain weapon", {{"Weapon", R}}, none},
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
    EXPECT_EQ(listener.events.size(), 1u);
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

TEST_F(EquipManagerTest, ARingRidesAlongUnseenAndCountsAsNoWeapon)
{
    ItemEventListener listener;
    const uint32_t sword = Make("WeaponMelee_Sword");
    const uint32_t ring = Make("Item");
    const uint32_t armour = Make("Item");
    equipment.AttachItemAction(sword, EquipLocations_RightHand);
    equipment.AttachItemAction(ring, EquipLocations_Finger);
    equipment.AttachItemAction(armour, EquipLocations_UpperBody);

    EXPECT_EQ(PointOf(ring), "");
    EXPECT_FALSE(ItemOf(ring)->GetVisibility());
    EXPECT_EQ(PointOf(armour), "Upper Body");

    std::vector<uint32_t> nonWeapons = {99};
    equipment.GetAllNonWeapons(nonWeapons);
    EXPECT_EQ(nonWeapons, (std::vector<uint32_t>{99, ring, armour}));

    equipment.DetachItemAction(ring);
    EXPECT_TRUE(ItemOf(ring)->GetVisibility());

    const std::string ownerId = std::to_string(owner->GetObjectId()) + " ";
    EXPECT_EQ(listener.events,
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
    listener.events.clear();
    equipment.DetachItemAction(sword);
    EXPECT_EQ(ItemOf(sword)->GetAttachParent(), other);
    EXPECT_TRUE(listener.events.empty());

    EquipManager ownerless;
    ownerless.AttachItemAction(Make("WeaponMelee_Axe"), EquipLocations_RightHand);
    EXPECT_TRUE(ownerless.GetAttachedItems().empty());
    EXPECT_TRUE(owner->handStates.empty());
}

TEST_F(EquipManagerTest, AttachCoordinatesUseTheLocationsPoint)
{
    owner->SetAttachPointPlacement(Name::Create("R Hand"),
                                   Coords::FromTranslation({1.0f, 0.0f, 0.0f}));
    owner->SetAttachPointPlacement(Name::Create("Head"),
                                   Coords::FromTranslation({0.0f, 2.0f, 0.0f}));
    const Vec3 hand(1.0f, 0.0f, 0.0f), head(0.0f, 2.0f, 0.0f);
    EXPECT_EQ(equipment.GetAttachCoords(EquipLocations_RightHand).GetRegionCoords().origin, hand);
    EXPECT_EQ(equipment.GetAttachCoords(EquipLocations_Finger).GetRegionCoords().origin, hand);
    EXPECT_EQ(equipment.GetAttachCoords(EquipLocations_Head).GetRegionCoords().origin, head);
    EXPECT_EQ(equipment.GetAttachCoords(EquipLocations_Neck).GetRegionCoords().origin, head);
    EXPECT_EQ(equipment.GetAttachCoords(EquipLocations_None), owner->GetCoords());
    EXPECT_EQ(equipment.GetAttachCoords(static_cast<EquipLocations>(-3)), owner->GetCoords());
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

TEST_F(EquipManagerTest, PreLoadReachesOnlyBowsAndStaffs)
{
    auto* bow = new PreLoadCounter<WeaponHunting_Bow>;
    auto* sword = new PreLoadCounter<WeaponMelee_Sword>;
    ObjectManager& objects = ObjectManager::Instance();
    ASSERT_TRUE(objects.RegisterObject(bow));
    ASSERT_TRUE(objects.RegisterObject(sword));
    equipment.AttachItemAction(bow->GetObjectId(), EquipLocations_LeftHand);
    equipment.AttachItemAction(sword->GetObjectId(), EquipLocations_RightHand);

    equipment.PreLoad(true);
    EXPECT_EQ(bow->preLoads, 1);
    EXPECT_EQ(sword->preLoads, 0);
}

} // namespace
} // namespace GAME::Test
