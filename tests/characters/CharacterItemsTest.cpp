#include "ai/ControllerAI.h"
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "combat/CombatAttributeType.h"
#include "core/PlayStatsDamageType.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "items/InventoryReplica.h"
#include "items/Item.h"
#include "items/OneShot_PotionHealth.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/LogCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
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

// A thinking controller that only counts what its character tells it.
class ServicesTestController : public ControllerAI {
    GAME_DECLARE_CLASS(ServicesTestController)

public:
    void BeginImmobilize() override { calls.push_back("begin immobilize"); }
    void EndImmobilize() override { calls.push_back("end immobilize"); }
    void TeamChanged() override { calls.push_back("team"); }

    std::vector<std::string> calls;
};

GAME_IMPLEMENT_CLASS(ServicesTestController, ControllerAI);

namespace Test {
namespace {

// A holder with a recording controller and another character, each with 100 life, and a
// health potion's record.
class CharacterItemsTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        // Slow life is stored up to the limit; without the regen record nothing is stored.
        database.WriteRecord(CharacterBio::kRegenRecord, {"healthOverStorageLimit = 1"});
        database.WriteRecord("Records/Items/Heal.dbr",
                             {"Class = OneShot_PotionHealth", "bonusLifePoints = 40"});
        holder = Must(
            Spawn<ItemsTestCharacter>("Records/Creatures/Holder.dbr", {"characterLife = 100"}));
        other = Must(Spawn<Character>("Records/Creatures/Other.dbr", {"characterLife = 100"}));
        controller = GiveController<ServicesTestController>(*holder);
    }

    // A carried item named after the record.
    Item* Carried(const std::string& recordName)
    {
        auto* item = New<Item>();
        item->SetObjectName(recordName);
        holder->GetInventory().AddItemToInventory(item->GetObjectId(), false);
        return item;
    }

    static OneShot_PotionHealth* GivePotion(Character& to)
    {
        auto* potion = ObjectManager::Instance().CreateObjectFromFile<OneShot_PotionHealth>(
            "Records/Items/Heal.dbr");
        if (potion != nullptr)
            to.GetInventory().AddItemToInventory(potion->GetObjectId(), false);
        return potion;
    }

    static uint32_t HealthPotions(Character& character)
    {
        float value = 0.0f;
        character.GetPlayStats().GetDesignerVariable("healthPotionsUsed", value);
        return static_cast<uint32_t>(value);
    }

    ItemsTestCharacter* holder = nullptr;
    Character* other = nullptr;
    ServicesTestController* controller = nullptr;
};

TEST_F(CharacterItemsTest, MoneyIsCappedWithoutWrappingAndNeverNegative)
{
    holder->SetMoney(1999999000);
    holder->AddMoney(4000000000u);
    EXPECT_EQ(holder->GetCurrentMoney(), 2000000000u);
    EXPECT_EQ(holder->SubtractMoney(500), 1999999500u);
    EXPECT_EQ(holder->SubtractMoney(2000000000u), 0u);
}

TEST_F(CharacterItemsTest, AttachAndDetachMoveItemsAndNotifyOnce)
{
    Item* helm = Carried("Records/Items/Helm.dbr");
    const uint32_t id = helm->GetObjectId();

    holder->AttachItem(nullptr, EquipLocations_Head);
    EXPECT_FALSE(holder->GetChangeOfEquipmentNotification());
    holder->AttachItem(helm, EquipLocations_Head);
    EXPECT_TRUE(holder->GetChangeOfEquipmentNotification());
    EXPECT_FALSE(holder->GetChangeOfEquipmentNotification());
    EXPECT_TRUE(holder->GetInventoryItems().empty());

    holder->DetachItemAction(id);
    EXPECT_TRUE(holder->GetChangeOfEquipmentNotification());
    EXPECT_EQ(holder->GetInventoryItems(), (std::vector<uint32_t>{id}));

    holder->DetachItemAction(id);
    EXPECT_FALSE(holder->GetChangeOfEquipmentNotification()) << "not attached: nothing";
}

TEST_F(CharacterItemsTest, AttachingStopsAnAttackingCharacter)
{
    Item* sword = Carried("Records/Items/Sword.dbr");
    holder->SetActionState(ActionState_Attack);
    holder->AttachItem(sword, EquipLocations_RightHand);
    EXPECT_EQ(holder->stops, 1);
    EXPECT_EQ(holder->GetActionState(), ActionState_ForcedStop);
}

TEST_F(CharacterItemsTest, TakeByRecordNameIgnoresCaseAndSlashDirection)
{
    Item* worn = Carried("Records\\Items\\A.dbr");
    holder->AttachItem(worn, EquipLocations_Head);
    Item* carried = Carried("RECORDS/ITEMS/a.DBR");
    Item* other = Carried("Records\\Items\\B.dbr");

    holder->TakeItemFromCharacter("records/items/a.dbr");
    EXPECT_FALSE(holder->HasItem(worn->GetObjectId()));
    EXPECT_FALSE(holder->HasItem(carried->GetObjectId()));
    EXPECT_EQ(holder->GetInventoryItems(), (std::vector<uint32_t>{other->GetObjectId()}));
    EXPECT_EQ(holder->removed,
              (std::vector<uint32_t>{worn->GetObjectId(), carried->GetObjectId()}));
}

TEST_F(CharacterItemsTest, InventoryReplicaCarriesAndAttachesWhatItMakes)
{
    database.WriteRecord("Records/Items/Cap.dbr", {"Class = Item"});
    database.WriteRecord("Records/Items/Coin.dbr", {"Class = Item"});
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
}

TEST_F(CharacterItemsTest, ItemSetsRemoveNormalizedNames)
{
    holder->AddItemToSet("Records/Sets/Frost.dbr", "Records/Items/Ring.dbr");
    holder->AddItemToSet("Records/Sets/Frost.dbr", "records\\items\\amulet.dbr");
    EXPECT_EQ(holder->GetNumberOfItemsInSet("Records/Sets/None.dbr"), 0u);

    holder->RemoveItemFromSet("Records/Sets/Frost.dbr", "Records/Items/Ring.dbr");
    holder->RemoveItemFromSet("Records/Sets/Frost.dbr", "Records/Items/Ring.dbr");
    holder->RemoveItemFromSet("Records/Sets/None.dbr", "Records/Items/Amulet.dbr");
    EXPECT_EQ(holder->GetNumberOfItemsInSet("Records/Sets/Frost.dbr"), 1u);
}

TEST_F(CharacterItemsTest, AThrownItemLeavesTheInventoryUpwardWithABoundedSpin)
{
    const struct {
        const char* name;
        std::function<void(Item*)> throwIt;
        float spin;
        bool straightUp;
    } rows[] = {
        {"drop", [this](Item* item) { holder->DropItem(item, 0.0f, 0.0f); }, 8.0f, false},
        {"from equip location",
         [this](Item* item) {
             uint32_t itemId = item->GetObjectId();
             holder->DropItemFromEquipLocation(itemId, EquipLocations_RightHand, true);
             EXPECT_EQ(itemId, 0u) << "the id is cleared";
         },
         4.0f, true},
    };
    PhysicsEngine& physics = gEngine->GetPhysicsEngine();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Item* rock = Carried("Records/Items/Rock.dbr");
        physics.Reset();
        row.throwIt(rock);
        EXPECT_TRUE(rock->IsInWorld());
        EXPECT_FALSE(holder->HasItem(rock->GetObjectId()));
        ASSERT_EQ(physics.GetLinearVelocities().GetSize(), 1u);
        const Vec3 velocity = physics.GetLinearVelocities()[0].velocity;
        EXPECT_EQ(velocity.y, 4.0f);
        if (row.straightUp) {
            EXPECT_EQ(velocity, Vec3(0, 4, 0));
        }
        ASSERT_EQ(physics.GetAngularVelocities().GetSize(), 1u);
        const Vec3 spin = physics.GetAngularVelocities()[0].velocity;
        for (float axis : {spin.x, spin.y, spin.z})
            EXPECT_THAT(axis, Within(-row.spin, row.spin));
    }
}

using CharacterItemUseTest = CharacterItemsTest;

TEST_F(CharacterItemUseTest, AHealthPotionAddsSlowLifeAndCountsOnceAndTheDestroyFlagTakesIt)
{
    OneShot_PotionHealth* potion = Must(GivePotion(*holder));
    holder->GetCharacterBio().Update(*holder, 0);
    holder->SubtractLife(60.0f, PlayStatsDamageType());
    const float life = holder->GetCurrentLife();

    holder->UseInventoryItem(potion->GetObjectId(), false);
    EXPECT_FLOAT_EQ(holder->GetCurrentLife(), life); // slow: nothing arrives at once
    EXPECT_FLOAT_EQ(holder->GetPotentialLife(), life + 40.0f);
    EXPECT_EQ(HealthPotions(*holder), 1u);

    const uint32_t id = GivePotion(*holder)->GetObjectId();
    holder->UseInventoryItem(id, true);
    EXPECT_FALSE(holder->HasItem(id));
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(id), nullptr);
}

// Ids come from peers: an item someone else holds must stay where it is.
TEST_F(CharacterItemUseTest, AnItemNotHeldIsLoggedAndLeftAlone)
{
    OneShot_PotionHealth* theirs = GivePotion(*other);
    const uint32_t id = theirs->GetObjectId();
    const float life = holder->GetPotentialLife();
    LogCapture log;

    holder->UseInventoryItem(id, true);
    holder->UseRelic(id, id);
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(id), theirs);
    EXPECT_TRUE(other->HasItem(id));
    EXPECT_FLOAT_EQ(holder->GetPotentialLife(), life);
    ASSERT_EQ(log.GetLines().size(), 2u);
}

using CharacterServicesTest = CharacterItemsTest;

TEST_F(CharacterServicesTest, FreezeAndPetrifyBothImmobilizeAndTypeZeroDoesNothing)
{
    holder->StartInvoluntaryEffect(static_cast<CombatAttributeType>(0));
    holder->StopInvoluntaryEffect(static_cast<CombatAttributeType>(0));
    EXPECT_TRUE(controller->calls.empty());

    holder->StartInvoluntaryEffect(CombatAttributeType_Freeze);
    holder->StopInvoluntaryEffect(CombatAttributeType_Freeze);
    holder->StartInvoluntaryEffect(CombatAttributeType_Petrify);
    holder->StopInvoluntaryEffect(CombatAttributeType_Petrify);
    EXPECT_EQ(controller->calls, (std::vector<std::string>{"begin immobilize", "end immobilize",
                                                           "begin immobilize", "end immobilize"}));
}

TEST_F(CharacterServicesTest, OnlyAChangeOfMajorOrMinorTeamReachesTheController)
{
    Team team;
    team.Set(3, 1);
    holder->SetTeam(team);
    Team same;
    same.Set(3, 1);
    holder->SetTeam(same);
    Team otherMinor;
    otherMinor.Set(3, 2);
    holder->SetTeam(otherMinor);
    EXPECT_EQ(controller->calls, (std::vector<std::string>{"team", "team"}));
}

TEST_F(CharacterServicesTest, DroppingAnIdThatNamesNoItemOnlyClearsIt)
{
    const size_t entities = gEngine->GetWorld()->GetEntityCount();
    uint32_t itemId = holder->GetObjectId(); // a character, not an item
    holder->DropItemFromEquipLocation(itemId, EquipLocations_RightHand, true);
    EXPECT_EQ(itemId, 0u);
    uint32_t missing = 987654;
    holder->DropItemFromEquipLocation(missing, EquipLocations_RightHand, false);
    EXPECT_EQ(missing, 0u);
    EXPECT_EQ(gEngine->GetWorld()->GetEntityCount(), entities);
}

TEST_F(CharacterServicesTest, TheReplicaListsCarriedItemsFirstThenWornOnesWhereTheyHang)
{
    auto* helm = New<Item>();
    auto* potion = New<Item>();
    holder->GetInventory().AddItemToInventory(helm->GetObjectId(), false);
    holder->AttachItemAction(helm->GetObjectId(), EquipLocations_Head);
    holder->GetInventory().AddItemToInventory(potion->GetObjectId(), false);

    std::vector<InventoryReplica> replicas;
    holder->GetInventoryReplica(replicas);
    ASSERT_EQ(replicas.size(), 2u);
    EXPECT_EQ(replicas[0].item.id, potion->GetObjectId());
    EXPECT_EQ(replicas[1].item.id, helm->GetObjectId());
    EXPECT_EQ(replicas[1].location, EquipLocations_Head);
}

TEST_F(CharacterServicesTest, ConversationPartnersStandAcrossTheFirstAxis)
{
    const Coords facing({0, 0, 1}, {0, 1, 0}, {-1, 0, 0}, {3, 0, 4});
    ASSERT_TRUE(gEngine->GetWorld()->SetCoords(holder, WorldCoords(kRegion, facing)));
    std::vector<WorldVec3> points{WorldVec3(kRegion, Vec3(9, 9, 9))};
    holder->GetConversationPartnerLocation(points);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1], WorldVec3(kRegion, Vec3(3, 0, 4.9f)));
    EXPECT_EQ(points[2], WorldVec3(kRegion, Vec3(3, 0, 3.1f)));
}

} // namespace
} // namespace Test
} // namespace GAME
