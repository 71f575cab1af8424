#include "ai/ControllerMonsterState.h"

#include "ai/ControllerMonster.h"
#include "ai/ControllerMonsterStateAttack.h"
#include "ai/ControllerMonsterStateDead.h"
#include "ai/ControllerMonsterStateDefendLeader.h"
#include "ai/ControllerMonsterStateDying.h"
#include "ai/ControllerMonsterStateFlee.h"
#include "ai/ControllerMonsterStateFollowLeader.h"
#include "ai/ControllerMonsterStateIdle.h"
#include "ai/ControllerMonsterStatePanic.h"
#include "ai/ControllerMonsterStateParalyze.h"
#include "ai/ControllerMonsterStatePatrol.h"
#include "ai/ControllerMonsterStatePursue.h"
#include "ai/ControllerMonsterStateQuestMove.h"
#include "ai/ControllerMonsterStateQuestPlayAnimation.h"
#include "ai/ControllerMonsterStateQuestUseSkill.h"
#include "ai/ControllerMonsterStateQuestWalk.h"
#include "ai/ControllerMonsterStateReturn.h"
#include "ai/ControllerMonsterStateReturnFast.h"
#include "ai/ControllerMonsterStateStartup.h"
#include "ai/ControllerMonsterStateStunned.h"
#include "ai/ControllerMonsterStateTrapped.h"
#include "ai/ControllerMonsterStateWaitToAttack.h"
#include "characters/AnimationSet.h"
#include "characters/CharacterConfigCommands.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/PlayStatsDamageType.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/ActorConfigCommand.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/World.h"
#include "skills/Skill.h"
#include "skills/SkillState.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/ai/ControllerTestMonster.h"
#include "tests/support/AiScopedWorld.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace GAME {

// A monster controller whose walking the test decides.
class MonsterStatesOneController : public ControllerMonster {
    GAME_DECLARE_CLASS(MonsterStatesOneController)

public:
    bool CanMove() override { return canMove; }
    bool canMove = true;
};

GAME_IMPLEMENT_CLASS(MonsterStatesOneController, ControllerMonster);

class MonsterStateTestSkill : public Skill {
    GAME_DECLARE_CLASS(MonsterStateTestSkill)

public:
    using Skill::SetReason;
};

GAME_IMPLEMENT_CLASS(MonsterStateTestSkill, Skill);

namespace Test {
namespace {

// Stands in for a state that is not under test: counts its entries and exits, keeps its data.
class Stand : public ControllerMonsterStateBase {
public:
    using ControllerMonsterStateBase::ControllerMonsterStateBase;
    void OnBegin() override
    {
        ++begins;
        enemy = GetCurrentEnemy();
        ally = GetCurrentAlly();
        skill = GetCurrentSkillID();
    }
    void OnEnd() override { ++ends; }
    int begins = 0;
    int ends = 0;
    uint32_t enemy = 0;
    uint32_t ally = 0;
    uint32_t skill = 0;
};

class ControllerMonsterStateTest : public GameEngineFixture {
protected:
    static constexpr uint32_t kRegion = AiScopedWorld::kRegion;

    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        world.emplace(10.0f);
    }

    void TearDown() override
    {
        InstanceGroupManager::Instance().Destroy();
        GameEngineFixture::TearDown();
    }

    // The monster at the origin under a controller loaded from the lines; the named states
    // that the test does not give are stand-ins.
    void Make(std::initializer_list<std::string> lines, const UniqueId& uniqueId = UniqueId(),
              bool animated = true)
    {
        ObjectManager& objects = ObjectManager::Instance();
        if (animated)
            database.WriteRecord("Records/Creatures/Monster/Imp.dbr",
                                 {"Class = ControllerTestMonster", "unarmedRunAnim = ImpRun",
                                  "unarmedWalkAnim = ImpWalk"});
        else
            database.WriteRecord("Records/Creatures/Monster/Imp.dbr",
                                 {"Class = ControllerTestMonster"});
        monster = objects.CreateObjectFromFile<ControllerTestMonster>(
            "Records/Creatures/Monster/Imp.dbr");
        monster->SetUniqueID(uniqueId);
        (*world)->AddEntity(monster, WorldCoords(At(0, 0)), false);
        monster->SetSpawnPoint(WorldCoords(At(0, 0)));
        std::string record = "Class = MonsterStatesOneController\n";
        for (const std::string& line : lines)
            record += line + "\n";
        database.WriteFile("Records/Controllers/Imp.dbr", record);
        controller =
            objects.CreateObjectFromFile<MonsterStatesOneController>("Records/Controllers/Imp.dbr");
        controller->AttachParent(monster->GetObjectId());
        monster->SetControllerId(controller->GetObjectId());
    }

    template <typename T> T* Add(const char* name)
    {
        T* state = new T(controller);
        controller->AddState(name, state);
        return state;
    }
    Stand& StandIn(const char* name) { return *Add<Stand>(name); }
    Stand& QueueStandIn()
    {
        auto* stand = new Stand(controller);
        controller->AddTemporaryState("UseSkillOnAlly", stand);
        return *stand;
    }

    Monster* Place(float x, float z, bool foe, const std::string& extra = "")
    {
        const std::string path =
            "Records/Creatures/Monster/Other" + std::to_string(++made) + ".dbr";
        database.WriteRecord(path, {"Class = Monster", extra});
        auto* other = ObjectManager::Instance().CreateObjectFromFile<Monster>(path);
        (*world)->AddEntity(other, WorldCoords(At(x, z)), false);
        if (foe)
            other->SetTeam(TeamManager::DefaultPlayerTeam());
        return other;
    }
    Monster* Living(float x, bool foe)
    {
        Monster* other = Place(x, 0, foe);
        other->SetLifeState(LifeState_Alive);
        return other;
    }

    uint32_t MakeSkill(const std::string& name, const char* profile = "Melee")
    {
        const std::string path = "Records/Skills/" + name + ".dbr";
        database.WriteRecord(
            path, {"Class = MonsterStateTestSkill", std::string("distanceProfile = ") + profile});
        return ObjectManager::Instance().CreateObjectFromFile<Skill>(path)->GetObjectId();
    }
    uint32_t ReadySkill(const std::string& name)
    {
        const uint32_t id = MakeSkill(name);
        SkillState state;
        state.skillLevel = 1;
        state.enabled = true;
        ObjectManager::Instance().GetObject<Skill>(id)->ReceiveStateUpdate(state, true);
        return id;
    }

    std::string State() const
    {
        const char* name = controller->GetExecutingStateName();
        return name != nullptr ? name : "";
    }
    void Enter(const char* name, uint32_t enemy = 0, uint32_t skill = 0, uint32_t ally = 0)
    {
        controller->SetState(name, ControllerAIStateData(enemy, ally, skill, WorldVec3()));
    }
    void End() { controller->HandleEvent(Name::Create("End")); }

    static WorldVec3 At(float x, float z) { return WorldVec3(kRegion, Vec3(x, 0, z)); }
    static float Between(const WorldVec3& a, const WorldVec3& b)
    {
        return gEngine->GetWorld()->GetDistance(a, b);
    }
    WorldVec3 Destination() const { return monster->GetMovementManager()->GetPathTarget(); }

    std::optional<AiScopedWorld> world;
    ControllerTestMonster* monster = nullptr;
    MonsterStatesOneController* controller = nullptr;
    int made = 0;
};

TEST_F(ControllerMonsterStateTest, AMonsterReturnsFastAndStartsUpIdle)
{
    Make({});
    controller->InitialUpdate();
    EXPECT_NE(dynamic_cast<ControllerMonsterStateReturnFast*>(controller->GetState("Return")),
              nullptr);
    EXPECT_EQ(State(), "Idle");
}

TEST_F(ControllerMonsterStateTest, SkillUsedStartsTheSpecialsCooldownBeforeTheHealTimer)
{
    Make({});
    auto* idle = Add<ControllerMonsterStateIdle>("Idle");
    controller->SetSpecialAttack3Skill(7, 0, 1500, 50, SkillUseRange_None);
    controller->SetHealSkill(7, 900);
    idle->SkillUsed(7);
    EXPECT_EQ(controller->GetSpecialAttack(2).cooldown, 1500);
    EXPECT_EQ(controller->GetHealTimer(), 0);

    controller->SetHealSkill(8, 900);
    idle->SkillUsed(8);
    EXPECT_EQ(controller->GetHealTimer(), 900);
    idle->SkillUsed(0);
    idle->SkillUsed(9);
    EXPECT_EQ(controller->GetHealTimer(), 900);
    EXPECT_EQ(controller->GetSpecialAttack(2).cooldown, 1500);
}

TEST_F(ControllerMonsterStateTest, WithoutWalkOrRunTheMonsterNeitherPursuesNorRoams)
{
    Make({"RoamBehavior = Roam", "MinTimeBeforeRoam = 100", "MaxTimeBeforeRoam = 100"});
    controller->canMove = false;
    Add<ControllerMonsterStateIdle>("Idle");
    Add<ControllerMonsterStatePursue>("Pursue");
    Stand& roam = StandIn("Roam");
    StandIn("Return");
    const Monster* foe = Place(3, 0, true);

    Enter("Pursue", foe->GetObjectId());
    EXPECT_EQ(State(), "Idle");
    controller->GetExecutingState()->OnUpdate(1000000);
    EXPECT_EQ(State(), "Idle");
    EXPECT_EQ(roam.begins, 0);

    controller->canMove = true;
    Enter("Idle");
    controller->GetExecutingState()->OnUpdate(100);
    EXPECT_EQ(State(), "Idle");
    controller->GetExecutingState()->OnUpdate(1);
    EXPECT_EQ(State(), "Roam");
}

TEST_F(ControllerMonsterStateTest, WithoutASpawnAnimationStartupQueuesTheInitialSkillAtOnce)
{
    Make({});
    Add<ControllerMonsterStateStartup>("Startup");
    Stand& idle = StandIn("Idle");
    Stand* queued = &QueueStandIn();
    controller->SetInitialSkill(42);

    Enter("Startup");
    EXPECT_EQ(idle.begins, 1);
    ASSERT_EQ(controller->GetTemporaryQueueSize(), 1u);
    EXPECT_EQ(queued->skill, 42u);
}

TEST_F(ControllerMonsterStateTest, FullSlotsWaitAndAPursuitTimeOfZeroNeverRunsOut)
{
    Make({"PursuitTime = 0"});
    Add<ControllerMonsterStatePursue>("Pursue");
    Stand& wait = StandIn("WaitToAttack");
    StandIn("Return");
    StandIn("Idle");
    StandIn("Attack");
    const uint32_t claw = MakeSkill("Claw");
    controller->SetDefaultAttackSkill(claw);

    const Monster* crowded = Place(30, 0, true, "numAttackSlots = 0");
    Enter("Pursue", crowded->GetObjectId(), claw);
    EXPECT_EQ(wait.enemy, crowded->GetObjectId());

    const Monster* far = Place(30, 0, true);
    Enter("Pursue", far->GetObjectId(), claw);
    ASSERT_EQ(State(), "Pursue");
    for (int frame = 0; frame < 5; ++frame)
        controller->GetExecutingState()->OnUpdate(1000000);
    EXPECT_EQ(State(), "Pursue");
}

TEST_F(ControllerMonsterStateTest, ThePursueTimerSendsTheMonsterBackAfterThePursuitTime)
{
    Make({"PursuitTime = 1000"});
    Add<ControllerMonsterStatePursue>("Pursue");
    Stand& back = StandIn("Return");
    const uint32_t claw = MakeSkill("Claw");
    controller->SetDefaultAttackSkill(claw);
    const Monster* far = Place(30, 0, true);

    Enter("Pursue", far->GetObjectId(), claw);
    ASSERT_EQ(State(), "Pursue");
    controller->GetExecutingState()->OnUpdate(1000);
    EXPECT_EQ(State(), "Pursue");
    controller->GetExecutingState()->OnUpdate(1);
    EXPECT_EQ(back.begins, 1);
}

TEST_F(ControllerMonsterStateTest, ReturnWithALeaderFollowsIt)
{
    Make({"MaxPursuitDistance = 5"});
    Add<ControllerMonsterStateReturn>("Return");
    Stand& follow = StandIn("FollowLeader");
    StandIn("Idle");
    const Monster* leader = Place(20, 0, false);
    monster->SetLeader(leader->GetObjectId());

    Enter("Return");
    EXPECT_EQ(follow.ally, leader->GetObjectId());
}

TEST_F(ControllerMonsterStateTest, APatrolOfOnePointWalksToItAgain)
{
    const UniqueId impId(1, 2, 3, 4), pointId(5, 0, 0, 0);
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.AddGroup(InstanceGroup("Patrol Points", "p", {pointId}));
    InstanceGroup patrollers("Patrollers", "x", {impId});
    patrollers.AddChild(0);
    groups.AddGroup(patrollers);
    Monster* point = Place(6, 0, false);
    point->SetUniqueID(pointId);

    Make({"ChanceToIdleOnPatrol = 0"}, impId);
    ASSERT_EQ(controller->GetPatrolPoints().size(), 1u);
    auto* patrol = Add<ControllerMonsterStatePatrol>("Patrol");
    StandIn("Return");

    Enter("Patrol");
    EXPECT_EQ(Destination(), At(6, 0));

    // Standing on the only point: the arrival waits for the next update instead of recursing.
    monster->SetPathPosition(At(6, 0));
    patrol->EndOfPathReached();
    EXPECT_EQ(State(), "Patrol");
    EXPECT_EQ(patrol->GetPatrolIdleTimer(), 1);
}

TEST_F(ControllerMonsterStateTest, FleeingTowardsAlliesEndsOneToTwoBeyondTheFriend)
{
    Make({"FleeTarget = TowardsAllies"});
    auto* flee = Add<ControllerMonsterStateFlee>("Flee");
    StandIn("Hold");
    const Monster* enemy = Place(-5, 0, true);
    Place(5, 0, false);
    Enter("Hold", enemy->GetObjectId());

    for (int round = 0; round < 20; ++round) {
        WorldVec3 point;
        ASSERT_TRUE(flee->PickFleePoint(point));
        const Vec3& at = point.GetRegionPosition();
        EXPECT_GE(at.x, 6.0f);
        EXPECT_LE(at.x, 7.0f);
        EXPECT_FLOAT_EQ(at.z, 0.0f);
    }
}

TEST_F(ControllerMonsterStateTest, FleeingFromAnEnemyOnTheSameSpotOnlyJitters)
{
    Make({"FleeTarget = AwayFromEnemy"});
    auto* flee = Add<ControllerMonsterStateFlee>("Flee");
    StandIn("Hold");
    const Monster* enemy = Place(0, 0, true);
    Enter("Hold", enemy->GetObjectId());

    WorldVec3 point;
    ASSERT_TRUE(flee->PickFleePoint(point));
    const Vec3& at = point.GetRegionPosition();
    EXPECT_TRUE(at.x == at.x && at.z == at.z);
    EXPECT_LE(std::abs(at.x), 1.0f);
    EXPECT_LE(std::abs(at.z), 1.0f);
}

TEST_F(ControllerMonsterStateTest, WaitingStrollsBeyondANearEnemyAndRoundItselfBeforeAFarOne)
{
    Make({"EmoteWhenWaitingChance = 0"});
    auto* wait = Add<ControllerMonsterStateWaitToAttack>("WaitToAttack");
    StandIn("Idle");
    const Monster* near = Place(3, 0, true);
    const Monster* far = Place(10, 0, true);

    Enter("WaitToAttack", near->GetObjectId());
    EXPECT_EQ(wait->GetRoamCentre(), At(6, 0));
    EXPECT_NEAR(Between(Destination(), At(6, 0)), 2.0f, 1e-4f);

    Enter("WaitToAttack", far->GetObjectId());
    EXPECT_EQ(wait->GetRoamCentre(), At(0, 0));
    EXPECT_NEAR(Between(Destination(), At(0, 0)), 5.0f, 1e-4f);
}

TEST_F(ControllerMonsterStateTest, AStrollThatEndsAsItStartsIsTakenUpOnTheNextUpdate)
{
    // Without a walking animation every walk ends at once.
    Make({"EmoteWhenWaitingChance = 0"}, UniqueId(), false);
    Add<ControllerMonsterStateWaitToAttack>("WaitToAttack");
    StandIn("Idle");
    const Monster* far = Place(10, 0, true);

    Enter("WaitToAttack", far->GetObjectId());
    controller->GetExecutingState()->OnUpdate(1);
    EXPECT_EQ(State(), "WaitToAttack");
}

TEST_F(ControllerMonsterStateTest,
       AnAttackedAllyIsHealedStrictlyBelowItsThresholdAndNeverWithoutLife)
{
    Make({"healAllyHealthPercentage = 50"});
    auto* attack = Add<ControllerMonsterStateAttack>("Attack");
    Stand* queued = &QueueStandIn();
    controller->SetHealSkill(5, 0);
    Monster* hurt = Place(2, 0, false, "characterLife = 100");
    Monster* lifeless = Place(3, 0, false, "characterLife = 0");
    hurt->ForceSpeedUpdate();
    lifeless->ForceSpeedUpdate();
    hurt->SubtractLife(50.0f, PlayStatsDamageType{});

    attack->AllyAttacked(lifeless->GetObjectId(), 0);
    attack->AllyAttacked(hurt->GetObjectId(), 0);
    EXPECT_EQ(queued->begins, 0) << "at the threshold, and without life";
    hurt->SubtractLife(1.0f, PlayStatsDamageType{});
    attack->AllyAttacked(hurt->GetObjectId(), 0);
    EXPECT_EQ(queued->begins, 1);
    EXPECT_EQ(queued->ally, hurt->GetObjectId());
    EXPECT_EQ(queued->skill, 5u);
}

TEST_F(ControllerMonsterStateTest, ARandomPointFailsFiveTimesThenLogsOnce)
{
    Make({});
    Platform::SRand(11);
    for (int draw = 0; draw < 10; ++draw)
        Platform::Rand();
    const int next = Platform::Rand();

    Platform::SRand(11);
    log.Clear();
    WorldVec3 point;
    // A candidate exactly at the least distance is refused: radius 0 puts every try on the
    // monster itself.
    EXPECT_FALSE(ControllerMonsterStateBase::PickRandomPointInVicinity(point, monster, At(0, 0),
                                                                       0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(Platform::Rand(), next);
    EXPECT_EQ(log.Count(2, "Monster failed to PickRandomPointInVicinity"), 1u);
    EXPECT_EQ(point, WorldVec3());

    log.Clear();
    EXPECT_TRUE(ControllerMonsterStateBase::PickRandomPointInVicinity(point, monster, At(0, 0),
                                                                      3.0f, 3.0f, 2.9f, 0.0f));
    EXPECT_NEAR(Between(point, At(0, 0)), 3.0f, 1e-4f);
}

// The "End" of the chain's first skill hands the next one on as the behaviour says; the next
// skill's own "End" (or a behaviour out of range) picks the best skill again.
TEST_F(ControllerMonsterStateTest, AttackEndChainsTheNextSkillAsTheBehaviourSays)
{
    Make({"BuffSelfBehavior = WhenIdle"});
    Add<ControllerMonsterStateAttack>("Attack");
    Stand& pursue = StandIn("Pursue");
    StandIn("Return");
    Stand& queued = QueueStandIn();
    const Monster* leader = Living(2, false);
    monster->SetLeader(leader->GetObjectId());
    const uint32_t foe = Living(30, true)->GetObjectId();
    const uint32_t claw = ReadySkill("Claw");
    const uint32_t bite = ReadySkill("Bite");
    controller->SetDefaultAttackSkill(claw);
    controller->SetChainInitialSkill(claw);
    controller->SetChainNextSkill(bite);

    Enter("Attack", foe, claw);
    End();
    EXPECT_EQ(controller->GetCurrentSkillID(), bite);
    End();
    EXPECT_EQ(pursue.begins, 1);
    EXPECT_EQ(pursue.enemy, foe);

    for (const auto& [behavior, ally] :
         {std::pair{ChainedSkillBehavior_UseOnLeader, leader->GetObjectId()},
          {ChainedSkillBehavior_UseOnSelf, monster->GetObjectId()}}) {
        SCOPED_TRACE(behavior);
        controller->SetChainBehavior(behavior);
        Enter("Attack", foe, claw);
        End();
        ASSERT_EQ(controller->GetTemporaryQueueSize(), 1u);
        EXPECT_EQ(queued.ally, ally);
        EXPECT_EQ(queued.skill, bite);
        controller->ClearTemporaryStates();
    }

    controller->SetChainBehavior(static_cast<ChainedSkillBehavior>(3));
    Enter("Attack", foe, claw);
    End();
    EXPECT_EQ(pursue.begins, 2);
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
}

TEST_F(ControllerMonsterStateTest, AttackEndBuffsItselfBeforeTheChainAndReturns)
{
    Make({"BuffSelfBehavior = WhenIdle"});
    Add<ControllerMonsterStateAttack>("Attack");
    Stand& back = StandIn("Return");
    StandIn("Pursue");
    Stand& queued = QueueStandIn();
    const uint32_t foe = Living(30, true)->GetObjectId();
    const uint32_t claw = ReadySkill("Claw");
    const uint32_t ward = ReadySkill("Ward");
    controller->SetDefaultAttackSkill(claw);
    controller->SetChainInitialSkill(claw);
    controller->SetChainNextSkill(ReadySkill("Bite"));
    controller->SetBuffSelfSkill(ward);

    Enter("Attack", foe, claw);
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

TEST_F(ControllerMonsterStateTest, ReturnToAnUnreachableSpawnLogsAndMakesHomeWhereItStands)
{
    Make({"BuffSelfBehavior = WhenIdle"});
    Add<ControllerMonsterStateReturn>("Return");
    Stand& idle = StandIn("Idle");
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
TEST_F(ControllerMonsterStateTest, FollowersOfADeadLeaderEndIdle)
{
    Make({"BuffSelfBehavior = WhenIdle"});
    Add<ControllerMonsterStateReturn>("Return");
    Add<ControllerMonsterStateFollowLeader>("FollowLeader");
    Add<ControllerMonsterStateDefendLeader>("DefendLeader");
    Stand& idle = StandIn("Idle");
    StandIn("Wander");
    Monster* leader = Living(2, false);
    const uint32_t leaderId = leader->GetObjectId();
    monster->SetLeader(leaderId);

    Enter("DefendLeader", 0, 0, leaderId);
    controller->GetExecutingState()->AllyDied(Living(3, false)->GetObjectId());
    EXPECT_EQ(State(), "DefendLeader");
    leader->SetLifeState(LifeState_Dead);
    controller->GetExecutingState()->OnUpdate(1);
    EXPECT_EQ(idle.begins, 1);

    leader->SetLifeState(LifeState_Alive);
    Enter("DefendLeader", 0, 0, leaderId);
    leader->SetLifeState(LifeState_Dead);
    controller->GetExecutingState()->AllyDied(leaderId);
    EXPECT_EQ(idle.begins, 2);

    Enter("FollowLeader", 0, 0, leaderId);
    EXPECT_EQ(idle.begins, 3);

    leader->SetLifeState(LifeState_Alive);
    leader->SetPathPosition(At(20, 0));
    Enter("FollowLeader", 0, 0, leaderId);
    ASSERT_EQ(State(), "FollowLeader");
    leader->SetLifeState(LifeState_Dead);
    controller->GetExecutingState()->OnUpdate(1);
    EXPECT_EQ(idle.begins, 4);
}

TEST_F(ControllerMonsterStateTest, ScaredReturnsOnTheFrameTheScareRunsOut)
{
    Make({"BuffSelfBehavior = WhenIdle"});
    controller->Update(0);
    ASSERT_EQ(State(), "Idle");
    LogCapture log;
    controller->ScareMe(0, 100.0f);
    EXPECT_EQ(log.Count(Engine::LogRuntime,
                        "Records/Creatures/Monster/Imp.dbr is scared of an invalid enemy."),
              1u);
    controller->Update(99);
    EXPECT_EQ(State(), "Scared");
    controller->Update(1);
    EXPECT_EQ(State(), "Idle");
}

// A monster without a run animation, so that every run stops where it starts, under its
// controller after the first update, and a hunter 3.0 away.
class ControllerMonsterStatePanicTest : public ControllerMonsterStateTest {
protected:
    void SetUp() override
    {
        ControllerMonsterStateTest::SetUp();
        database.WriteRecord("Records/Controllers/Coward.dbr", {"Class = ControllerMonster"});
        database.WriteRecord("Records/Creatures/Coward.dbr",
                             {"Class = Monster", "characterLife = 100",
                              "controller = Records/Controllers/Coward.dbr"});
        database.WriteRecord("Records/Creatures/Hunter.dbr",
                             {"Class = Monster", "characterLife = 100"});
        coward =
            ObjectManager::Instance().CreateObjectFromFile<Monster>("Records/Creatures/Coward.dbr");
        hunter =
            ObjectManager::Instance().CreateObjectFromFile<Monster>("Records/Creatures/Hunter.dbr");
        (*world)->AddEntity(coward, WorldCoords(At(0, 0)), false);
        (*world)->AddEntity(hunter, WorldCoords(At(3, 0)), false);
        hunter->SetTeam(TeamManager::DefaultPlayerTeam());
        for (Monster* one : {coward, hunter}) {
            one->InitialUpdate();
            one->GetCharacterBio().Update(*one, 0);
        }
        cowardly =
            ObjectManager::Instance().GetObject<ControllerMonster>(coward->GetControllerId());
        cowardly->Update(0);
    }

    Monster* coward = nullptr;
    Monster* hunter = nullptr;
    ControllerMonster* cowardly = nullptr;
};

// Without the guards these runs restart from inside themselves and never return.
TEST_F(ControllerMonsterStatePanicTest, ARunThatCannotStartRunsAgainOnTheNextUpdateNotAtOnce)
{
    cowardly->Panic(hunter->GetObjectId());
    EXPECT_EQ(coward->GetActionState(), ActionState_ForcedStop);
    for (int frame = 0; frame < 3; ++frame) {
        cowardly->Update(33);
        EXPECT_STREQ(cowardly->GetExecutingStateName(), "Panic") << frame;
    }
    EXPECT_EQ(coward->GetPathPosition(), WorldVec3(kRegion, Vec3()));
}

TEST_F(ControllerMonsterStatePanicTest, AScaredRunThatCannotStartWaitsForItsRunTimer)
{
    cowardly->ScareMe(hunter->GetObjectId(), 5000.0f);
    EXPECT_EQ(coward->GetActionState(), ActionState_ForcedStop);
    // Runs last 1000 to 2000 ms; the timer then tries again, once.
    cowardly->Update(2001);
    EXPECT_STREQ(cowardly->GetExecutingStateName(), "Scared");
    EXPECT_EQ(coward->GetPathPosition(), WorldVec3(kRegion, Vec3()));
}

// The states under test replace the controller's own after its first update; "Idle", "Return",
// "Panic" and the queued state are stand-ins.
class ControllerMonsterStatesTest : public ControllerMonsterStateTest {
protected:
    void SetUp() override
    {
        ControllerMonsterStateTest::SetUp();
        Make({});
        controller->Update(0);
        Add<ControllerMonsterStateDying>("Dying");
        Add<ControllerMonsterStateDead>("Dead");
        Add<ControllerMonsterStateParalyze>("Paralyze");
        Add<ControllerMonsterStateStunned>("Stunned");
        Add<ControllerMonsterStateTrapped>("Trapped");
        Add<ControllerMonsterStateQuestMove>("QuestMove");
        Add<ControllerMonsterStateQuestWalk>("QuestWalk");
        Add<ControllerMonsterStateQuestPlayAnimation>("QuestPlayAnimation");
        Add<ControllerMonsterStateQuestUseSkill>("QuestUseSkill");
        for (const char* name : {"Idle", "Return", "Panic"})
            probes.push_back(&StandIn(name));
        queued = &QueueStandIn();
    }

    Stand& Idle() { return *probes[0]; }
    Stand& Return() { return *probes[1]; }
    Stand& Panic() { return *probes[2]; }

    std::vector<Stand*> probes;
    Stand* queued = nullptr;
};

TEST_F(ControllerMonsterStatesTest, DyingAndDeadIgnoreStunImmobilizeAndTrapButPanic)
{
    for (const char* name : {"Dying", "Dead"}) {
        controller->SetState(name, ControllerAIStateData());
        controller->AddTemporaryState("UseSkillOnAlly", ControllerAIStateData());
        controller->ClearTemporaryStates();
        controller->BeginStun();
        controller->BeginImmobilize();
        controller->BeginTrap();
        EXPECT_EQ(State(), name);
        const int panics = Panic().begins;
        controller->Panic(42);
        EXPECT_EQ(Panic().begins, panics + 1) << name;
        EXPECT_EQ(Panic().enemy, 42u);
    }
}

TEST_F(ControllerMonsterStatesTest, DyingFiresItsReadySkillOnceEvenWhenToldToDieAgain)
{
    auto* skill = static_cast<MonsterStateTestSkill*>(
        ObjectManager::Instance().CreateObject("MonsterStateTestSkill"));
    controller->SetDyingSkill(skill->GetObjectId());
    monster->sent.clear();
    controller->SetState("Dying", ControllerAIStateData());
    const uint32_t activate =
        TypeOf<ActivateSkillConfigCmd>(monster->GetObjectId(), 0u, 0u, WorldVec3());
    EXPECT_EQ(monster->Types(), std::vector<uint32_t>{activate});
    controller->CharacterIsDying();
    EXPECT_EQ(monster->Types(), std::vector<uint32_t>{activate});
}

TEST_F(ControllerMonsterStatesTest, BeginTrapElsewhereDropsTheQueueWithoutEndingIt)
{
    controller->SetState("Stunned", ControllerAIStateData());
    controller->AddTemporaryState("UseSkillOnAlly", ControllerAIStateData());
    controller->BeginTrap();
    EXPECT_EQ(State(), "Trapped");
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
    EXPECT_EQ(queued->ends, 0);

    monster->sent.clear();
    controller->EndTrap();
    EXPECT_EQ(State(), "Return");
    EXPECT_EQ(monster->Types(),
              std::vector<uint32_t>{TypeOf<ReleaseTrapConfigCmd>(monster->GetObjectId())});
}

TEST_F(ControllerMonsterStatesTest, ParalyzeLastsLongerTheNearerTheEnemyInBandsOf25)
{
    // An infinite distance saturates to 2147483647, which is 22 mod 25.
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::pair<float, int32_t> bands[] = {
        {25.0f, 4000}, {24.99f, 160}, {1.0f, 3840}, {inf, 480}, {nan, 4000}};
    for (const auto& [distance, ms] : bands)
        EXPECT_EQ(ControllerMonsterStateParalyze::GetParalyzeTime(distance), ms) << distance;

    // Running from an enemy on the very same spot goes nowhere, rather than to not-a-number.
    const WorldVec3 here = At(1, 1);
    EXPECT_EQ(ControllerMonsterStatePanic::DirectionAwayFrom(here, here), Vec3());
    EXPECT_EQ(ControllerMonsterStatePanic::DirectionAwayFrom(At(4, 5), here),
              Vec3(-0.6f, 0, -0.8f));

    const uint32_t enemy = Place(24.0f, 0, false)->GetObjectId();
    controller->SetState("Paralyze", ControllerAIStateData(enemy, 0, 0, WorldVec3()));
    controller->Update(159);
    EXPECT_EQ(State(), "Paralyze");
    controller->Update(1);
    EXPECT_EQ(State(), "Panic");
    EXPECT_EQ(Panic().enemy, enemy);

    controller->SetState("Paralyze", ControllerAIStateData(999, 0, 0, WorldVec3()));
    EXPECT_EQ(State(), "Idle");
}

TEST_F(ControllerMonsterStatesTest, QuestStatesReportTheirEndAndLogAnUnreadySkill)
{
    const uint32_t self = monster->GetObjectId();
    monster->sent.clear();
    controller->SetQuestPoint(At(6, 0));
    controller->SetState("QuestMove", ControllerAIStateData());
    controller->SetState("Idle", ControllerAIStateData());
    EXPECT_EQ(monster->Types(), std::vector<uint32_t>{TypeOf<QuestMoveCompletedConfigCmd>(self)});
    // Where the quest left the monster is its new home.
    EXPECT_EQ(monster->GetSpawnPoint().GetPosition(), monster->GetCoords().GetPosition());

    controller->SetState("QuestPlayAnimation", ControllerAIStateData());
    monster->sent.clear();
    controller->HandleEvent(Name::Create("End"));
    EXPECT_EQ(State(), "Idle");
    EXPECT_EQ(monster->Types(),
              std::vector<uint32_t>{TypeOf<QuestAnimationCompletedConfigCmd>(self)});

    auto* skill = static_cast<MonsterStateTestSkill*>(
        ObjectManager::Instance().CreateObject("MonsterStateTestSkill"));
    skill->SetReason(Skill::UseQuery_CoolingDown);
    LogCapture log;
    controller->SetState("QuestUseSkill",
                         ControllerAIStateData(0, 0, skill->GetObjectId(), WorldVec3()));
    EXPECT_EQ(log.Count(Engine::LogRuntime,
                        "Skill is not ready in ControllerMonsterStateQuestUseSkill - " +
                            monster->GetObjectName()),
              1u);

    controller->QuestCommandMove(0, WorldVec3(9, Vec3()), false);
    EXPECT_EQ(
        log.Count(Engine::LogData, "Quest cannot move " + monster->GetObjectName() + " to point"),
        1u);

    // The quest's interruption flag decides whether the quest states look for enemies.
    ControllerAIState* walk = controller->GetState("QuestWalk");
    controller->QuestCommandWalk(0, WorldVec3(), false);
    EXPECT_FALSE(walk->ShouldFindEnemy());
    EXPECT_FALSE(walk->RespondsToFear());
    controller->QuestCommandWalk(0, WorldVec3(), true);
    EXPECT_TRUE(walk->ShouldFindEnemy());
}

} // namespace
} // namespace Test
} // namespace GAME
