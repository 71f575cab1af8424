#include "characters/Bonus.h"

#include "tests/support/Records.h"

namespace GAME {
namespace {

using Test::Record;

TEST(Bonus, LoadsTheNineKeysAndReadsNegativeCountsAsNone)
{
    Bonus bonus;
    bonus.Load(Record("bonusLifePoints = 10\nbonusLifePercent = 0.25\nbonusManaPoints = 3\n"
                      "bonusManaPercent = 0.5\nbonusGoldPoints = 7\nbonusSkillPoints = 1\n"
                      "bonusAttributePoints = 2\nbonusExperiencePoints = 300\n"
                      "bonusEffectName = Records/Fx/Glow.dbr\n"));
    EXPECT_EQ(bonus.lifePoints, 10.0f);
    EXPECT_EQ(bonus.lifePercent, 0.25f);
    EXPECT_EQ(bonus.manaPoints, 3.0f);
    EXPECT_EQ(bonus.manaPercent, 0.5f);
    EXPECT_EQ(bonus.goldPoints, 7u);
    EXPECT_EQ(bonus.skillPoints, 1u);
    EXPECT_EQ(bonus.attributePoints, 2u);
    EXPECT_EQ(bonus.experiencePoints, 300u);
    EXPECT_EQ(bonus.effectName, "Records/Fx/Glow.dbr");

    // A negative count would wrap to a huge reward; reloading also drops the other keys.
    bonus.Load(Record("bonusGoldPoints = -5\n"));
    EXPECT_EQ(bonus.GetTotal(1000.0f, 500.0f), 0.0f);
    EXPECT_TRUE(bonus.effectName.empty());

    bonus.lifePercent = 0.25f;
    bonus.manaPoints = 10.0f;
    EXPECT_EQ(bonus.GetTotal(1000.0f, 500.0f), 260.0f) << "percentages weighed by the bases";
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
