#include "characters/Bonus.h"

#include "engine/LoadTable.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

TEST(Bonus, ARecordWithoutKeysGivesNothing)
{
    Bonus bonus;
    bonus.Load(LoadTable());
    EXPECT_EQ(bonus.GetTotal(1000.0f, 500.0f), 0.0f);
    EXPECT_TRUE(bonus.effectName.empty());
}

TEST(Bonus, LoadsTheNineKeys)
{
    LoadTable table;
    table.Parse("bonusLifePoints = 10\nbonusLifePercent = 0.25\nbonusManaPoints = 3\n"
                "bonusManaPercent = 0.5\nbonusGoldPoints = 7\nbonusSkillPoints = 1\n"
                "bonusAttributePoints = 2\nbonusExperiencePoints = 300\n"
                "bonusEffectName = Records/Fx/Glow.dbr\n",
                "bonus.dbr");
    Bonus bonus;
    bonus.Load(table);
    EXPECT_EQ(bonus.lifePoints, 10.0f);
    EXPECT_EQ(bonus.lifePercent, 0.25f);
    EXPECT_EQ(bonus.manaPoints, 3.0f);
    EXPECT_EQ(bonus.manaPercent, 0.5f);
    EXPECT_EQ(bonus.goldPoints, 7u);
    EXPECT_EQ(bonus.skillPoints, 1u);
    EXPECT_EQ(bonus.attributePoints, 2u);
    EXPECT_EQ(bonus.experiencePoints, 300u);
    EXPECT_EQ(bonus.effectName, "Records/Fx/Glow.dbr");
}

TEST(Bonus, NegativeCountsReadAsNone)
{
    LoadTable table;
    table.Parse("bonusGoldPoints = -5\n", "bonus.dbr");
    Bonus bonus;
    bonus.Load(table);
    EXPECT_EQ(bonus.goldPoints, 0u);
}

TEST(Bonus, TotalWeighsThePercentagesByTheBases)
{
    Bonus bonus;
    bonus.lifePercent = 0.25f;
    bonus.manaPoints = 10.0f;
    EXPECT_EQ(bonus.GetTotal(1000.0f, 500.0f), 260.0f);
}

TEST(Bonus, CopyValuesKeepsTheEffectName)
{
    Bonus source;
    source.receiverId = 4;
    source.experiencePoints = 90;
    source.effectName = "Records/Fx/Other.dbr";
    source.sourceId = 12;
    Bonus target;
    target.effectName = "Records/Fx/Mine.dbr";
    target.CopyValues(source);
    EXPECT_EQ(target.receiverId, 4u);
    EXPECT_EQ(target.experiencePoints, 90u);
    EXPECT_EQ(target.sourceId, 12u);
    EXPECT_EQ(target.effectName, "Records/Fx/Mine.dbr");
}

} // namespace
} // namespace GAME
