#include "ai/ControllerTelkine.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "engine/Name.h"
#include "tests/ai/ScriptedBossFixture.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace GAME::Test {
namespace {

class TelkineTest : public ScriptedBossFixture {
protected:
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        for (const char* skill : {"Records/Skills/Hurl.dbr", "Records/Skills/Bolt.dbr"})
            database.WriteRecord(skill, {"Class = Skill"});
        telkine = Boss<ControllerTelkine>(
            "Telkine", 0, 0,
            {"directAttack = Records/Skills/Bolt.dbr", "telekinesisSpell = Records/Skills/Hurl.dbr",
             "skeletonSpell = Records/Skills/Bones.dbr", "ViewDistance = 3.0"},
            {"skillName1 = Records/Skills/Hurl.dbr", "skillLevel1 = 1",
             "skillName2 = Records/Skills/Bolt.dbr", "skillLevel2 = 1"});
        Bystander("Pet", 4, 0, TeamManager::DefaultPlayerTeam());
    }
    ControllerTelkine& Brain() { return ControllerOf<ControllerTelkine>(*telkine); }
    const ControllerTelkineStateAttackPhase1& Phase1()
    {
        return *static_cast<const ControllerTelkineStateAttackPhase1*>(
            Brain().GetState("AttackPhase1"));
    }
    // 12 s of waiting, the taunt to its end, then the cast on the update that ends it.
    void CastOnce()
    {
        Brain().Update(12000);
        ASSERT_EQ(StateOf(*telkine), "Emote");
        Brain().HandleEvent(Name::Create("End"));
        telkine->SetActionState(ActionState_Idle);
        Brain().Update(0);
    }

    Monster* telkine = nullptr;
};

TEST_F(TelkineTest, TheTwelfthCastStartedEndsPhaseOne)
{
    ControllerTelkine& brain = Brain();
    // Due, but the boss is still swinging: neither taunt nor cast.
    telkine->SetActionState(ActionState_Attack);
    brain.Update(12000);
    EXPECT_EQ(StateOf(*telkine), "AttackPhase1");
    telkine->SetActionState(ActionState_Idle);
    brain.Update(0);
    ASSERT_EQ(StateOf(*telkine), "Emote");
    EXPECT_EQ(Phase1().GetCastCount(), 0);
    brain.HandleEvent(Name::Create("End"));
    brain.Update(0);
    EXPECT_EQ(Phase1().GetCastCount(), 1);
    EXPECT_TRUE(Phase1().IsCasting());
    // Until the cast's end the clock stands still.
    brain.Update(20000);
    EXPECT_EQ(StateOf(*telkine), "AttackPhase1");
    brain.HandleEvent(Name::Create("End"));
    EXPECT_FALSE(Phase1().IsCasting());

    for (int32_t cast = 2; cast <= 12; ++cast) {
        SCOPED_TRACE(cast);
        CastOnce();
        EXPECT_EQ(Phase1().GetCastCount(), cast);
        EXPECT_EQ(StateOf(*telkine), "AttackPhase1");
        brain.HandleEvent(Name::Create("End"));
    }
    brain.Update(0);
    EXPECT_EQ(StateOf(*telkine), "AttackPhase2");
}

TEST_F(TelkineTest, AFrameOfAnyLengthSaturatesTheWaitForTheNextThrow)
{
    telkine->SetActionState(ActionState_Attack);
    Brain().Update(INT32_MAX);
    Brain().Update(INT32_MAX);
    EXPECT_EQ(Phase1().GetSinceCast(), INT32_MAX);
    telkine->SetActionState(ActionState_Idle);
    Brain().Update(0);
    EXPECT_EQ(StateOf(*telkine), "Emote");
}

} // namespace
} // namespace GAME::Test
