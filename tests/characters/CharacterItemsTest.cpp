#include "ai/ControllerAI.h"
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "characters/TeamManager.h"
#include "combat/CombatAttributeType.h"
#include "core/PlayStatsDamageType.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "items/EquipManager.h"
#include "items/InventoryReplica.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "items/OneShot_PotionHealth.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/ScriptedRandom.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
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
    for (const uint32_t minor : {1u, 1u, 2u})
        holder->SetTeam(TeamManager::BuildTeam(3, minor));
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

class LootCharacter : public Character {
public:
    using Character::CreateItemFromLootTable;
    using Character::LoadLootFromSeed;
    using Character::LoadLootFromStruct;
    const LootStruct& Loot() const { return lootState; }
};

class LootingCharacter : public Character {
public:
    bool ShouldLoadLoot() const override { return true; }
};

// What a slot holds after the roll: record, id and item seed; empty when nothing.
struct Rolled {
    std::string record;
    uint32_t id = 0;
    uint32_t seed = 0;
    bool operator==(const Rolled&) const = default;
};

// A loot slot's record lines: its chance, then each item's weight and record.
std::vector<std::string> Slot(const std::string& slot, int chance,
                              std::initializer_list<std::pair<int, std::string>> items)
{
    std::vector<std::string> lines = {"chanceToEquip" + slot + " = " + std::to_string(chance)};
    int n = 0;
    for (const auto& [weight, item] : items) {
        const std::string index = "Item" + std::to_string(++n);
        lines.push_back("chanceToEquip" + slot + index + " = " + std::to_string(weight));
        lines.push_back("loot" + slot + index + " = Records/Items/" + item + ".dbr");
    }
    return lines;
}

class CharacterLootTest : public StartedFixture {
protected:
    void SetUp() override
    {
        StartedFixture::SetUp();
        for (const char* name : {"HelmA", "HelmB", "Ring1", "Ring2", "Ring3", "Vest", "Shield"})
            database.WriteRecord(std::string("Records/Items/") + name + ".dbr", {"Class = Item"});
        database.WriteRecord("Records/Items/Sword.dbr", {"Class = WeaponMelee_Sword"});
        database.WriteRecord("Records/Items/Bow.dbr", {"Class = WeaponHunting_Bow"});
        database.WriteRecord("Records/Items/Staff.dbr", {"Class = WeaponMagical_Staff"});
    }

    template <typename T = LootCharacter>
    T* Place(const std::string& path, const std::vector<std::string>& lines)
    {
        return GAME::Test::Place<T>(database, path, lines);
    }

    // Head, torso and fingers roll from several weights; the hands from one record each.
    LootCharacter* Looter(const std::string& leftHand)
    {
        std::vector<std::string> lines;
        for (const std::vector<std::string>& slot :
             {Slot("Head", 100, {{3, "HelmA"}, {5, "HelmB"}}), Slot("Torso", 60, {{1, "Vest"}}),
              Slot("LeftHand", 100, {{1, leftHand}}), Slot("RightHand", 100, {{1, "Sword"}}),
              Slot("Finger1", 100, {{4, "Ring1"}, {4, "Ring2"}, {4, "Ring3"}})})
            lines.insert(lines.end(), slot.begin(), slot.end());
        // One record a left hand: the database keeps a record once read.
        return Place(LooterPath(leftHand), lines);
    }

    static std::string LooterPath(const std::string& leftHand)
    {
        return "Records/Creatures/Looter" + leftHand + ".dbr";
    }

    static std::vector<Rolled> Slots(const LootCharacter& character)
    {
        std::vector<Rolled> out;
        for (const uint32_t id : character.Loot().itemIds) {
            Rolled rolled;
            if (const Item* item = ObjectManager::Instance().GetObject<Item>(id)) {
                ItemReplicaInfo info;
                item->GetItemReplicaInfo(info);
                rolled = {info.baseName, info.id, info.seed};
            }
            out.push_back(rolled);
        }
        return out;
    }

    static void DestroyWithItems(LootCharacter* character)
    {
        const Character::LootStruct loot = character->Loot();
        ObjectManager& objects = ObjectManager::Instance();
        objects.DestroyObjectEx(character, __FILE__, __LINE__);
        for (const uint32_t id : loot.itemIds) {
            if (Object* item = objects.GetObject(id))
                objects.DestroyObjectEx(item, __FILE__, __LINE__);
        }
    }

    static Character::LootStruct Struct(uint16_t seed)
    {
        Character::LootStruct loot;
        loot.seed = seed;
        loot.levelArgument = 4;
        for (uint32_t i = 0; i < Character::kNumLootSlots; ++i)
            loot.itemIds[i] = 5001 + i;
        return loot;
    }
};

TEST_F(CharacterLootTest, AReplicaRollsTheSameItemsUnderTheSameIds)
{
    for (const uint16_t seed : {uint16_t(1), uint16_t(777), uint16_t(65535)}) {
        LootCharacter* first = Looter("Shield");
        first->LoadLootFromStruct(Struct(seed));
        const std::vector<Rolled> rolled = Slots(*first);
        // Head, left and right hand and finger 1 always roll.
        EXPECT_EQ(rolled[2].record, "Records/Items/Sword.dbr");
        EXPECT_EQ(rolled[3].record, "Records/Items/Shield.dbr");
        DestroyWithItems(first);

        LootCharacter* second = Looter("Shield");
        second->LoadLootFromStruct(Struct(seed));
        EXPECT_EQ(Slots(*second), rolled) << seed;
        DestroyWithItems(second);
    }
}

TEST_F(CharacterLootTest, ABowOrStaffLeavesTheRightHandAndItsDrawToFingerOne)
{
    LootCharacter* armed = Looter("Shield");
    armed->LoadLootFromStruct(Struct(321));
    const Rolled rightHand = Slots(*armed)[2];
    DestroyWithItems(armed);
    ASSERT_EQ(rightHand.record, "Records/Items/Sword.dbr");

    for (const char* twoHanded : {"Bow", "Staff"}) {
        LootCharacter* archer = Looter(twoHanded);
        archer->LoadLootFromStruct(Struct(321));
        const std::vector<Rolled> rolled = Slots(*archer);
        EXPECT_EQ(rolled[2], Rolled{}) << twoHanded;
        EXPECT_EQ(rolled[3].record, std::string("Records/Items/") + twoHanded + ".dbr");
        // Finger 1 drew what the sword would have: its seed is the sword's.
        EXPECT_EQ(rolled[7].seed, rightHand.seed) << twoHanded;
        DestroyWithItems(archer);
    }
}

TEST_F(CharacterLootTest, AFailedRollTakesOneDrawAndASuccessTheLoadersAndTheSeeds)
{
    LootCharacter* looter = Looter("Shield");
    const LoadTable& record = ObjectManager::Instance().GetLoadTable(LooterPath("Shield"));

    ScriptedRandom failed;
    failed.floats = {60.5f};
    uint32_t id = 42;
    EXPECT_EQ(looter->CreateItemFromLootTable(record, "chanceToEquipTorso", LootLoader::Torso, id,
                                              failed),
              nullptr);
    EXPECT_EQ(failed.floatCalls, (std::vector<std::pair<float, float>>{{0.1f, 100.0f}}));
    EXPECT_TRUE(failed.intCalls.empty());
    EXPECT_EQ(id, 42u);

    // A missing chance key is 0: not even the lowest roll passes.
    ScriptedRandom missing;
    EXPECT_EQ(
        looter->CreateItemFromLootTable(record, "chanceToEquipNeck", LootLoader::Neck, id, missing),
        nullptr);
    EXPECT_EQ(missing.floatCalls.size(), 1u);

    ScriptedRandom passed;
    passed.floats = {60.0f};
    passed.ints = {0, 9876};
    Item* item = Must(looter->CreateItemFromLootTable(record, "chanceToEquipTorso",
                                                      LootLoader::Torso, id, passed));
    EXPECT_EQ(passed.intCalls, (std::vector<std::pair<int, int>>{{0, 1}, {0, 10000}}));
    ItemReplicaInfo info;
    item->GetItemReplicaInfo(info);
    EXPECT_EQ(info.baseName, "Records/Items/Vest.dbr");
    EXPECT_EQ(info.id, 42u);
    EXPECT_EQ(info.seed, 9876u);
}

TEST_F(CharacterLootTest, ChanceZeroCreatesNothingAndLoadingRollsOnlyWhenAsked)
{
    LootCharacter* none = Place("Records/Creatures/Bare.dbr", Slot("Head", 0, {{1, "HelmA"}}));
    none->LoadLootFromSeed(9, 1);
    EXPECT_TRUE(none->GetCombatManager().GetEquipManager().GetAttachedItems().empty());
    EXPECT_EQ(Slots(*none), std::vector<Rolled>(Character::kNumLootSlots));

    auto* looting =
        Place<LootingCharacter>("Records/Creatures/Always.dbr", Slot("Head", 100, {{1, "HelmB"}}));
    const uint32_t head =
        looting->GetCombatManager().GetEquipManager().GetItemId(EquipLocations_Head);
    const Item* helm = Must(ObjectManager::Instance().GetObject<Item>(head));
    EXPECT_EQ(helm->GetObjectName(), "Records/Items/HelmB.dbr");
}

} // namespace
} // namespace Test
} // namespace GAME
