#include "skills/Skill_OnHitBuffSelf.h"

#include "combat/ParametersCombat.h"
#include "engine/Name.h"
#include "tests/skills/SkillOnHitFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {

namespace {

class OnHitBuffSelfTest : public OwnedSkillFixture {
protected:
    Skill_OnHitBuffSelf* MakeBuff(const char* chance)
    {
        return Make<Skill_OnHitBuffSelf>("Records/Skills/OnHitBuff.dbr",
                                         {"Class = Skill_OnHitBuffSelf", "skillMaxLevel = 3",
                                          "skillActiveDuration = 2.5", "skillCooldownTime = 1.5",
                                          "skillManaCost = 10",
                                          std::string("onHitActivationChance = ") + chance});
    }

    void Hit(Skill& skill)
    {
        RandomUniform random;
        const ParametersCombat parameters(random);
        skill.OnHitActivation(*owner, parameters);
    }

    // How many draws the shared generator made since it was seeded with 7.
    static int DrawsSinceSeed()
    {
        const float next = GameEngine::Get().GetRandomGen().FGenerate(0.1f, 100.0f);
        RandomUniform fresh;
        fresh.Seed(7);
        for (int n = 0; n < 16; ++n)
            if (fresh.FGenerate(0.1f, 100.0f) == next)
                return n;
        return -1;
    }
};

} // namespace

TEST_F(OnHitBuffSelfTest, BurstsOnlyOutsideTheBurstAndTheInternalCooldown)
{
    auto* buff = MakeBuff("100");
    ASSERT_NE(buff, nullptr);
    Hit(*buff);
    EXPECT_TRUE(services.states.empty()) << "unarmed";

    buff->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.states.size(), 1u);
    EXPECT_TRUE(services.states[0].active);
    EXPECT_FALSE(services.states[0].transition);
    EXPECT_TRUE(buff->IsSkillOnHitActive());
    EXPECT_EQ(buff->TrackableRemainingTime(1), 1);
    EXPECT_EQ(buff->TrackableTotalTime(1), 1);

    Hit(*buff);
    ASSERT_EQ(services.states.size(), 2u);
    EXPECT_TRUE(services.states[1].transition);
    EXPECT_EQ(buff->TrackableRemainingTime(1), 2500);
    EXPECT_EQ(buff->TrackableTotalTime(1), 2500);

    // A running burst draws nothing.
    GameEngine::Get().GetRandomGen().Seed(7);
    Hit(*buff);
    EXPECT_EQ(DrawsSinceSeed(), 0);

    buff->Update(*owner, 2499);
    EXPECT_EQ(services.states.size(), 2u);
    buff->Update(*owner, 1);
    ASSERT_EQ(services.states.size(), 3u);
    EXPECT_TRUE(services.states[2].active);
    EXPECT_FALSE(services.states[2].transition);
    EXPECT_EQ(buff->GetOnHitCooldown(), 1500);
    EXPECT_EQ(buff->TrackableRemainingTime(1), 1);

    // The internal cooldown: one draw per hit, none fires.
    GameEngine::Get().GetRandomGen().Seed(7);
    Hit(*buff);
    Hit(*buff);
    EXPECT_EQ(DrawsSinceSeed(), 2);
    EXPECT_EQ(services.states.size(), 3u);
    buff->Update(*owner, 1500);
    Hit(*buff);
    EXPECT_EQ(services.states.size(), 4u);
    EXPECT_TRUE(services.states[3].transition);
}

TEST_F(OnHitBuffSelfTest, ABurstPaysItsManaWithoutStartingTheCooldownAndAMirrorSendsNothing)
{
    auto* buff = MakeBuff("100");
    ASSERT_NE(buff, nullptr);
    manager.services = nullptr;
    buff->ActivateNow(*owner, Name(), 0, WorldVec3());
    EXPECT_FALSE(buff->IsArmed());
    EXPECT_TRUE(services.states.empty());

    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, false), false);
    owner->SetCurrentMana(50.0f);
    const float mana = owner->GetCurrentMana();
    // The drain is queued for the owner's next frame.
    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, true), false);
    EXPECT_FLOAT_EQ(owner->GetCharacterBio().GetManaAfterDrain(), mana - 10.0f);
    EXPECT_EQ(buff->GetCooldownRemaining(), 0);
    // A restored burst pays nothing.
    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, true), true);
    EXPECT_FLOAT_EQ(owner->GetCharacterBio().GetManaAfterDrain(), mana - 10.0f);
}

TEST_F(OnHitBuffSelfTest, AChanceBelowTheSmallestRollNeverFiresAndStopDisarms)
{
    auto* buff = MakeBuff("0.05");
    ASSERT_NE(buff, nullptr);
    buff->ActivateNow(*owner, Name(), 0, WorldVec3());
    for (int i = 0; i < 50; ++i)
        Hit(*buff);
    EXPECT_EQ(services.states.size(), 1u);
    buff->StopSkill(*owner);
    ASSERT_EQ(services.states.size(), 2u);
    EXPECT_FALSE(services.states[1].active);
    EXPECT_FALSE(buff->IsSkillOnHitActive());
}

} // namespace GAME::Test
