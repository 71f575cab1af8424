#include "skills/Skill_BuffSelfColossus.h"

#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeType.h"
#include "tests/support/SelfBuffFixture.h"

namespace GAME::Test {
namespace {

class Skill_BuffSelfColossusTest : public SelfBuffFixture {
protected:
    Skill_BuffSelfColossus* MakeColossus(const std::string& seconds)
    {
        return Make<Skill_BuffSelfColossus>(
            "Skill_BuffSelfColossus", {"skillActiveDuration = 10", "actorScale = 2",
                                       "actorScaleTime = " + seconds, "characterStrength = 10"});
    }
    float Strength(const Skill& skill) const
    {
        CharAttributeAccumulator acc;
        skill.CollectPassiveCharAttributes(acc);
        return acc.GetValue(CharAttribute_Strength);
    }
};

TEST_F(Skill_BuffSelfColossusTest, ARestoredOneIsAtItsTargetAtOnce)
{
    Skill_BuffSelfColossus* colossus = MakeColossus("2");
    ASSERT_NE(colossus, nullptr);
    Receive(*colossus, true, true);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 2.0f);
    EXPECT_FALSE(colossus->IsScaling());
    EXPECT_FLOAT_EQ(Strength(*colossus), 10.0f);
}

TEST_F(Skill_BuffSelfColossusTest, ALiveOneGrowsOverItsTimeAndFeedsNothingUntilThere)
{
    Skill_BuffSelfColossus* colossus = MakeColossus("2");
    ASSERT_NE(colossus, nullptr);
    colossus->ActivateNow(*owner, Name(), 0, WorldVec3());
    Receive(*colossus, true);
    EXPECT_FLOAT_EQ(Strength(*colossus), 0.0f);
    for (int frame = 1; frame <= 60; ++frame)
        colossus->Update(*owner, 33);
    EXPECT_NEAR(owner->GetCurrentScale(), 1.99f, 1e-4f);
    EXPECT_EQ(owner->GetSize(), PathingSize_Small);
    EXPECT_FLOAT_EQ(Strength(*colossus), 0.0f);

    colossus->Update(*owner, 33);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 2.0f);
    EXPECT_EQ(owner->GetSize(), PathingSize_Large);
    colossus->Update(*owner, 33);
    EXPECT_FLOAT_EQ(Strength(*colossus), 10.0f);

    // Off, it shrinks back to the base scale and the extents follow.
    Receive(*colossus, false);
    for (int frame = 1; frame <= 61; ++frame)
        colossus->Update(*owner, 33);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 1.0f);
    EXPECT_EQ(owner->GetSize(), PathingSize_Small);
}

TEST_F(Skill_BuffSelfColossusTest, NoScaleTimeReachesTheTargetOnTheNextUpdate)
{
    Skill_BuffSelfColossus* colossus = MakeColossus("0");
    ASSERT_NE(colossus, nullptr);
    Receive(*colossus, true);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 1.0f);
    colossus->Update(*owner, 33);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 2.0f);
    EXPECT_FALSE(colossus->IsScaling());
}

} // namespace
} // namespace GAME::Test
