#include "items/ItemEquipment.h"

#include "core/GameTextLine.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/ItemSet.h"
#include "items/Weapon.h"
#include "tests/support/EquipmentRecords.h"
#include "tests/support/TrimMust.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using ItemEquipmentTest = EquipmentFixture;

std::vector<std::wstring> Texts(const Item& item)
{
    std::vector<GameTextLine> lines;
    item.GetUIDisplayText(nullptr, lines);
    std::vector<std::wstring> texts;
    for (const GameTextLine& line : lines)
        texts.push_back(line.text);
    return texts;
}

struct Rolled {
    uint32_t cost, strength, level;
    int32_t totalCount;
    bool operator==(const Rolled&) const = default;
};

Rolled Summary(const ItemEquipment& item)
{
    return {item.GetItemCost(false), item.GetStrengthRequirement(), item.GetLevelRequirement(),
            item.GetCharacterCost().GetTotalCount()};
}

class RolledSword : public ItemEquipmentTest {
protected:
    void SetUp() override
    {
        ItemEquipmentTest::SetUp();
        database.WriteRecord(kCost, {"weaponCostEquation = charPrimaryAtt*10+itemPrefixCost",
                                     "swordStrengthEquation = charPrimaryAtt"});
        WriteSword({"characterStrength = 100", "levelRequirement = 15"});
        database.WriteRecord(kPrefix, {"lootRandomizerName = tagSharp", "lootRandomizerCost = 7",
                                       "characterStrength = 40", "levelRequirement = 20"});
        database.WriteRecord(kSuffix, {"lootRandomizerName = tagOfMight", "characterDexterity = 30",
                                       "levelRequirement = 3"});
    }
};

TEST_F(RolledSword, EqualRecordsRollEqualItemsAndARollAgainChangesNothing)
{
    ItemEquipment* first = Make(77);
    ItemEquipment* second = Make(77);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    const Rolled rolled = Summary(*first);
    EXPECT_EQ(Summary(*second), rolled);
    EXPECT_EQ(Texts(*second), Texts(*first));
    EXPECT_EQ(rolled.level, 20u);

    first->InitializeItem();
    EXPECT_EQ(Summary(*first), rolled);
    EXPECT_EQ(Texts(*first), Texts(*second));
}

TEST_F(RolledSword, TheSeedDecidesTheRoll)
{
    ItemEquipment* reference = Must(Make(1));
    bool anyDiffers = false;
    for (uint32_t seed = 2; seed < 12 && !anyDiffers; ++seed)
        anyDiffers = !(Summary(*Make(seed)) == Summary(*reference));
    EXPECT_TRUE(anyDiffers);
}

TEST_F(RolledSword, WithoutAffixesTheRollHasNoAffixNamesCostsOrLevels)
{
    ItemEquipment* plain = Must(Make(5, false, false));
    EXPECT_EQ(plain->GetLevelRequirement(), 15u);
    EXPECT_EQ(plain->GetCharacterCost().GetTotalCount(), 1);
}

TEST_F(ItemEquipmentTest, ARecordSetRequirementWinsOverItsEquation)
{
    const struct {
        const char* stored;
        const char* equation;
        unsigned expected;
    } rows[] = {{"12", "30", 12}, {"0", "30", 30}, {"0", "0-4", 0}, {"0", "29.5", 30}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.equation);
        database.WriteRecord(kCost, {std::string("swordStrengthEquation = ") + row.equation});
        WriteSword({std::string("strengthRequirement = ") + row.stored});
        ObjectManager::Instance().GetDatabase().SetRoot(database.GetRoot());
        ItemEquipment* sword = Must(Make(1, false, false));
        EXPECT_EQ(sword->GetStrengthRequirement(), row.expected);
    }
}

TEST_F(ItemEquipmentTest, ThePriceScalesTheCostEquationByTheAffixesAndTheRecord)
{
    database.WriteRecord(kPrefix, {"marketAdjustmentPercent = 4"});
    database.WriteRecord(kSuffix, {"marketAdjustmentPercent = 6"});
    WriteSword({"itemCostScalePercent = 5", "itemCost = 999"});
    database.WriteRecord(kCost, {"weaponCostEquation = 200"});
    ItemEquipment* priced = Must(Make(1));
    EXPECT_EQ(priced->GetItemCost(false), 230u);

    database.WriteRecord(kCost, {"armorCostEquation = 200"});
    ObjectManager::Instance().GetDatabase().SetRoot(database.GetRoot());
    ItemEquipment* unpriced = Must(Make(1));
    EXPECT_EQ(unpriced->GetItemCost(false), 0u);
}

TEST_F(ItemEquipmentTest, TheBaseCostReachesThePriceThroughTheEquation)
{
    WriteSword({"itemCost = 120"});
    database.WriteRecord(kCost, {"weaponCostEquation = itemBaseCost/2"});
    ItemEquipment* sword = Must(Make(1, false, false));
    EXPECT_EQ(sword->GetItemCost(false), 60u);
}

TEST_F(ItemEquipmentTest, AnEquationThatFailsToParseIsLoggedAndAbsent)
{
    WriteSword({"strengthRequirement = 0"});
    database.WriteRecord(kCost, {"weaponCostEquation = 200*", "swordStrengthEquation = 4+",
                                 "swordLevelEquation = )"});
    ItemEquipment* sword = Must(Make(1, false, false));
    EXPECT_EQ(sword->GetItemCost(false), 0u);
    EXPECT_EQ(sword->GetStrengthRequirement(), 0u);
    for (const char* key : {"itemCostEquation", "itemStrengthEquation", "levelRequirementEquation"})
        EXPECT_EQ(log.Count(1, std::string("-=- Item Equation load failure : ") + key + " "), 1u)
            << key;
}

TEST_F(ItemEquipmentTest, AMissingCostRecordLeavesTheItemUnpriced)
{
    WriteSword({"itemCostName = Records/Game/Nowhere.dbr"});
    database.WriteRecord(kCost, {"weaponCostEquation = 200"});
    ItemEquipment* sword = Must(Make(1, false, false));
    EXPECT_EQ(sword->GetItemCost(false), 0u);
}

TEST_F(ItemEquipmentTest, AllSkillLevelsAddUpOverTheRecordsOnceARoll)
{
    WriteSword({"augmentAllLevel = 1", "augmentSkillLevel1 = 2", "augmentSkillName1 = "});
    database.WriteRecord(kSuffix, {"augmentAllLevel = 1", "augmentSkillLevel2 = 3",
                                   "augmentSkillName2 = Records/Skills/Fire/Blast.dbr"});
    database.WriteRecord(kCost, {"weaponCostEquation = (skillAugmentLevel*100)+skillAugmentCount"});
    ItemEquipment* sword = Must(Make(1, false, true));
    for (int roll = 0; roll < 2; ++roll) {
        SCOPED_TRACE(roll);
        const ItemSkillAugment& augment = sword->GetSkillAugment();
        EXPECT_EQ(augment.GetAllSkillLevel(), 2u);
        ASSERT_EQ(augment.GetSkillAugments().size(), 1u);
        EXPECT_EQ(augment.GetSkillAugments()[0].name, "records\\skills\\fire\\blast.dbr");
        CostInfo_AugmentAttributes cost;
        augment.GetCostInfo(cost);
        EXPECT_EQ(cost.augmentLevel, 5);
        EXPECT_EQ(cost.augmentCount, 3);
        EXPECT_EQ(sword->GetItemCost(false), 503u);
        sword->InitializeItem();
    }
}

TEST_F(ItemEquipmentTest, HugeAugmentLevelsSaturateInsteadOfWrapping)
{
    WriteSword({"augmentAllLevel = 2147483647"});
    database.WriteRecord(kSuffix, {"augmentAllLevel = 2147483647"});
    ItemEquipment* sword = Must(Make(1, false, true));
    CostInfo_AugmentAttributes cost;
    sword->GetSkillAugment().GetCostInfo(cost);
    EXPECT_EQ(cost.augmentLevel, 2147483647);
    EXPECT_EQ(sword->GetSkillAugment().GetAllSkillLevel(), 4294967294u);
}

// The skill store keeps the affixes' values apart from the item's own, so the base summary is
// the item's own value and the affixes count as bonuses, as if they were taken back out of it.
TEST_F(ItemEquipmentTest, TheSkillSummaryHoldsTheItemsOwnValueApartFromTheAffixes)
{
    WriteSword({"skillCooldownReduction = 4"});
    database.WriteRecord(kPrefix, {"skillCooldownReduction = 6"});
    database.WriteRecord(kSuffix, {});
    ItemEquipment* sword = Must(Make(9));
    float base = 0.0f;
    float bonus = 0.0f;
    float count = 0.0f;
    ASSERT_TRUE(sword->GetDesignerVariable("skillAttrBase", base));
    ASSERT_TRUE(sword->GetDesignerVariable("skillAttrBonus", bonus));
    ASSERT_TRUE(sword->GetDesignerVariable("skillAttrBonusCount", count));
    EXPECT_NEAR(base, 4.0f, 1.5f); // jittered and rounded
    EXPECT_NEAR(bonus, 6.0f, 2.0f);
    EXPECT_EQ(count, 1.0f);
}

TEST_F(ItemEquipmentTest, EachWeaponClassReportsItsKindHandsAndMarket)
{
    const struct {
        const char* name;
        Weapon_Type kind;
        int32_t right, left;
        Market_TypeEnum market;
        Item_Type type;
    } rows[] = {
        {"WeaponMelee", Weapon_Type_Weapon, 2, 1, Market_General, ItemType_Weapon},
        {"WeaponHunting_Spear", Weapon_Type_Spear, 8, 0, Market_RangedWeapons, ItemType_Weapon},
        {"WeaponHunting_Bow", Weapon_Type_Bow, 0, 4, Market_RangedWeapons, ItemType_Weapon},
        {"WeaponMagical_Staff", Weapon_Type_Staff, 0, 16, Market_RangedWeapons, ItemType_Weapon},
        {"WeaponArmor_Shield", Weapon_Type_Shield, 0, 32, Market_Armor, ItemType_Shield},
        {"WeaponMelee_Sword", Weapon_Type_Sword, 2, 1, Market_MeleeWeapons, ItemType_Weapon},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto* weapon = Must(DynamicCast<Weapon>(ObjectManager::Instance().CreateObject(row.name)));
        EXPECT_EQ(weapon->GetWeaponType(), row.kind);
        EXPECT_EQ(weapon->GetRightHandType(), row.right);
        EXPECT_EQ(weapon->GetLeftHandType(), row.left);
        EXPECT_EQ(weapon->GetItemMarketType(), row.market);
        EXPECT_EQ(weapon->GetItemType(), row.type);
    }
}

} // namespace
} // namespace GAME::Test
