#include "skills/Skill_BuffSelfToggled.h"

#include "tests/support/SelfBuffFixture.h"

namespace GAME::Test {
namespace {

class Skill_BuffSelfToggledTest : public SelfBuffFixture {
protected:
    Skill_BuffSelfToggled* MakeToggle()
    {
        return Make<Skill_BuffSelfToggled>(
            "Skill_BuffSelfToggled", {"damageAbsorption = 30", "damageAbsorptionPercent = 50"});
    }
    void Use(Skill_BuffSelfToggled& skill)
    {
        skill.ActivateNow(*owner, Name(), 0, owner->GetCoords().GetPosition());
    }
};

TEST_F(Skill_BuffSelfToggledTest, UsedTwiceSendsOnThenOffPaysOnceAndCoolsDownAtTheEnd)
{
    Skill_BuffSelfToggled* toggle = MakeToggle();
    ASSERT_NE(toggle, nullptr);
    EXPECT_FALSE(toggle->IsPrimary());
    EXPECT_TRUE(toggle->IsSecondary());
    EXPECT_EQ(toggle->GetSkillType(), 1);

    Use(*toggle);
    EXPECT_EQ(services.sent, std::vector<bool>{true});
    EXPECT_TRUE(toggle->IsTrackable(1));
    Receive(*toggle, true);
    EXPECT_FLOAT_EQ(Mana(), 93.0f);
    EXPECT_EQ(toggle->GetCooldownRemaining(), 0);
    EXPECT_FLOAT_EQ(toggle->GetAbsorption(), 30.0f);

    Use(*toggle);
    EXPECT_EQ(services.sent, (std::vector<bool>{true, false}));
    Receive(*toggle, false);
    EXPECT_FLOAT_EQ(Mana(), 93.0f);
    EXPECT_EQ(toggle->GetCooldownRemaining(), 2000);
    EXPECT_FLOAT_EQ(toggle->GetAbsorptionPercent(), 0.0f);
}

TEST_F(Skill_BuffSelfToggledTest, AMirrorSendsNothingAndAppliesWhatArrivesARestoreFree)
{
    Skill_BuffSelfToggled* toggle = MakeToggle();
    ASSERT_NE(toggle, nullptr);
    manager.services = nullptr;
    Use(*toggle);
    toggle->StopSkill(*owner);
    EXPECT_TRUE(services.sent.empty());
    EXPECT_FALSE(toggle->IsToggledOn());

    Receive(*toggle, true, true);
    EXPECT_TRUE(toggle->GetActiveState().active);
    EXPECT_FLOAT_EQ(toggle->GetAbsorption(), 30.0f);
    EXPECT_FLOAT_EQ(Mana(), 100.0f);
}

TEST_F(Skill_BuffSelfToggledTest, CutsThenCapsEachHitAndKeepsTheCap)
{
    Skill_BuffSelfToggled* toggle = MakeToggle();
    ASSERT_NE(toggle, nullptr);
    EXPECT_FLOAT_EQ(LifeLost(), 100.0f);
    Receive(*toggle, true);
    LogCapture log;
    EXPECT_FLOAT_EQ(toggle->ModifyDamage(100.0f, CombatAttributeType_Fire), 20.0f);
    EXPECT_FLOAT_EQ(toggle->GetAbsorption(), 30.0f);
    ASSERT_EQ(log.GetLines().size(), 2u);
    EXPECT_EQ(log.GetLines()[0].text, "^bShield: Reduced (100.000000) Damage by (50.000000%) "
                                      "percent, remaining damage (50.000000)");
    EXPECT_EQ(log.GetLines()[1].text,
              "^bShield: Absorbed (30.000000) of (50.000000) damage, max absorption (30.000000)");
    EXPECT_FLOAT_EQ(LifeLost(), 20.0f);
    EXPECT_FLOAT_EQ(LifeLost(), 20.0f);
}

TEST_F(Skill_BuffSelfToggledTest, ManaRunningOutStopsItAndAStopIsSentOnce)
{
    Skill_BuffSelfToggled* toggle =
        Make<Skill_BuffSelfToggled>("Skill_BuffSelfToggled", {"skillActiveManaCost = 100"});
    ASSERT_NE(toggle, nullptr);
    Use(*toggle);
    Receive(*toggle, true);
    toggle->Update(*owner, 500);
    EXPECT_EQ(services.sent, std::vector<bool>{true});
    toggle->Update(*owner, 500);
    EXPECT_EQ(services.sent, (std::vector<bool>{true, false}));
    toggle->StopSkill(*owner);
    EXPECT_EQ(services.sent.size(), 2u);
}

TEST_F(Skill_BuffSelfToggledTest, UnInstallAndDestructionTakeTheFilterOffTheOwner)
{
    Skill_BuffSelfToggled* toggle = MakeToggle();
    ASSERT_NE(toggle, nullptr);
    Receive(*toggle, true);
    toggle->UnInstall(owner);
    EXPECT_FLOAT_EQ(LifeLost(), 100.0f);

    toggle->Install(owner);
    EXPECT_FLOAT_EQ(LifeLost(), 20.0f);
    ObjectManager::Instance().DestroyObjectEx(toggle, "test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_FLOAT_EQ(LifeLost(), 100.0f);
}

} // namespace
} // namespace GAME::Test
