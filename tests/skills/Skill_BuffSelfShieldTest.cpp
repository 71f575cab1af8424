#include "skills/Skill_BuffSelfShield.h"

#include "tests/support/SelfBuffFixture.h"

namespace GAME::Test {
namespace {

using Skill_BuffSelfShieldTest = SelfBuffFixture;

TEST_F(Skill_BuffSelfShieldTest, APoolOfHundredLetsZeroThenTwentyThroughAndDropsNextUpdate)
{
    auto* shield = Make<Skill_BuffSelfShield>(
        "Skill_BuffSelfShield", {"damageAbsorption = 100", "fireDamageQualifier = 1"});
    ASSERT_NE(shield, nullptr);
    shield->ActivateNow(*owner, Name(), 0, WorldVec3());
    Receive(*shield, true);
    EXPECT_FALSE(shield->SetAvailability(true, true));
    EXPECT_EQ(shield->GetReason(), 1);
    EXPECT_EQ(shield->TrackableTotalTime(1), 100);

    LogCapture log;
    EXPECT_FLOAT_EQ(LifeLost(CombatAttributeType_Cold, 40.0f), 40.0f);
    EXPECT_EQ(log.Count(0, "^bShield: Ignored non-qualified damage (40.000000)"), 1u);
    EXPECT_EQ(shield->TrackableRemainingTime(1), 100);

    EXPECT_FLOAT_EQ(LifeLost(CombatAttributeType_Fire, 60.0f), 0.0f);
    EXPECT_FLOAT_EQ(LifeLost(CombatAttributeType_Fire, 60.0f), 20.0f);
    EXPECT_EQ(log.Count(0, "^bShield: Absorbed (40.000000) of (60.000000) damage, shield "
                           "remaining (0.000000)"),
              1u);
    EXPECT_EQ(services.sent, std::vector<bool>{true});
    shield->Update(*owner, 33);
    EXPECT_EQ(services.sent, (std::vector<bool>{true, false}));
    Receive(*shield, false);
    EXPECT_EQ(shield->GetCooldownRemaining(), 2000);
}

TEST_F(Skill_BuffSelfShieldTest, CutsByPercentThenEmptiesThePool)
{
    auto* shield = Make<Skill_BuffSelfShield>(
        "Skill_BuffSelfShield", {"damageAbsorption = 30", "damageAbsorptionPercent = 50"});
    ASSERT_NE(shield, nullptr);
    Receive(*shield, true);
    LogCapture log;
    EXPECT_FLOAT_EQ(shield->ModifyDamage(100.0f, CombatAttributeType_Fire), 20.0f);
    EXPECT_FLOAT_EQ(shield->GetAbsorption(), 0.0f);
    ASSERT_EQ(log.GetLines().size(), 2u);
    EXPECT_EQ(log.GetLines()[0].text, "^bShield: Reduced (100.000000) Damage by (50.000000%) "
                                      "percent, remaining damage (50.000000)");
    EXPECT_EQ(log.GetLines()[1].text, "^bShield: Absorbed (30.000000) of (50.000000) damage, "
                                      "shield remaining (0.000000)");
    // A second use while up re-sends "on".
    shield->ActivateNow(*owner, Name(), 0, WorldVec3());
    shield->ActivateNow(*owner, Name(), 0, WorldVec3());
    EXPECT_EQ(services.sent, (std::vector<bool>{true, true}));
}

} // namespace
} // namespace GAME::Test
