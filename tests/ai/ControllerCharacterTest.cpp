#include "ai/ControllerCharacter.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/ActorConfigCommand.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "items/Inventory.h"
#include "items/Item.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace GAME {

// Keeps the packet of every command it is handed, then runs the command as usual.
class ControllerTestMonster : public Monster {
    GAME_DECLARE_CLASS(ControllerTestMonster)

public:
    void Enqueue(std::unique_ptr<ActorConfigCommand> command) override
    {
        sent.push_back(command->GetNetPacket());
        Monster::Enqueue(std::move(command));
    }
    std::vector<uint32_t> Types() const
    {
        std::vector<uint32_t> types;
        for (const auto& packet : sent)
            types.push_back(packet->GetType());
        return types;
    }
    std::vector<std::unique_ptr<NetPacket>> sent;
};

GAME_IMPLEMENT_CLASS(ControllerTestMonster, Monster);

// Puts what it is given into its inventory.
class ControllerTestPlayer : public Player {
    GAME_DECLARE_CLASS(ControllerTestPlayer)

public:
    void GiveItemToCharacter(Item* item) override
    {
        GetInventory().AddItemToInventory(item->GetObjectId(), false);
    }
};

GAME_IMPLEMENT_CLASS(ControllerTestPlayer, Player);

namespace Test {
namespace {

class ControllerCharacterTest : public DeathFixture {
protected:
    ControllerCharacter* Control(Character& character)
    {
        auto* made = static_cast<ControllerCharacter*>(
            ObjectManager::Instance().CreateObject("ControllerCharacter"));
        made->AttachParent(character.GetObjectId());
        character.SetControllerId(made->GetObjectId());
        return made;
    }

    Item* LyingItem()
    {
        database.WriteFile("Records/Items/Ring.dbr", "Class = Item\n");
        auto* item = ObjectManager::Instance().CreateObjectFromFile<Item>("Records/Items/Ring.dbr");
        gEngine->GetWorld()->AddEntity(item, kPlace, false);
        return item;
    }
};

TEST_F(ControllerCharacterTest, PickingUpPutsTheItemIntoThePlayersInventory)
{
    auto* player = Spawn<ControllerTestPlayer>("Records/Creatures/Hero.dbr", {});
    ASSERT_NE(player, nullptr);
    Item* item = LyingItem();
    Control(*player)->PickupItem(item->GetObjectId());
    EXPECT_TRUE(player->HasItem(item->GetObjectId()));
    EXPECT_FALSE(item->IsInWorld());
    EXPECT_TRUE(item->IsPickupOk());
}

TEST_F(ControllerCharacterTest, EverySenderHandsItsCommandToTheCharacter)
{
    auto* monster = Spawn<ControllerTestMonster>("Records/Creatures/Carrier.dbr", {});
    ASSERT_NE(monster, nullptr);
    ControllerCharacter* controller = Control(*monster);
    controller->SendEquipAttachAction(41, EquipLocations_RightHand);
    controller->SendEquipDetachAction(41);
    controller->SendDropFromEquipLocation(41, EquipLocations_RightHand, true);
    controller->PickupItem(42);
    controller->IncrementCharacterStrength();
    controller->IncrementCharacterDexterity();
    controller->IncrementCharacterIntelligence();
    controller->IncrementCharacterLife();
    controller->IncrementCharacterMana();
    EXPECT_EQ(monster->Types(), (std::vector<uint32_t>{79, 80, 83, 86, 89, 90, 91, 92, 93}));
}

TEST_F(ControllerCharacterTest, AmountsRaiseTheBaseLifeAndMana)
{
    auto* monster = Spawn<ControllerTestMonster>("Records/Creatures/Carrier.dbr", {});
    ASSERT_NE(monster, nullptr);
    CharacterBio& bio = monster->GetCharacterBio();
    const float life = bio.GetBaseCharAttribute(CharAttribute_Life);
    const float mana = bio.GetBaseCharAttribute(CharAttribute_Mana);
    ControllerCharacter* controller = Control(*monster);
    controller->IncrementCharacterLife(25);
    controller->IncrementCharacterMana(10);
    bio.Update(*monster, 0);
    EXPECT_FLOAT_EQ(bio.GetBaseCharAttribute(CharAttribute_Life), life + 25.0f);
    EXPECT_FLOAT_EQ(bio.GetBaseCharAttribute(CharAttribute_Mana), mana + 10.0f);
    const auto& sentLife = static_cast<const IncBaseLifeConfigCmdPacket&>(*monster->sent[0]);
    EXPECT_EQ(sentLife.increment, 25);
}

TEST_F(ControllerCharacterTest, DropsLandOneAndAQuarterAwayAndItemZeroSendsNothing)
{
    auto* monster = Spawn<ControllerTestMonster>("Records/Creatures/Carrier.dbr", {});
    ASSERT_NE(monster, nullptr);
    ControllerCharacter* controller = Control(*monster);
    controller->SendDropItemRandom(0);
    controller->SendRemoveItemFromInventory(0);
    EXPECT_TRUE(monster->sent.empty());

    for (int i = 0; i < 8; ++i)
        controller->SendDropItemRandom(43);
    ASSERT_EQ(monster->sent.size(), 8u);
    for (const auto& packet : monster->sent) {
        const auto& drop = static_cast<const DropItemConfigCmdPacket&>(*packet);
        EXPECT_EQ(drop.GetType(), 82u);
        EXPECT_EQ(drop.actorId.GetId(), monster->GetObjectId());
        EXPECT_EQ(drop.itemId, 43u);
        EXPECT_NEAR(drop.x * drop.x + drop.z * drop.z, 1.5625f, 1e-4f);
    }
}

TEST_F(ControllerCharacterTest, RemovingAHeldItemDestroysIt)
{
    auto* player = Spawn<ControllerTestPlayer>("Records/Creatures/Hero.dbr", {});
    ASSERT_NE(player, nullptr);
    Item* item = LyingItem();
    const uint32_t id = item->GetObjectId();
    ControllerCharacter* controller = Control(*player);
    controller->PickupItem(id);
    ASSERT_TRUE(player->HasItem(id));
    controller->SendRemoveItemFromInventory(id);
    EXPECT_FALSE(player->HasItem(id));
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(id), nullptr);
}

TEST_F(ControllerCharacterTest, WithoutACharacterNothingHappensAndDualWieldIsForwarded)
{
    auto* orphan = static_cast<ControllerCharacter*>(
        ObjectManager::Instance().CreateObject("ControllerCharacter"));
    orphan->IncrementCharacterLife(5);
    orphan->SendDropItemRandom(7);
    orphan->PickupItem(7);

    auto* monster = Spawn<ControllerTestMonster>("Records/Creatures/Carrier.dbr", {});
    ASSERT_NE(monster, nullptr);
    ControllerCharacter* controller = Control(*monster);
    EXPECT_FALSE(controller->IsDualWieldAllowed());
    monster->AllowDualWieldWeapons(true);
    EXPECT_TRUE(controller->IsDualWieldAllowed());
}

TEST_F(ControllerCharacterTest, CreatingInTheInventoryKeepsOnlyItems)
{
    database.WriteFile("Records/Items/Ring.dbr", "Class = Item\n");
    auto* orphan = static_cast<ControllerCharacter*>(
        ObjectManager::Instance().CreateObject("ControllerCharacter"));
    EXPECT_EQ(orphan->CreateItemInInventory("Records/Items/Ring.dbr"), nullptr);

    auto* monster = Spawn<ControllerTestMonster>("Records/Creatures/Carrier.dbr", {});
    ASSERT_NE(monster, nullptr);
    ControllerCharacter* controller = Control(*monster);
    Item* item = controller->CreateItemInInventory("Records/Items/Ring.dbr");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(monster->GetInventory().IsItemInInventory(item->GetObjectId()));

    // Not an item: made, then destroyed again.
    const uint32_t next = ObjectManager::Instance().CreateObjectID() + 1;
    EXPECT_EQ(controller->CreateItemInInventory(kBones), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObject(next), nullptr);
    EXPECT_EQ(controller->CreateItemInInventory("Records/Items/Missing.dbr"), nullptr);
}

} // namespace
} // namespace Test
} // namespace GAME
