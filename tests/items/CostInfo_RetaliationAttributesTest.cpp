#include "items/CostInfo_RetaliationAttributes.h"
#include "combat/RetaliationAttributeStore_Equipment.h"
#include "engine/LoadTable.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace {

using Lines = std::vector<GAME::Test::LogCapture::Line>;

TEST(CostInfo_RetaliationAttributes, DumpsItsFiguresWithoutTheBaseLine)
{
    LoadTable record;
    record.Parse("retaliationFireMin = 10\nretaliationFireMax = 20\n"
                 "retaliationColdModifier = 15\nretaliationColdModifierChance = 50\n",
                 "test.dbr");
    RetaliationAttributeStore_Equipment store;
    store.Load(record, nullptr, nullptr, false);
    CostInfo_RetaliationAttributes info;
    store.GetCostInfo(info);
    info.avgBase = 3.0f;

    GAME::Test::LogCapture log;
    const CostInfo_DamageAttributes& asDamage = info;
    asDamage.Dump();
    EXPECT_EQ(log.GetLines(), (Lines{{0, "Retaliation Cost Attributes"},
                                     {0, "   avgBonus        = 15.000000"},
                                     {0, "   mod             = 7.500000"},
                                     {0, "   count           = 2"}}));
    EXPECT_EQ(info.GetTotalCount(), 2);

    info.Reset();
    log.Clear();
    info.Dump();
    EXPECT_EQ(log.GetLines(), (Lines{{0, "Retaliation Cost Attributes"}}));
}

} // namespace
} // namespace GAME
