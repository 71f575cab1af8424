#include "items/ItemEquipment.h"

#include "characters/CharAttributeAccumulator.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/ItemRelic.h"
#include "items/ItemSet.h"
#include "items/WeaponArmor_Shield.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/EquipmentRecords.h"
#include "tests/support/Must.h"
#include "tests/support/Records.h"
#include "tests/support/Replica.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using ItemEquipmentTest = EquipmentFixture;

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

TEST_F(ItemEquipmentTest, EqualRecordsRollEqualItemsAndARollAgainChangesNothing)
{
    database.WriteRecord(kCost, {"weaponCostEquation = charPrimaryAtt*10+itemPrefixCost",
                                 "swordStrengthEquation = charPrimaryAtt"});
    WriteSword({"characterStrength = 100", "levelRequirement = 15"});
    database.WriteRecord(kPrefix, {"lootRandomizerName = tagSharp", "lootRandomizerCost = 7",
                                   "characterStrength = 40", "levelRequirement = 20"});
    database.WriteRecord(kSuffix, {"lootRandomizerName = tagOfMight", "characterDexterity = 30",
                                   "levelRequirement = 3"});
    ItemEquipment* first = Must(Make(77));
    ItemEquipment* second = Must(Make(77));
    const Rolled rolled = Summary(*first);
    EXPECT_EQ(Summary(*second), rolled);
    EXPECT_EQ(rolled.level, 20u);

    first->InitializeItem();
    EXPECT_EQ(Summary(*first), rolled);
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

// The sword's own figures; the prefix and suffix each add their market adjustment.
TEST_F(ItemEquipmentTest, ThePriceIsTheWeaponsCostEquationScaledByTheAffixesAndTheRecord)
{
    database.WriteRecord(kPrefix, {"marketAdjustmentPercent = 4"});
    database.WriteRecord(kSuffix, {"marketAdjustmentPercent = 6"});
    const struct {
        const char* sword;
        const char* equation;
        bool affixes;
        uint32_t price;
    } rows[] = {{"itemCostScalePercent = 5", "weaponCostEquation = 200", true, 230},
                {"itemCost = 999", "armorCostEquation = 200", true, 0},
                {"itemCost = 120", "weaponCostEquation = itemBaseCost/2", false, 60},
                {"itemCostName = Records/Game/Nowhere.dbr", "weaponCostEquation = 200", false, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sword);
        WriteSword({row.sword});
        database.WriteRecord(kCost, {row.equation});
        ObjectManager::Instance().GetDatabase().SetRoot(database.GetRoot());
        EXPECT_EQ(Must(Make(1, row.affixes, row.affixes))->GetItemCost(false), row.price);
    }
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
// the item's own value alone (4; the affixes roll 12 between them). Taking the affixes out of it
// as well would count them twice: the second equation prices the roll with that base.
TEST_F(ItemEquipmentTest, TheSkillSummaryHoldsTheItemsOwnValueApartFromTheAffixes)
{
    WriteSword({"skillCooldownReduction = 4"});
    database.WriteRecord(kPrefix, {"skillCooldownReduction = 6"});
    database.WriteRecord(kSuffix, {"skillCooldownReduction = 5"});
    const struct {
        const char* equation;
        uint32_t price;
    } rows[] = {
        {"weaponCostEquation = (skillAttrBase*10)+(skillAttrBonus*30)", 400},
        {"weaponCostEquation = ((skillAttrBase-skillAttrBonus)*10)+(skillAttrBonus*30)", 280}};
    for (const auto& row : rows) {
        database.WriteRecord(kCost, {row.equation});
        ObjectManager::Instance().GetDatabase().SetRoot(database.GetRoot());
        EXPECT_EQ(Must(Make(9))->GetItemCost(false), row.price);
    }
}

TEST_F(ItemEquipmentTest, TwoEnginesMakeTheSameSwordFromOneRecord)
{
    // What one engine makes of the record: attributes, requirements and price.
    const auto MadeOnAFreshEngine = [this](uint32_t seed) {
        InitializeObjects();
        std::vector<std::string> seen;
        if (ItemEquipment* sword = Make(seed)) {
            CharAttributeAccumulator attributes;
            sword->GetCharAttributes(attributes);
            seen.push_back(std::to_string(attributes.GetValue(CharAttribute_Strength)) + " " +
                           std::to_string(attributes.GetValue(CharAttribute_Dexterity)));
            seen.push_back(std::to_string(sword->GetStrengthRequirement()) + " " +
                           std::to_string(sword->GetLevelRequirement()) + " " +
                           std::to_string(sword->GetItemCost(false)));
        }
        ObjectManager::Instance().DestroyAllObjects();
        ShutdownObjects();
        return seen;
    };
    WriteSword({"characterStrength = 100;200", "offensivePhysicalMin = 5",
                "offensivePhysicalMax = 40", "itemCost = 100"});
    database.WriteRecord(kPrefix, {"lootRandomizerName = tagKeen", "characterDexterity = 50;90",
                                   "lootRandomizerCost = 25", "levelRequirement = 4"});
    database.WriteRecord(kSuffix,
                         {"lootRandomizerName = tagOfBears", "offensivePhysicalModifier = 10;30",
                          "skillCooldownReduction = 20", "skillManaCostReduction = 30"});
    database.WriteRecord(kCost, {"weaponCostEquation = itemBaseCost+(damageAvgBase*2)",
                                 "swordStrengthEquation = 10+(charPrimaryAtt*2)"});
    const std::vector<std::string> first = MadeOnAFreshEngine(41);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(MadeOnAFreshEngine(41), first);
    EXPECT_NE(MadeOnAFreshEngine(42), first) << "another seed rolls another sword";
}

TEST_F(ItemEquipmentTest, AShieldsAffixesRaiseItsBlockOnceAndTheRecordKeepsItsOwn)
{
    database.WriteRecord("Records/Items/Shield.dbr",
                         {"Class = WeaponArmor_Shield", "defensiveBlockChance = 10",
                          "defensiveBlock = 50", "offensivePhysicalMin = 4"});
    database.WriteRecord(kPrefix, {"shieldBlockChanceModifier = 20", "shieldBlockModifier = 20"});
    database.WriteRecord(kSuffix, {"shieldBlockChanceModifier = 10"});
    ItemReplicaInfo info = Replica("Records/Items/Shield.dbr");
    info.prefixName = kPrefix;
    info.suffixName = kSuffix;
    auto* shield = Must(DynamicCast<WeaponArmor_Shield>(Item::CreateItem(info)));
    for (int roll = 0; roll < 2; ++roll) {
        SCOPED_TRACE(roll);
        EXPECT_FLOAT_EQ(shield->GetShieldBlockChance(), 13.0f);
        EXPECT_FLOAT_EQ(shield->GetShieldDefense(), 60.0f);
        float recorded = 0.0f;
        ASSERT_TRUE(shield->GetDesignerVariable("shieldBlockChance", recorded));
        EXPECT_FLOAT_EQ(recorded, 10.0f);
        shield->InitializeItem();
    }
}

using WeaponArmor_ShieldTest = EngineFixture;

TEST_F(WeaponArmor_ShieldTest, ReadsItsBlockValuesAndSaturatesAHugeRecoveryTime)
{
    database.WriteRecord("Records/Shield.dbr",
                         {"Class = WeaponArmor_Shield", "defensiveBlockChance = 12.5",
                          "defensiveBlock = 40", "blockAbsorption = 55",
                          "blockRecoveryTime = 0.7"});
    auto* shield = Must(
        ObjectManager::Instance().CreateObjectFromFile<WeaponArmor_Shield>("Records/Shield.dbr"));
    EXPECT_EQ(shield->GetShieldBlockChance(), 12.5f);
    EXPECT_EQ(shield->GetShieldRecoveryTime(), 700); // 699 if multiplied in double precision
    shield->Load(Record("blockRecoveryTime = 1e12\n"));
    EXPECT_EQ(shield->GetShieldRecoveryTime(), INT32_MAX);
    EXPECT_EQ(shield->GetShieldBlockChance(), 0.0f);
}

using ItemSetTest = EngineFixture;

TEST_F(ItemSetTest, ListsItsMembersInRecordOrderEvenWithoutTheirRecords)
{
    database.WriteRecord(
        "Records/Item/Sets/Bronze.dbr",
        {"setMembers = Records/Item/Bronze/Helm.dbr;Records/Item/Bronze/NoRecord.dbr"});
    database.WriteRecord("Records/Item/Bronze/Helm.dbr", {"itemNameTag = tagBronzeHelm"});

    ItemSet set;
    set.LoadFromDatabase("Records/Item/Sets/Bronze.dbr");
    ASSERT_EQ(set.GetMembers().size(), 2u);
    EXPECT_EQ(set.GetMembers()[0].recordName, "records\\item\\bronze\\helm.dbr");
    // A member without a record still belongs to the set.
    EXPECT_EQ(set.GetMembers()[1].recordName, "records\\item\\bronze\\norecord.dbr");

    ItemSet gone;
    gone.LoadFromDatabase("Records/Item/Sets/Gone.dbr");
    EXPECT_EQ(log.Count(1, "ItemSet: could not load record 'Records/Item/Sets/Gone.dbr'"), 1u);
    EXPECT_TRUE(gone.GetMembers().empty());
}

constexpr const char* kRelic = "Records/Relics/Eye.dbr";
constexpr const char* kOther = "Records/Relics/Tooth.dbr";
constexpr const char* kBonus = "Records/Relics/EyeBonus.dbr";
constexpr const char* kTable = "Records/Relics/EyeBonusTable.dbr";
constexpr const char* kSword = "Records/Items/RelicSword.dbr";

class ItemRelicTest : public CombatGameFixture {
protected:
    void SetUp() override
    {
        CombatGameFixture::SetUp();
        database.WriteRecord(
            kRelic, {"Class = ItemRelic", "completedRelicLevel = 5", "itemClassification = Rare",
                     "sword = 1", "characterStrength = 10;20;30;40;50", "itemCost = 100;200;300",
                     "itemCostScalePercent = 50", "bonusTableName = " + std::string(kTable)});
        database.WriteRecord(kOther, {"Class = ItemCharm", "completedRelicLevel = 5", "sword = 1"});
        database.WriteRecord(kBonus, {"Class = ItemRelic", "characterDexterity = 7;8"});
        database.WriteRecord(kTable, {"Class = LootRandomizerTable",
                                      "randomizerName1 = " + std::string(kBonus),
                                      "randomizerWeight1 = 10"});
    }

    static ItemRelic* Relic(uint32_t shards, const char* record = kRelic,
                            const std::string& bonus = "")
    {
        ItemReplicaInfo info = Replica(record, 0, shards);
        info.relicBonus = bonus;
        return DynamicCast<ItemRelic>(Item::CreateItem(info));
    }

    ItemEquipment* Sword(const char* classification = "Rare")
    {
        database.WriteRecord(kSword, {"Class = WeaponMelee_Sword",
                                      std::string("itemClassification = ") + classification});
        return DynamicCast<ItemEquipment>(Item::CreateItem(Replica(kSword)));
    }
};

TEST_F(ItemRelicTest, ShardsAddUpToTheCompletionLevelAndTheRestStaysBehind)
{
    ItemRelic* target = Must(Relic(4));
    ItemRelic* dropped = Relic(3);
    bool confirm = true;
    ASSERT_TRUE(dropped->CanRelicBeUsedOn(target, confirm));
    EXPECT_FALSE(confirm);
    ASSERT_TRUE(dropped->UseRelicOn(target));
    EXPECT_EQ(target->GetRelicLevel(), 5u);
    EXPECT_EQ(target->GetRelicBonus(), kBonus) << "completion rolls the bonus from the table";
    EXPECT_EQ(dropped->GetRelicLevel(), 2u);

    // A complete relic takes no more, from either side; other records never mix.
    EXPECT_FALSE(dropped->CanRelicBeUsedOn(target, confirm));
    EXPECT_FALSE(target->CanRelicBeUsedOn(dropped, confirm));
    EXPECT_FALSE(dropped->CanRelicBeUsedOn(Relic(1, kOther), confirm));
    EXPECT_FALSE(dropped->CanRelicBeUsedOn(dropped, confirm));
}

TEST_F(ItemRelicTest, AHugeShardCountStopsAtTheCompletionLevelInsteadOfWrapping)
{
    // -1 in the record reads as the largest level.
    database.WriteRecord(kRelic, {"Class = ItemRelic", "completedRelicLevel = -1"});
    ItemRelic* target = Relic(0xFFFFFFF0u);
    ItemRelic* dropped = Relic(0x20u);
    ASSERT_TRUE(dropped->UseRelicOn(target));
    EXPECT_EQ(target->GetRelicLevel(), 0xFFFFFFFFu);
    EXPECT_EQ(dropped->GetRelicLevel(), 0x11u);
}

TEST_F(ItemRelicTest, ACompleteRelicInASwordGivesItsLevelsAttributesAndTheBonusAtOne)
{
    ItemEquipment* sword = Sword();
    ItemRelic* relic = Relic(5, kRelic, kBonus);
    bool confirm = false;
    ASSERT_TRUE(relic->CanRelicBeUsedOn(sword, confirm));
    EXPECT_TRUE(confirm) << "setting it into equipment is for good";
    ASSERT_TRUE(relic->UseRelicOn(sword));
    ASSERT_TRUE(sword->HasRelic());
    EXPECT_EQ(sword->GetItemClassification(), ItemClassification_Relic);
    CharAttributeAccumulator gained;
    sword->GetCharAttributes(gained);
    EXPECT_EQ(gained.GetValue(CharAttribute_Strength), 50.0f);
    EXPECT_EQ(gained.GetValue(CharAttribute_Dexterity), 7.0f);
    // The sword's price carries the relic's: the last entry scaled, 300 * 1.5.
    EXPECT_EQ(sword->GetItemCost(false), 450u);
    EXPECT_FALSE(Relic(1)->CanRelicBeUsedOn(sword, confirm)) << "the sword's relic is complete";
}

TEST_F(ItemRelicTest, EpicAndLegendaryEquipmentAndUnlistedKindsRefuseARelic)
{
    bool confirm = false;
    for (const char* grade : {"Epic", "Legendary"}) {
        SCOPED_TRACE(grade);
        EXPECT_FALSE(Relic(1)->CanRelicBeUsedOn(Sword(grade), confirm));
        EXPECT_TRUE(confirm);
    }
    database.WriteRecord(kRelic, {"Class = ItemRelic", "completedRelicLevel = 5"});
    EXPECT_FALSE(Relic(1)->CanRelicBeUsedOn(Sword(), confirm)) << "\"sword\" is not set";
}

TEST_F(ItemRelicTest, TheStricterRequirementOfSwordAndRelicCounts)
{
    database.WriteRecord(kRelic, {"Class = ItemRelic", "strengthRequirement = 40", "sword = 1"});
    database.WriteRecord(kSword, {"Class = WeaponMelee_Sword", "strengthRequirement = 25",
                                  "dexterityRequirement = 30"});
    auto* sword = DynamicCast<ItemEquipment>(Item::CreateItem(Replica(kSword)));
    sword->AddRelic(kRelic, "", 1);
    EXPECT_EQ(sword->GetStrengthRequirement(), 40u);
    EXPECT_EQ(sword->GetDexterityRequirement(), 30u);
    // A name that makes no relic leaves the slot empty but the record keeps it.
    sword->AddRelic(kSword, "", 2);
    EXPECT_FALSE(sword->HasRelic());
    ItemReplicaInfo info;
    sword->GetItemReplicaInfo(info);
    EXPECT_EQ(info.relicName, kSword);
}

TEST_F(ItemRelicTest, ThePriceIsTheLevelsEntryScaledWithoutRounding)
{
    database.WriteRecord(kRelic, {"Class = ItemRelic", "completedRelicLevel = 5",
                                  "itemCost = 101;201;301", "itemCostScalePercent = 50"});
    const std::pair<uint32_t, uint32_t> rows[] = {{1, 151}, {2, 301}, {3, 451}, {4, 451}, {0, 451}};
    for (const auto& [level, price] : rows) {
        SCOPED_TRACE(level);
        ItemRelic* relic = Relic(1);
        relic->SetRelicLevel(level);
        EXPECT_EQ(relic->GetItemCost(false), price);
    }
}

} // namespace
} // namespace GAME::Test
