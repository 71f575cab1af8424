#include "ai/ControllerSpirit.h"
#include "ai/ControllerSpiritHost.h"
#include "characters/SpiritHost.h"
#include "tests/ai/ScriptedBossFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

constexpr const char* kNoTarget =
    "Spirit error - went to idle because it could not find an animate target.";

class SpiritTest : public ScriptedBossFixture {
protected:
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        strike = SkillObject("Strike");
    }

    SpiritHost* Host(const std::string& name, float x)
    {
        return Thinking<SpiritHost, ControllerSpiritHost>(name, x, 0);
    }
    Monster* Spirit(const std::string& name, float x)
    {
        Monster* spirit = Thinking<Monster, ControllerSpirit>(name, x, 0);
        ControllerOf<ControllerSpirit>(*spirit).SetSpecialAttack5Skill(strike, 0, 0, 100,
                                                                       SkillUseRange_None);
        // The spirit chose its host while rising; it chooses again now that its skills are in.
        ControllerOf(*spirit).SetState("Startup", ControllerAIStateData());
        return spirit;
    }
    static ControllerSpiritHost& HostBrain(const Character& host)
    {
        return ControllerOf<ControllerSpiritHost>(host);
    }

    uint32_t strike = 0;
};

TEST_F(SpiritTest, ADormantHostSitsInvincibleOnTheInvisibleTeam)
{
    const SpiritHost* host = Host("Statue", 4);
    EXPECT_EQ(StateOf(*host), "Startup");
    EXPECT_TRUE(host->IsInvincible());
    EXPECT_EQ(host->GetTeam().GetTeamMajor(), TeamManager::InvisibleTeam().GetTeamMajor());
    EXPECT_TRUE(HostBrain(*host).CanBeAnimated());
}

TEST_F(SpiritTest, ASpiritStrikesItsHostAwakeAndThenKillsItself)
{
    SpiritHost* host = Host("Statue", 4);
    Monster* spirit = Spirit("Spirit", 0);
    EXPECT_EQ(HostBrain(*host).GetAnimator(), spirit->GetObjectId());
    EXPECT_FALSE(HostBrain(*host).CanBeAnimated()) << "claimed by a living spirit";
    EXPECT_EQ(ControllerOf<ControllerSpirit>(*spirit).ChooseBestSkill(host->GetObjectId(), false),
              strike);

    // The host stands within the strike's reach: the pursuit hands over at once.
    Event(*spirit, "End");
    ASSERT_EQ(StateOf(*spirit), "AttackToAnimate");
    EXPECT_EQ(ControllerOf(*spirit).GetCurrentEnemy(), host->GetObjectId());
    EXPECT_EQ(ControllerOf(*spirit).GetCurrentSkillID(), strike);

    ControllerOf(*host).UnderAttack(spirit->GetObjectId());
    EXPECT_EQ(StateOf(*host), "Animate");
    EXPECT_EQ(host->GetTeam().GetTeamMajor(), TeamManager::DefaultMonsterTeam().GetTeamMajor());
    EXPECT_FALSE(host->IsInvincible());
    EXPECT_TRUE(host->IsAnimated());

    Event(*spirit, "End");
    EXPECT_FALSE(spirit->IsAlive());
    Event(*host, "endGame");
    EXPECT_EQ(StateOf(*host), "Animate");
    Event(*host, "End");
    EXPECT_EQ(StateOf(*host), "Idle");
    EXPECT_TRUE(HostBrain(*host).IsAnimated());
    EXPECT_EQ(LastWord(Saved(*host)), 1u);
}

TEST_F(SpiritTest, ASecondSpiritFindsNoHostWhileTheFirstHoldsItsClaim)
{
    SpiritHost* host = Host("Statue", 4);
    Monster* first = Spirit("First", 0);
    LogCapture log;
    Monster* second = Spirit("Second", 1);
    Event(*second, "End");
    EXPECT_EQ(StateOf(*second), "Idle");
    EXPECT_EQ(log.Count(2, kNoTarget), 1u);

    first->SetLifeState(LifeState_Dead);
    EXPECT_TRUE(HostBrain(*host).CanBeAnimated()) << "a dead spirit's claim lapses";
    Monster* third = Spirit("Third", 2);
    EXPECT_EQ(HostBrain(*host).GetAnimator(), third->GetObjectId());
}

TEST_F(SpiritTest, OnlyASpiritWakesAHost)
{
    SpiritHost* host = Host("Statue", 4);
    const Monster* brute = Bystander("Brute", 6, 0, TeamManager::DefaultPlayerTeam());
    LogCapture log;
    ControllerOf(*host).UnderAttack(brute->GetObjectId());
    ControllerOf(*host).UnderAttack(0);
    EXPECT_EQ(StateOf(*host), "Startup");
    EXPECT_EQ(log.Count(2, "ControllerSpiritHostStateStartup - failed to animate"), 2u);
    EXPECT_EQ(ControllerOf<ControllerSpirit>(*Spirit("Spirit", 0))
                  .ChooseBestSkillOverride(brute->GetObjectId(), false),
              0u);
}

TEST_F(SpiritTest, AHostRestoredAwakeSkipsTheStatue)
{
    SpiritHost* host = Host("Statue", 4);
    host->SetAnimated(true);
    const std::vector<uint8_t> awake = Saved(*host);
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        bool animated;
    };
    for (const Row& row :
         {Row{"awake", awake, true},
          Row{"short", std::vector<uint8_t>(awake.begin(), awake.end() - 4), false}}) {
        SCOPED_TRACE(row.name);
        const auto restored = Restored<SpiritHost>(row.bytes);
        EXPECT_EQ(restored->IsAnimated(), row.animated);
    }
    HostBrain(*host).SetState("Startup", ControllerAIStateData());
    EXPECT_EQ(StateOf(*host), "Idle");
    EXPECT_TRUE(HostBrain(*host).IsAnimated());
}

} // namespace
} // namespace GAME::Test
