#include "items/MarketArmor.h"
#include "items/MarketClient.h"
#include "items/MarketMisc.h"
#include "items/MarketWeapon.h"
#include "tests/support/MarketFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace GAME::Test {
namespace {

LoadTable Record(const std::string& text)
{
    LoadTable table;
    table.Parse(text, "Records/Market/Test.dbr");
    return table;
}

using MarketMiniMartTest = MarketFixture;

TEST_F(MarketMiniMartTest, EveryCategoryDrawsItsCountEvenWithoutATable)
{
    struct Row {
        std::unique_ptr<MarketMiniMart> category;
        std::string tableKey;
        Market_TypeEnum type;
    };
    Row rows[] = {
        {std::make_unique<MarketWeapon_Axe>(), "marketAxeTable2", Market_Axe},
        {std::make_unique<MarketArmor_BodyArmor>(), "marketBodyArmorTable2", Market_BodyArmor},
        {std::make_unique<MarketMisc_Static>(), "marketStaticTable2", Market_UsedAndStaticMisc},
        {std::make_unique<MarketWeapon_Used2>(), "", Market_UsedWeaponsOther}};
    for (Row& row : rows) {
        SCOPED_TRACE(row.tableKey);
        const LoadTable record = Record(row.tableKey.empty() ? "" : row.tableKey + " = T.dbr\n");
        EXPECT_EQ(row.category->GetTableName(record, 2), row.tableKey.empty() ? "" : "T.dbr");
        EXPECT_EQ(row.category->GetMarketType(), row.type);
        RandomUniform rng;
        rng.Seed(7);
        RandomUniform once = rng;
        once.IGenerate(0, 0);
        row.category->Refresh(Record(""), 2, rng);
        EXPECT_EQ(rng.GetState(), once.GetState());
    }
}

TEST_F(MarketMiniMartTest, RepeatedItemsAreTriedFiveTimesAndHugeCountsAreCapped)
{
    Table("Records/Loot/OneAxe.dbr", "Axe", 1);
    MarketClient market(nullptr, 1);
    MarketWeapon_Axe axes;
    axes.SetMarket(&market);
    RandomUniform rng;
    rng.Seed(3);
    axes.Refresh(Record("marketNumAxeMin = 3\nmarketNumAxeMax = 3\n"
                        "marketAxeTable1 = Records/Loot/OneAxe.dbr\n"),
                 1, rng);
    EXPECT_EQ(market.GetQueuedItemCount(), 1u);

    axes.Refresh(Record("marketNumAxeMin = 2000000000\nmarketNumAxeMax = 2000000000\n"
                        "marketAxeTable1 = Records/Loot/OneAxe.dbr\n"),
                 1, rng);
    EXPECT_EQ(market.GetQueuedItemCount(), 2u);
    EXPECT_EQ(log.Count(1, "Market category 6 of Records/Market/Test.dbr asks for 2000000000 "
                           "items; 600 are listed"),
              1u);
}

} // namespace
} // namespace GAME::Test
