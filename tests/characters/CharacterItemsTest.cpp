#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/World.h"
#include "items/InventoryReplica.h"
#include "items/Item.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME {

// Opens the protected attach for the tests and counts the stops.
class ItemsTestCharacter : public Character {
    GAME_DECLARE_CLASS(ItemsTestCharacter)

public:
    using Character::AttachItem;
    void CharacterStop() override
    {
        ++stops;
        Character::CharacterStop();
    }
    void NotifyControllerItemRemovedFromInventory(uint32_t itemId) override
    {
        removed.push_back(itemId);
    }
    void SetMoney(uint32_t value) { currentMoney = value; }

    int stops = 0;
    std::vector<uint32_t> removed;
};

GAME_IMPLEMENT_CLASS(ItemsTestCharacter, Character);

namespace {

class CharacterItemsTest : public GAME::Test::DeathFixture {
protected:
    ItemsTestCharacter* Make()
    {
        return Spawn<ItemsTestCharacter>("Records/Creatures/Holder.dbr", {});
    }

    // A carried item named after the record.
    static Item* Carried(ItemsTestCharacter& holder, const std::string& recordName)
    {
        auto* item = DynamicCast<Item>(ObjectManager::Instance().CreateObject("Item"));
        item->SetObjectName(recordName);
        holder.GetInventory().AddItemToInventory(item->GetObjectId(), false);
        return item;
    }
};

TEST_F(CharacterItemsTest, MoneyIsCappedWithoutWrappingAndNeverNegative)
{
    ItemsTestCharacter* holder = Make();
    ASSERT_NE(holder, nullptr);
    holder->SetMoney(1999999000);
    holder->AddMoney(4000000000u);
    EXPECT_EQ(holder->GetCurrentMoney(), 2000000000u);
    EXPECT_EQ(holder->SubtractMoney(500), 1999999500u);
    EXPECT_EQ(holder->SubtractMoney(2000000000u), 0u);
    EXPECT_EQ(holder->GetCurrentMoney(), 0u);
}

TEST_F(CharacterItemsTest, AttachAndDetachMoveItemsAndNotifyOnce)
{
    ItemsTestCharacter* holder = Make();
    ASSERT_NE(holder, nullptr);
    Item* helm = Carried(*holder, "Records/Items/Helm.dbr");
    const uint32_t id = helm->GetObjectId();
    EXPECT_FALSE(holder->GetChangeOfEquipmentNotification());

    holder->AttachItem(nullptr, EquipLocations_Head);
    EXPECT_FALSE(holder->GetChangeOfEquipmentNotification());
    holder->AttachItem(helm, EquipLocations_Head);
    EXPECT_TRUE(holder->GetChangeOfEquipmentNotification());
    EXPECT_FALSE(holder->GetChangeOfEquipmentNotification());
    EXPECT_TRUE(holder->GetInventoryItems().empty());
    EXPECT_TRUE(holder->HasItem(id));
    EXPECT_TRUE(holder->HasItem("Records/Items/Helm.dbr"));
    EXPECT_EQ(holder->stops, 0) << "not attacking";

    holder->DetachItemAction(id);
    EXPECT_TRUE(holder->GetChangeOfEquipmentNotification());
    EXPECT_EQ(holder->GetInventoryItems(), (std::vector<uint32_t>{id}));

    holder->DetachItemAction(id);
    EXPECT_FALSE(holder->GetChangeOfEquipmentNotification()) << "not attached: nothing";
    EXPECT_EQ(holder->GetInventoryItems(), (std::vector<uint32_t>{id}));
}

TEST_F(CharacterItemsTest, AttachingStopsAnAttackingCharacter)
{
    ItemsTestCharacter* holder = Make();
    ASSERT_NE(holder, nullptr);
    Item* sword = Carried(*holder, "Records/Items/Sword.dbr");
    holder->SetActionState(ActionState_Attack);
    holder->AttachItem(sword, EquipLocations_RightHand);
    EXPECT_EQ(holder->stops, 1);
    EXPECT_EQ(holder->GetActionState(), ActionState_ForcedStop);
}

TEST_F(CharacterItemsTest, TakeByRecordNameIgnoresCaseAndSlashDirection)
{
    ItemsTestCharacter* holder = Make();
    ASSERT_NE(holder, nullptr);
    Item* worn = Carried(*holder, "Records\\Items\\A.dbr");
    holder->AttachItem(worn, EquipLocations_Head);
    Item* carried = Carried(*holder, "RECORDS/ITEMS/a.DBR");
    Item* other = Carried(*holder, "Records\\Items\\B.dbr");

    holder->TakeItemFromCharacter("records/items/a.dbr");
    EXPECT_FALSE(holder->HasItem(worn->GetObjectId()));
    EXPECT_FALSE(holder->HasItem(carried->GetObjectId()));
    EXPECT_EQ(holder->GetInventoryItems(), (std::vector<uint32_t>{other->GetObjectId()}));
    EXPECT_EQ(holder->removed,
              (std::vector<uint32_t>{worn->GetObjectId(), carried->GetObjectId()}));
}

TEST_F(CharacterItemsTest, DropThrowsFromTheLeftHandAndLeavesTheInventory)
{
    ItemsTestCharacter* holder = Make();
    ASSERT_NE(holder, nullptr);
    Item* rock = Carried(*holder, "Records/Items/Rock.dbr");
    PhysicsEngine& physics = gEngine->GetPhysicsEngine();
    physics.Reset();

    holder->DropItem(rock, 0.0f, 0.0f);
    EXPECT_TRUE(rock->IsInWorld());
    EXPECT_EQ(rock->GetPhysicsType(), 2);
    EXPECT_TRUE(holder->GetInventoryItems().empty());
    ASSERT_EQ(physics.GetLinearVelocities().GetSize(), 1u);
    EXPECT_EQ(physics.GetLinearVelocities()[0].objectId, rock->GetObjectId());
    EXPECT_EQ(physics.GetLinearVelocities()[0].velocity.y, 4.0f);
    ASSERT_EQ(physics.GetAngularVelocities().GetSize(), 1u);
    const Vec3 spin = physics.GetAngularVelocities()[0].velocity;
    for (float axis : {spin.x, spin.y, spin.z}) {
        EXPECT_GE(axis, -8.0f);
        EXPECT_LE(axis, 8.0f);
    }
}

TEST_F(CharacterItemsTest, InventoryReplicaCarriesAndAttachesWhatItMakes)
{
    database.WriteRecord("Records/Items/Cap.dbr", {"Class = Item"});
    database.WriteRecord("Records/Items/Coin.dbr", {"Class = Item"});
    ItemsTestCharacter* holder = Make();
    ASSERT_NE(holder, nullptr);
    std::vector<InventoryReplica> replicas(3);
    replicas[0].item.baseName = "Records/Items/Coin.dbr";
    replicas[1].item.baseName = "Records/Items/Missing.dbr";
    replicas[2].item.baseName = "Records/Items/Cap.dbr";
    replicas[2].location = EquipLocations_Head;

    holder->SetInventoryReplica(replicas);
    ASSERT_EQ(holder->GetInventoryItems().size(), 1u);
    ASSERT_EQ(holder->GetAttachedItems().size(), 1u);
    EXPECT_EQ(holder->GetAttachedItems()[0].location, EquipLocations_Head);
    EXPECT_TRUE(holder->HasItem("Records/Items/Coin.dbr"));
    EXPECT_TRUE(holder->HasItem("Records/Items/Cap.dbr"));
}

TEST_F(CharacterItemsTest, ItemSetsRemoveNormalizedNames)
{
    ItemsTestCharacter* holder = Make();
    ASSERT_NE(holder, nullptr);
    holder->AddItemToSet("Records/Sets/Frost.dbr", "Records/Items/Ring.dbr");
    holder->AddItemToSet("Records/Sets/Frost.dbr", "records\\items\\amulet.dbr");
    EXPECT_EQ(holder->GetNumberOfItemsInSet("Records/Sets/Frost.dbr"), 2u);
    EXPECT_EQ(holder->GetNumberOfItemsInSet("Records/Sets/None.dbr"), 0u);

    holder->RemoveItemFromSet("Records/Sets/Frost.dbr", "Records/Items/Ring.dbr");
    holder->RemoveItemFromSet("Records/Sets/Frost.dbr", "Records/Items/Ring.dbr");
    holder->RemoveItemFromSet("Records/Sets/None.dbr", "Records/Items/Amulet.dbr");
    EXPECT_EQ(holder->GetNumberOfItemsInSet("Records/Sets/Frost.dbr"), 1u);
}

} // namespace
} // namespace GAME
