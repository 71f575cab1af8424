#include "ai/ControllerMonsterStateAttack.h"

#include "ai/ControllerMonster.h"
#include "ai/ControllerMonsterState.h"
#include "ai/ControllerMonsterStateDefendLeader.h"
#include "ai/ControllerMonsterStateFollowLeader.h"
#include "ai/ControllerMonsterStateReturn.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "skills/Skill.h"
#include "skills/SkillState.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace GAME {

class MonsterEndingsController : public ControllerMonster {
    GAME_DECLARE_CLASS(MonsterEndingsController)

public:
    bool CanMove() override { return true; }
};

GAME_IMPLEMENT_CLASS(MonsterEndingsController, ControllerMonster);

class MonsterEndingsSkill : public Skill {
    GAME_DECLARE_CLASS(MonsterEndingsSkill)
};

GAME_IMPLEMENT_CLASS(MonsterEndingsSkill, Skill);

namespace Test {
namespace {

// Stands in for a state that is not under test: counts its entries, keeps its data.
class Mark : public ControllerMonsterStateBase {
public:
    using ControllerMonsterStateBase::ControllerMonsterStateBase;
    void OnBegin() override
    {
        ++begins;
        enemy = GetCurrentEnemy();
        ally = GetCurrentAlly();
        skill = GetCurrentSkillID();
    }
    int begins = 0;
    uint32_t enemy = 0;
    uint32_t ally = 0;
    uint32_t skill = 0;
};

// A monster at the origin under a controller that may always move; states the test does not
// give are stand-ins.
class MonsterStateEndingsTest : public GameEngineFixture {
protected:
    static constexpr uint32_t kRegion = 1;

    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, Vec3(),
                                          ABBox(Vec3(-100, -10, -100), Vec3(100, 10, 100)));
        database.WriteRecord(
            "Records/Creatures/Monster/Imp.dbr",
            {"Class = Monster", "unarmedRunAnim = ImpRun", "unarmedWalkAnim = ImpWalk"});
        monster = ObjectManager::Instance().CreateObjectFromFile<Monster>(
            "Records/Creatures/Monster/Imp.dbr");
        ASSERT_NE(monster, nullptr);
        gEngine->GetWorld()->AddEntity(monster, WorldCoords(At(0, 0)), false);
        monster->SetSpawnPoint(WorldCoords(At(0, 0)));
        database.WriteRecord("Records/Controllers/Imp.dbr",
                             {"Class = MonsterEndingsController", "BuffSelfBehavior = WhenIdle"});
        controller = ObjectManager::Instance().CreateObjectFromFile<MonsterEndingsController>(
            "Records/Controllers/Imp.dbr");
        ASSERT_NE(controller, nullptr);
        controller->AttachParent(monster->GetObjectId());
        monster->SetControllerId(controller->GetObjectId());
    }

    void TearDown() override
    {
        InstanceGroupManager::Instance().Destroy();
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    template <typename T> T* Add(const char* name)
    {
        T* state = new T(controller);
        controller->AddState(name, state);
        return state;
    }
    Mark& StandIn(const char* name)
    {
        auto* mark = new Mark(controller);
        controller->AddState(name, mark);
        return *mark;
    }
    Mark& QueueStandIn()
    {
        auto* mark = new Mark(controller);
        controller->AddTemporaryState("UseSkillOnAlly", mark);
        return *mark;
    }

    Monster* Place(float x, bool foe)
    {
        const std::string path =
            "Records/Creatures/Monster/Other" + std::to_string(++made) + ".dbr";
        database.WriteRecord(path, {"Class = Monster"});
        auto* other = ObjectManager::Instance().CreateObjectFromFile<Monster>(path);
        gEngine->GetWorld()->AddEntity(other, WorldCoords(At(x, 0)), false);
        other->SetLifeState(LifeState_Alive);
        if (foe)
            other->SetTeam(TeamManager::DefaultPlayerTeam());
        return other;
    }

    uint32_t MakeSkill(const std::string& name)
    {
        const std::string path = "Records/Skills/" + name + ".dbr";
        database.WriteRecord(path, {"Class = MonsterEndingsSkill", "distanceProfile = Melee"});
        Skill* skill = ObjectManager::Instance().CreateObjectFromFile<Skill>(path);
        SkillState state;
        state.skillLevel = 1;
        state.enabled = true;
        skill->ReceiveStateUpdate(state, true);
        return skill->GetObjectId();
    }

    std::string State() const
    {
        const char* name = controller->GetExecutingStateName();
        return name != nullptr ? name : "";
    }
    void Enter(const char* name, uint32_t enemy = 0, uint32_t ally = 0, uint32_t skill = 0)
    {
        controller->SetState(name, ControllerAIStateData(enemy, ally, skill, WorldVec3()));
    }
    void End() { controller->HandleEvent(Name::Create("End")); }

    static WorldVec3 At(float x, float z) { return WorldVec3(kRegion, Vec3(x, 0, z)); }

    Monster* monster = nullptr;
    MonsterEndingsController* controller = nullptr;
    int made = 0;
    std::unique_ptr<World> previousWorld;
};

// The "End" of the chain's first skill hands the next one on as the behaviour says; the next
// skill's own "End" (or a behaviour out of range) picks the best skill again.
TEST_F(MonsterStateEndingsTest, AttackEndChainsTheNextSkillAsTheBehaviourSays)
{
    Add<ControllerMonsterStateAttack>("Attack");
    Mark& pursue = StandIn("Pursue");
    StandIn("Return");
    Mark& queued = QueueStandIn();
    const Monster* leader = Place(2, false);
    monster->SetLeader(leader->GetObjectId());
    const uint32_t foe = Place(30, true)->GetObjectId();
    const uint32_t claw = MakeSkill("Claw");
    const uint32_t bite = MakeSkill("Bite");
    controller->SetDefaultAttackSkill(claw);
    controller->SetChainInitialSkill(claw);
    controller->SetChainNextSkill(bite);

    Enter("Attack", foe, 0, claw);
    End();
    EXPECT_EQ(State(), "Attack");
    EXPECT_EQ(controller->GetCurrentEnemy(), foe);
    EXPECT_EQ(controller->GetCurrentSkillID(), bite);
    End();
    EXPECT_EQ(pursue.begins, 1);
    EXPECT_EQ(pursue.enemy, foe);
    EXPECT_EQ(pursue.skill, claw);

    controller->SetChainBehavior(ChainedSkillBehavior_UseOnLeader);
    Enter("Attack", foe, 0, claw);
    End();
    ASSERT_EQ(controller->GetTemporaryQueueSize(), 1u);
    EXPECT_EQ(queued.ally, leader->GetObjectId());
    EXPECT_EQ(queued.skill, bite);
    controller->ClearTemporaryStates();

    controller->SetChainBehavior(ChainedSkillBehavior_UseOnSelf);
    Enter("Attack", foe, 0, claw);
    End();
    ASSERT_EQ(controller->GetTemporaryQueueSize(), 1u);
    EXPECT_EQ(queued.ally, monster->GetObjectId());
    EXPECT_EQ(queued.skill, bite);
    controller->ClearTemporaryStates();
    EXPECT_EQ(pursue.begins, 1);

    controller->SetChainBehavior(static_cast<ChainedSkillBehavior>(3));
    Enter("Attack", foe, 0, claw);
    End();
    EXPECT_EQ(pursue.begins, 2);
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
}

TEST_F(MonsterStateEndingsTest, AttackEndBuffsItselfBeforeTheChainAndReturns)
{
    Add<ControllerMonsterStateAttack>("Attack");
    Mark& back = StandIn("Return");
    StandIn("Pursue");
    Mark& queued = QueueStandIn();
    const uint32_t foe = Place(30, true)->GetObjectId();
    const uint32_t claw = MakeSkill("Claw");
    const uint32_t ward = MakeSkill("Ward");
    controller->SetDefaultAttackSkill(claw);
    controller->SetChainInitialSkill(claw);
    controller->SetChainNextSkill(MakeSkill("Bite"));
    controller->SetBuffSelfSkill(ward);

    Enter("Attack", foe, 0, claw);
    End();
    ASSERT_EQ(controller->GetTemporaryQueueSize(), 1u);
    EXPECT_EQ(queued.ally, monster->GetObjectId());
    EXPECT_EQ(queued.skill, ward);
    // "Return" waits behind the queued buff.
    EXPECT_EQ(back.begins, 0);
    controller->ClearTemporaryStates();
    EXPECT_EQ(State(), "Return");
    EXPECT_EQ(controller->GetCurrentEnemy(), 0u);
}

TEST_F(MonsterStateEndingsTest, ReturnToAnUnreachableSpawnLogsAndMakesHomeWhereItStands)
{
    Add<ControllerMonsterStateReturn>("Return");
    Mark& idle = StandIn("Idle");
    StandIn("Pursue");
    monster->SetSpawnPoint(WorldCoords(At(500, 0)));

    LogCapture log;
    Enter("Return");
    EXPECT_EQ(log.Count(Engine::LogRuntime,
                        "Monster Records/Creatures/Monster/Imp.dbr can't return home."),
              1u);
    EXPECT_EQ(idle.begins, 1);
    EXPECT_EQ(monster->GetSpawnPoint().GetPosition(), At(0, 0));
}

// A follower whose leader dies while it follows or defends ends idle, not bouncing between
// "Return" and "FollowLeader".
TEST_F(MonsterStateEndingsTest, FollowersOfADeadLeaderEndIdle)
{
    Add<ControllerMonsterStateReturn>("Return");
    Add<ControllerMonsterStateFollowLeader>("FollowLeader");
    Add<ControllerMonsterStateDefendLeader>("DefendLeader");
    Mark& idle = StandIn("Idle");
    StandIn("Wander");
    Monster* leader = Place(2, false);
    const uint32_t leaderId = leader->GetObjectId();
    monster->SetLeader(leaderId);

    Enter("DefendLeader", 0, leaderId);
    ASSERT_EQ(State(), "DefendLeader");
    controller->GetExecutingState()->AllyDied(Place(3, false)->GetObjectId());
    EXPECT_EQ(State(), "DefendLeader");
    leader->SetLifeState(LifeState_Dead);
    controller->GetExecutingState()->OnUpdate(1);
    EXPECT_EQ(idle.begins, 1);

    leader->SetLifeState(LifeState_Alive);
    Enter("DefendLeader", 0, leaderId);
    leader->SetLifeState(LifeState_Dead);
    controller->GetExecutingState()->AllyDied(leaderId);
    EXPECT_EQ(idle.begins, 2);

    Enter("FollowLeader", 0, leaderId);
    EXPECT_EQ(idle.begins, 3);
    EXPECT_EQ(State(), "Idle");

    leader->SetLifeState(LifeState_Alive);
    leader->SetPathPosition(At(20, 0));
    Enter("FollowLeader", 0, leaderId);
    ASSERT_EQ(State(), "FollowLeader");
    leader->SetLifeState(LifeState_Dead);
    controller->GetExecutingState()->OnUpdate(1);
    EXPECT_EQ(idle.begins, 4);
    EXPECT_EQ(State(), "Idle");
}

TEST_F(MonsterStateEndingsTest, ScaredReturnsOnTheFrameTheScareRunsOut)
{
    controller->Update(0);
    ASSERT_EQ(State(), "Idle");
    LogCapture log;
    controller->ScareMe(0, 100.0f);
    EXPECT_EQ(State(), "Scared");
    EXPECT_EQ(log.Count(Engine::LogRuntime,
                        "Records/Creatures/Monster/Imp.dbr is scared of an invalid enemy."),
              1u);
    controller->Update(99);
    EXPECT_EQ(State(), "Scared");
    controller->Update(1);
    EXPECT_EQ(State(), "Idle");
}

} // namespace
} // namespace Test
} // namespace GAME
