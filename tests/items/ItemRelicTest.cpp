#include "items/ItemRelic.h"

#include "characters/CharAttributeAccumulator.h"
#include "items/ItemEquipment.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

constexpr const char* kRelic = "Records/Relics/Eye.dbr";
constexpr const char* kOther = "Records/Relics/Tooth.dbr";
constexpr const char* kBonus = "Records/Relics/EyeBonus.dbr";
constexpr const char* kTable = "Records/Relics/EyeBonusTable.dbr";
constexpr const char* kSword = "Records/Items/RelicSword.dbr";

class ItemRelicTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
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
        ItemReplicaInfo info;
        info.baseName = record;
        info.var1 = shards;
        info.relicBonus = bonus;
        return DynamicCast<ItemRelic>(Item::CreateItem(info));
    }

    ItemEquipment* Sword(const char* classification = "Rare")
    {
        database.WriteRecord(kSword, {"Class = WeaponMelee_Sword",
                                      std::string("itemClassification = ") + classification});
        ItemReplicaInfo info;
        info.baseName = kSword;
        return DynamicCast<ItemEquipment>(Item::CreateItem(info));
    }
};

TEST_F(ItemRelicTest, ShardsAddUpToTheCompletionLevelAndTheRestStaysBehind)
{
    ItemRelic* target = Relic(4);
    ItemRelic* dropped = Relic(3);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->GetItemClassification(), ItemClassification_Relic);
    bool confirm = true;
    ASSERT_TRUE(dropped->CanRelicBeUsedOn(target, confirm));
    EXPECT_FALSE(confirm);
    ASSERT_TRUE(dropped->UseRelicOn(target));
    EXPECT_EQ(target->GetRelicLevel(), 5u);
    EXPECT_TRUE(target->IsComplete());
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
    EXPECT_TRUE(target->IsComplete());
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
    EXPECT_EQ(relic->GetRelicLevel(), 0u);
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
    ItemReplicaInfo info;
    info.baseName = kSword;
    auto* sword = DynamicCast<ItemEquipment>(Item::CreateItem(info));
    sword->AddRelic(kRelic, "", 1);
    EXPECT_EQ(sword->GetStrengthRequirement(), 40u);
    EXPECT_EQ(sword->GetDexterityRequirement(), 30u);
    // A name that makes no relic leaves the slot empty but the record keeps it.
    sword->AddRelic(kSword, "", 2);
    EXPECT_FALSE(sword->HasRelic());
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
