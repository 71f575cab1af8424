#include "items/CostInfo_DamageAttributes.h"

#include "combat/RetaliationAttributeStore_Equipment.h"
#include "items/CostInfo_CharacterAttributes.h"
#include "items/CostInfo_DefenseAttributes.h"
#include "items/CostInfo_RetaliationAttributes.h"
#include "items/CostInfo_SkillAttributes.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

using Lines = std::vector<LogCapture::Line>;

// Each summary logs its heading, then only the figures that are not zero.
class CostInfoDump : public ::testing::Test {
protected:
    template <class Info> Lines Dumped(const Info& info)
    {
        log.Clear();
        info.Dump();
        return log.GetLines();
    }

    LogCapture log;
};

TEST_F(CostInfoDump, Damage)
{
    CostInfo_DamageAttributes info;
    info.avgPierceRatio = 10.0f;
    info.avgOverTime = 1.5f;
    info.modDur = -2.0f;
    info.count = 2;
    EXPECT_EQ(Dumped(info), (Lines{{0, "Damage Cost Attributes"},
                                   {0, "   avgBase (0.000000)  avgPierceRatio (10.000000)"},
                                   {0, "   avgOverTime     = 1.500000"},
                                   {0, "   modDur          = -2.000000"},
                                   {0, "   count           = 2"}}));
    EXPECT_EQ(info.GetTotalCount(), 2);

    info.Reset();
    EXPECT_EQ(Dumped(info), (Lines{{0, "Damage Cost Attributes"}}));
    EXPECT_EQ(info.GetTotalCount(), 0);
}

TEST_F(CostInfoDump, Defense)
{
    CostInfo_DefenseAttributes info;
    info.armor = 120.0f;
    info.base = 12.0f;
    info.baseDuration = 1.5f;
    info.mod = -3.0f;
    info.modDuration = 4.0f;
    info.count = 5;
    EXPECT_EQ(Dumped(info), (Lines{{0, "Defense Cost Attributes"},
                                   {0, "   armor           = 120.000000"},
                                   {0, "   base            = 12.000000"},
                                   {0, "   baseDuration    = 1.500000"},
                                   {0, "   mod             = -3.000000"},
                                   {0, "   modDuration     = 4.000000"},
                                   {0, "   count           = 5"}}));
    EXPECT_EQ(info.GetTotalCount(), 5);
}

TEST_F(CostInfoDump, RetaliationThroughTheDamageSummaryLeavesOutTheBaseLine)
{
    RetaliationAttributeStore_Equipment store;
    store.Load(
        GAME::Test::Record("retaliationFireMin = 10\nretaliationFireMax = 20\n"
                           "retaliationColdModifier = 15\nretaliationColdModifierChance = 50\n"),
        nullptr, nullptr, false);
    CostInfo_RetaliationAttributes info;
    store.GetCostInfo(info);
    info.avgBase = 3.0f;

    const CostInfo_DamageAttributes& asDamage = info;
    EXPECT_EQ(Dumped(asDamage), (Lines{{0, "Retaliation Cost Attributes"},
                                       {0, "   avgBonus        = 15.000000"},
                                       {0, "   mod             = 7.500000"},
                                       {0, "   count           = 2"}}));
    EXPECT_EQ(info.GetTotalCount(), 2);
}

TEST_F(CostInfoDump, SkillCountsOnlyItsBonuses)
{
    CostInfo_SkillAttributes info;
    info.base = 2.5f;
    info.modifier = -10.0f;
    info.bonusCount = 3;
    EXPECT_EQ(Dumped(info), (Lines{{0, "Skill Cost Attributes"},
                                   {0, "   base        = 2.500000"},
                                   {0, "   modifier    = -10.000000"},
                                   {0, "   bonusCount  = 3"}}));
    EXPECT_EQ(info.GetTotalCount(), 3);

    info.Reset();
    info.bonus = 0.25f;
    EXPECT_EQ(Dumped(info),
              (Lines{{0, "Skill Cost Attributes"}, {0, "   bonus       = 0.250000"}}));
    EXPECT_EQ(info.GetTotalCount(), 0);
}

TEST_F(CostInfoDump, ACharacterPairIsDumpedWhenEitherHalfIsSet)
{
    CostInfo_CharacterAttributes info;
    EXPECT_EQ(Dumped(info), (Lines{{0, "Character Cost Attributes"}}));
    info.bonusCount = 2;
    info.otherSpeedMod = 1.5f;
    info.otherSpeedModCount = 1;
    EXPECT_EQ(info.GetTotalCount(), 3);
    EXPECT_EQ(Dumped(info),
              (Lines{{0, "Character Cost Attributes"},
                     {0, "   bonus          (0.000000)   bonusCount            (2)"},
                     {0, "   otherSpeedMod  (1.500000)   otherSpeedModCount    (1)"}}));
}

TEST_F(CostInfoDump, AugmentAndShieldRecordsLeaveOutTheirZeros)
{
    CostInfo_AugmentAttributes augment;
    augment.augmentCount = 2;
    EXPECT_EQ(Dumped(augment),
              (Lines{{0, "Augments Cost Attributes"}, {0, "   augmentCount    = 2"}}));
    CostInfo_ShieldAttributes shield;
    shield.blockDefense = 50.0f;
    EXPECT_EQ(Dumped(shield),
              (Lines{{0, "Shield Cost Attributes"}, {0, "   blockDefense        = 50.000000"}}));
}

} // namespace
} // namespace GAME::Test
