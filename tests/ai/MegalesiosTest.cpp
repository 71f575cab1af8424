#include "characters/Megalesios.h"
#include "ai/ControllerMegalesios.h"
#include "ai/ControllerMegalesiosState.h"
#include "tests/ai/ScriptedBossFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class MegalesiosTest : public ScriptedBossFixture {
protected:
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        bursts = SkillObject("Bursts");
        burn = SkillObject("Burn");
    }

    Megalesios* Boss()
    {
        Megalesios* boss = Thinking<Megalesios, ControllerMegalesios>("Megalesios", 0, 0);
        Brain(*boss).SetSpecialAttack5Skill(bursts, 0, 1500, 100, SkillUseRange_None);
        Brain(*boss).SetSpecialAttackSkill(burn, 0, 2500, 100, SkillUseRange_None);
        return boss;
    }
    MegalesiosConduit* Conduit(float x)
    {
        return Thinking<MegalesiosConduit, ControllerMegalesiosConduit>("Conduit", x, 0);
    }
    static ControllerMonster& Brain(const Character& character)
    {
        return ControllerOf<ControllerMonster>(character);
    }
    static const ControllerMegalesiosStateAttackConduit& Burning(const Character& boss)
    {
        return *static_cast<const ControllerMegalesiosStateAttackConduit*>(
            Brain(boss).GetState("AttackConduit"));
    }
    // Frames of the boss's controller until the state changes or the frames run out.
    static void RunUntilLeaving(Character& boss, const std::string& state, int frames)
    {
        for (int frame = 0; frame < frames && StateOf(boss) == state; ++frame)
            Brain(boss).Update(100);
    }

    uint32_t bursts = 0;
    uint32_t burn = 0;
};

TEST_F(MegalesiosTest, TheQuestLaunchesTheBurstsThenTheConduitBurnsUntilItDies)
{
    Megalesios* boss = Boss();
    MegalesiosConduit* conduit = Conduit(6);
    EXPECT_EQ(StateOf(*boss), "Startup");
    EXPECT_TRUE(boss->IsInvincible());
    EXPECT_EQ(conduit->GetTeam().GetTeamMajor(), TeamManager::DefaultPlayerTeam().GetTeamMajor());
    EXPECT_EQ(StateOf(*conduit), "Idle");

    ControllerOf(*boss).QuestCommandUseSkill(bursts, 0, false);
    EXPECT_EQ(StateOf(*boss), "LaunchBursts");
    EXPECT_EQ(Brain(*boss).GetCurrentSkillID(), bursts);
    EXPECT_TRUE(boss->IsLaunched());
    EXPECT_EQ(Brain(*boss).GetSpecialAttack(4).cooldown, 1500) << "the bursts went out";

    Event(*boss, "End");
    EXPECT_EQ(StateOf(*boss), "AttackConduit");
    Brain(*boss).Update(100);
    EXPECT_EQ(Burning(*boss).GetConduit(), conduit->GetObjectId());
    EXPECT_EQ(Brain(*boss).GetSpecialAttack(0).cooldown, 0);
    Brain(*boss).Update(100);
    EXPECT_GE(Brain(*boss).GetSpecialAttack(0).cooldown, 2400) << "the conduit was struck";
    EXPECT_GE(Burning(*boss).GetAttackTimer(), 1000 - 100);
    EXPECT_LE(Burning(*boss).GetAttackTimer(), 5000);
    EXPECT_TRUE(boss->IsInvincible());

    conduit->SetLifeState(LifeState_Dead);
    Brain(*boss).Update(100);
    EXPECT_EQ(StateOf(*boss), "Idle");
    EXPECT_TRUE(boss->IsConduitDestroyed());
    EXPECT_FALSE(boss->IsInvincible());
}

TEST_F(MegalesiosTest, AQuestSkillHoldsTheNextStrikeAndAFarConduitIsNeverFound)
{
    Megalesios* boss = Boss();
    Conduit(ControllerOf(*boss).GetViewDistance() + 2.5f);
    ControllerOf(*boss).QuestCommandUseSkill(bursts, 0, false);
    Event(*boss, "End");
    RunUntilLeaving(*boss, "AttackConduit", 20);
    EXPECT_EQ(StateOf(*boss), "AttackConduit");
    EXPECT_EQ(Burning(*boss).GetConduit(), 0u);

    ControllerOf(*boss).QuestCommandUseSkill(burn, 0, false);
    EXPECT_EQ(Burning(*boss).GetAttackTimer(), 1000000);
    EXPECT_EQ(StateOf(*boss), "QuestUseSkill");
    EXPECT_FALSE(boss->IsInvincible());
}

TEST_F(MegalesiosTest, TheLevelStateCarriesBothFlagsAndShortStatesLeaveThemFalse)
{
    Megalesios* boss = Boss();
    boss->SetLaunched(true);
    const std::vector<uint8_t> launched = Saved(*boss);
    EXPECT_EQ(LastWord(launched, 1), 1u);
    EXPECT_EQ(LastWord(launched), 0u);

    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        bool launched;
        bool destroyed;
    };
    std::vector<uint8_t> both = launched;
    both[both.size() - 4] = 7; // any non-zero word is true
    const std::vector<uint8_t> oneWord(launched.begin(), launched.end() - 4);
    const std::vector<uint8_t> noWord(launched.begin(), launched.end() - 8);
    for (const Row& row :
         {Row{"both", both, true, true}, Row{"launched", launched, true, false},
          Row{"one word", oneWord, true, false}, Row{"no word", noWord, false, false}}) {
        SCOPED_TRACE(row.name);
        const auto restored = Restored<Megalesios>(row.bytes);
        EXPECT_EQ(restored->IsLaunched(), row.launched);
        EXPECT_EQ(restored->IsConduitDestroyed(), row.destroyed);
    }
}

TEST_F(MegalesiosTest, ARestoredBossSkipsTheScriptItAlreadyPlayed)
{
    Megalesios* boss = Boss();
    boss->SetLaunched(true);
    Brain(*boss).SetState("Startup", ControllerAIStateData());
    EXPECT_EQ(StateOf(*boss), "AttackConduit");
    boss->SetConduitDestroyed(true);
    Brain(*boss).SetState("Startup", ControllerAIStateData());
    EXPECT_EQ(StateOf(*boss), "Idle");
}

TEST_F(MegalesiosTest, TheConduitHoldsOnlyItsFourStatesAndAsksForNoOther)
{
    const MegalesiosConduit* conduit = Conduit(3);
    EXPECT_EQ(Brain(*conduit).GetState("Pursue"), nullptr);

    const Megalesios* boss = Boss();
    LogCapture log;
    Brain(*conduit).UnderAttack(boss->GetObjectId());
    Brain(*conduit).AllyAttacked(boss->GetObjectId(), boss->GetObjectId());
    EXPECT_EQ(StateOf(*conduit), "Idle");
    EXPECT_EQ(log.CountContaining("is trying to be set"), 0u);
}

} // namespace
} // namespace GAME::Test
