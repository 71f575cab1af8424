#include "characters/Character.h"

#include "engine/ObjectManager.h"
#include "items/EquipManager.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/ScriptedRandom.h"

#include <initializer_list>
#include <utility>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

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
} // namespace GAME::Test
