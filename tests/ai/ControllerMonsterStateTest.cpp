#include "ai/ControllerMonsterState.h"

#include "ai/ControllerAIState.h"
#include "ai/ControllerAIStateT.h"
#include "ai/ControllerMonster.h"
#include "ai/ControllerMonsterHidden.h"
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
#include "ai/ControllerMonsterStateStartup.h"
#include "ai/ControllerMonsterStateStunned.h"
#include "ai/ControllerMonsterStateTrapped.h"
#include "ai/ControllerMonsterStateWaitToAttack.h"
#include "ai/ControllerStationaryMonster.h"
#include "ai/ControllerStooge.h"
#include "characters/AmbientCharacter.h"
#include "characters/CharacterConfigCommands.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/PlayStatsDamageType.h"
#include "core/RTTI_ClassInfo.h"
#include "core/RandomUniform.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "skills/Skill.h"
#include "skills/SkillState.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/ai/ControllerTestMonster.h"
#include "tests/ai/ScriptedBossFixture.h"
#include "tests/support/AiItemRecorder.h"
#include "tests/support/AiScopedWorld.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/RecordSkill.h"
#include "world/Proxy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
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
        database.WriteFile("Records/Creatures/Monster/Imp.dbr",
                           animated ? "Class = ControllerTestMonster\nunarmedRunAnim = ImpRun\n"
                                      "unarmedWalkAnim = ImpWalk\n"
                                    : "Class = ControllerTestMonster\n");
        monster = objects.CreateObjectFromFile<ControllerTestMonster>(
            "Records/Creatures/Monster/Imp.dbr");
        monster->SetUniqueID(uniqueId);
        (*world)->AddEntity(monster, WorldCoords(At(0, 0)), false);
        monster->SetSpawnPoint(WorldCoords(At(0, 0)));
        database.WriteFile("Records/Controllers/Imp.dbr",
                           RecordText("Class = MonsterStatesOneController", lines));
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

    uint32_t MakeSkill(const std::string& name)
    {
        const std::string path = "Records/Skills/" + name + ".dbr";
        database.WriteRecord(path, {"Class = MonsterStateTestSkill", "distanceProfile = Melee"});
        return ObjectManager::Instance().CreateObjectFromFile<Skill>(path)->GetObjectId();
    }
    uint32_t ReadySkill(const std::string& name)
    {
        const uint32_t id = MakeSkill(name);
        ObjectManager::Instance().GetObject<Skill>(id)->ReceiveStateUpdate(SkillState{1, true},
                                                                           true);
        return id;
    }

    // An attack whose chain begins with "Claw" and goes on with the ready skill `next`, against
    // a foe 30 away; where it goes after are stand-ins.
    struct Chain {
        Stand& pursue;
        Stand& back;
        Stand& queued;
        uint32_t foe;
        uint32_t claw;
        uint32_t next;
    };
    Chain ChainedAttack(const std::string& next)
    {
        Make({"BuffSelfBehavior = WhenIdle"});
        Add<ControllerMonsterStateAttack>("Attack");
        const Chain chain{StandIn("Pursue"),  StandIn("Return"),
                          QueueStandIn(),     Living(30, true)->GetObjectId(),
                          ReadySkill("Claw"), ReadySkill(next)};
        controller->SetDefaultAttackSkill(chain.claw);
        controller->SetChainInitialSkill(chain.claw);
        controller->SetChainNextSkill(chain.next);
        return chain;
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
    controller->GetExecutingState()->OnUpdate(1000000);
    EXPECT_EQ(State(), "Idle");
    EXPECT_EQ(roam.begins, 0);

    controller->canMove = true;
    Enter("Idle");
    controller->GetExecutingState()->OnUpdate(101);
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
    controller->GetExecutingState()->OnUpdate(1001);
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
    // Not-a-number would fail these too.
    const Vec3& at = point.GetRegionPosition();
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
    // Once a monster: a crowd without room would tell it at every try.
    EXPECT_FALSE(ControllerMonsterStateBase::PickRandomPointInVicinity(point, monster, At(0, 0),
                                                                       0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(log.Count(2, "Monster failed to PickRandomPointInVicinity"), 1u);

    log.Clear();
    EXPECT_TRUE(ControllerMonsterStateBase::PickRandomPointInVicinity(point, monster, At(0, 0),
                                                                      3.0f, 3.0f, 2.9f, 0.0f));
    EXPECT_NEAR(Between(point, At(0, 0)), 3.0f, 1e-4f);
}

// The "End" of the chain's first skill hands the next one on as the behaviour says; the next
// skill's own "End" (or a behaviour out of range) picks the best skill again.
TEST_F(ControllerMonsterStateTest, AttackEndChainsTheNextSkillAsTheBehaviourSays)
{
    const auto [pursue, back, queued, foe, claw, bite] = ChainedAttack("Bite");
    const Monster* leader = Living(2, false);
    monster->SetLeader(leader->GetObjectId());

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
    const auto [pursue, back, queued, foe, claw, bite] = ChainedAttack("Bite");
    const uint32_t ward = ReadySkill("Ward");
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
        coward =
            Place(0, 0, false, "characterLife = 100\ncontroller = Records/Controllers/Coward.dbr");
        hunter = Place(3, 0, true, "characterLife = 100");
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
        StandIn("Idle");
        StandIn("Return");
        panic = &StandIn("Panic");
        queued = &QueueStandIn();
    }

    Stand* panic = nullptr;
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
        const int panics = panic->begins;
        controller->Panic(42);
        EXPECT_EQ(panic->begins, panics + 1) << name;
        EXPECT_EQ(panic->enemy, 42u);
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
    controller->Update(160);
    EXPECT_EQ(State(), "Panic");
    EXPECT_EQ(panic->enemy, enemy);

    controller->SetState("Paralyze", ControllerAIStateData(999, 0, 0, WorldVec3()));
    EXPECT_EQ(State(), "Idle");
}

TEST_F(ControllerMonsterStatesTest, QuestStatesReportTheirEndAndLogAPointTheyCannotReach)
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

    controller->SetState("QuestPlayAnimation", ControllerAIStateData());
    LogCapture log;
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

class MonsterProbe : public ControllerMonster {
public:
    using ControllerMonster::AngerUpdate;
    using ControllerMonster::FindEnemy;
    using ControllerMonster::FindEnemyUpdate;
    using ControllerMonster::PickRandomEnemyInView;
    using ControllerMonster::TryToHealAlly;
};

// Counts what the controller asks of the executing state.
class CountingState : public ControllerAIStateT<ControllerAI, Character> {
public:
    using ControllerAIStateT::ControllerAIStateT;
    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}
    bool ShouldFindEnemy() override
    {
        ++findRounds;
        return false;
    }
    void ProjectileNotification(uint32_t /*projectileId*/) override { ++projectiles; }
    bool RespondsToFear() override { return true; }

    int findRounds = 0;
    int projectiles = 0;
};

// Looks for the closest foe and keeps what it was told of him, and the ally of each begin.
class ClosestState : public CountingState {
public:
    using CountingState::CountingState;
    void OnBegin() override { allies.push_back(GetCurrentAlly()); }
    bool ShouldFindClosestEnemy() override { return true; }
    void ClosestEnemyFound(uint32_t enemyId, float /*distance*/) override
    {
        closest.push_back(enemyId);
    }
    std::vector<uint32_t> allies;
    std::vector<uint32_t> closest;
};

// A monster at (0, 0, 0) thinking with a probe loaded from the test's record lines.
class MonsterDecisionsTest : public AiWorldFixture {
protected:
    void Think(const std::string& lines, std::initializer_list<std::string> selfLines = {})
    {
        self = Make("Self", 0, 0, selfLines);
        self->ForceSpeedUpdate();
        controller = Keep(std::make_unique<MonsterProbe>());
        LoadTable table;
        table.Parse(lines, "Probe.dbr");
        controller->Load(table);
        controller->SetParentId(self->GetObjectId());
        state = new CountingState(controller);
        controller->AddState("Counting", state);
        controller->SetState("Counting", ControllerAIStateData());
    }

    Monster* MakeFoe(float x)
    {
        Monster* foe = Make("Foe", x, 0);
        foe->SetTeam(TeamManager::DefaultPlayerTeam());
        return foe;
    }
    // A friend of 100 life that lost some.
    Monster* Hurt(const std::string& name, float x, float lost)
    {
        Monster* hurt = Make(name, x, 0, {"characterLife = 100"});
        hurt->ForceSpeedUpdate();
        hurt->SubtractLife(lost, PlayStatsDamageType{});
        return hurt;
    }
    template <typename T> static T* Dead(T* character)
    {
        character->SetLifeState(LifeState_Dead);
        return character;
    }

    uint32_t MakeSkill(const std::string& name, bool enabled)
    {
        const std::string path = "Records/Skills/" + name + ".dbr";
        database.WriteRecord(path, {RecordSkill::kClassLine});
        Skill* skill = ObjectManager::Instance().CreateObjectFromFile<Skill>(path);
        skill->ReceiveStateUpdate(SkillState{1, enabled}, true);
        return skill->GetObjectId();
    }

    Monster* self = nullptr;
    MonsterProbe* controller = nullptr;
    CountingState* state = nullptr;
};

TEST_F(MonsterDecisionsTest, NewLeaderTeamChangeAndClearForgetTheGrudges)
{
    Think("");
    for (int step = 0; step < 3; ++step) {
        const uint32_t enemy = MakeFoe(5)->GetObjectId();
        controller->SetMostHatedEnemy(enemy);
        EXPECT_EQ(controller->GetAngerManager().GetNewTarget(10.0f)->GetObjectId(), enemy);
        if (step == 0)
            controller->NewLeader(77);
        else if (step == 1)
            controller->TeamChanged();
        else
            controller->ClearAnger();
        EXPECT_EQ(controller->GetAngerManager().GetNewTarget(10.0f), nullptr) << step;
    }
}

TEST_F(MonsterDecisionsTest, TreasureProxyReplacesTheOldOneAndKeepsOnlyProxies)
{
    Think("");
    database.WriteRecord("Records/Proxies/Chest.dbr", {"Class = Proxy"});
    database.WriteRecord("Records/Proxies/NotAProxy.dbr", {"Class = Monster"});
    controller->SetTreasureProxy("");
    EXPECT_EQ(controller->GetTreasureProxy(), nullptr);
    controller->SetTreasureProxy("Records/Proxies/Chest.dbr");
    Proxy* first = controller->GetTreasureProxy();
    const uint32_t firstId = first->GetObjectId();

    controller->SetTreasureProxy("");
    EXPECT_EQ(controller->GetTreasureProxy(), first);
    controller->SetTreasureProxy("Records/Proxies/Chest.dbr");
    EXPECT_NE(controller->GetTreasureProxy()->GetObjectId(), firstId);

    const uint32_t secondId = controller->GetTreasureProxy()->GetObjectId();
    controller->SetTreasureProxy("Records/Proxies/NotAProxy.dbr");
    EXPECT_EQ(controller->GetTreasureProxy(), nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObject(firstId), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObject(secondId), nullptr);
}

TEST_F(MonsterDecisionsTest, BestSkillWaitsForTheSpecialsEnemyTimeoutAndDelay)
{
    Think("");
    const uint32_t foe = MakeFoe(3)->GetObjectId();
    // No skill at all gives zero; only an unchecked choice logs it.
    log.Clear();
    EXPECT_EQ(controller->ChooseBestSkill(foe, true), 0u);
    EXPECT_EQ(log.GetLines().size(), 0u);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), 0u);
    EXPECT_EQ(log.Count(2, "ControllerMonster::ChooseBestSkill picked an invalid skill for "
                           "Records/Creatures/Self.dbr"),
              1u);

    const uint32_t special = MakeSkill("Special", true);
    const uint32_t fallback = MakeSkill("Fallback", false);
    controller->SetSpecialAttackSkill(special, 2000, 500, 100, SkillUseRange_None);
    controller->SetDefaultAttackSkill(fallback);

    // The disabled default comes back: its state is never asked.
    controller->Update(3000);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->SetMostHatedEnemy(foe);
    controller->FindEnemy();
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->Update(2000);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), special);

    controller->SetSpecialAttackCooldown(0, 500);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->Update(500);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), special);

    // Slots past the five are empty.
    controller->SetSpecialAttack5Skill(9, 1200, 300, 40, SkillUseRange_Long);
    EXPECT_EQ(controller->GetSpecialAttack(5).skill, 0u);
    EXPECT_EQ(controller->GetSpecialAttack(-1).skill, 0u);
}

TEST_F(MonsterDecisionsTest, BandBoundsAreExcludedAfterTheRadii)
{
    Think("");
    Monster* foe = MakeFoe(0);
    const float radii = self->GetExtents() + foe->GetExtents();
    const uint32_t id = foe->GetObjectId();
    foe->SetPathPosition(WorldVec3(kRegion, Vec3(4.0f + radii, 0, 0)));
    EXPECT_FALSE(controller->IsSkillInProperRange(id, SkillUseRange_Short));
    EXPECT_FALSE(controller->IsSkillInProperRange(id, SkillUseRange_Medium));
    foe->SetPathPosition(WorldVec3(kRegion, Vec3(3.5f + radii, 0, 0)));
    EXPECT_TRUE(controller->IsSkillInProperRange(id, SkillUseRange_Short));
    foe->SetPathPosition(WorldVec3(kRegion, Vec3(radii, 0, 0)));
    EXPECT_FALSE(controller->IsSkillInProperRange(id, SkillUseRange_Short));
    EXPECT_TRUE(controller->IsSkillInProperRange(999, SkillUseRange_None));
    EXPECT_FALSE(controller->IsSkillInProperRange(999, SkillUseRange_Short));
}

TEST_F(MonsterDecisionsTest, SightAngerGrowsPerPeriodAndTheTimerKeepsTheRest)
{
    Think("ForgiveRate = 0\nViewDistance = 20");
    Monster* foe = MakeFoe(10);
    // Without "MaxPursuitDistance" every character is in range.
    EXPECT_TRUE(controller->InPursuitRange(foe->GetObjectId()));
    EXPECT_FLOAT_EQ(controller->ProcessAngerTarget(*foe, 200), 3.8f);

    controller->AngerUpdate(450);
    EXPECT_EQ(controller->GetAngerTimer(), 150.0f);
    // 11.4 in all: above 11.3, not above 11.5.
    EXPECT_EQ(controller->GetAngerManager().GetNewTarget(11.5f), nullptr);
    EXPECT_EQ(controller->GetAngerManager().GetNewTarget(11.3f), foe);
}

// An anger round reads the monster's own place and its home once for all the foes in sight; the
// next round sees where both have gone since, as a question outside any round does.
TEST_F(MonsterDecisionsTest, EachAngerRoundSeesWhereTheMonsterAndItsHomeAreNow)
{
    Think("ForgiveRate = 0\nViewDistance = 20\nInnerViewDistance = 5\nInnerSightAngerRate = 100\n"
          "SightAngerRate = 10\nMaxPursuitDistance = 9");
    Monster* foe = MakeFoe(4);
    const uint32_t id = foe->GetObjectId();
    struct Row {
        float selfX;
        float homeX;
    };
    std::vector<float> grown;
    int32_t elapsedMs = 200;
    for (const Row& row : {Row{0, 0}, Row{-8, 0}, Row{-8, -8}}) {
        SCOPED_TRACE(row.selfX + row.homeX);
        self->SetPathPosition(At(row.selfX, 0));
        self->SetSpawnPoint(WorldCoords(At(row.homeX, 0)));
        const float before = controller->GetAngerManager().GetAnger(id);
        // Two periods a round: the first from a timer at 0, the others from one at 200.
        const float expected = 2.0f * controller->ProcessAngerTarget(*foe, 200);
        controller->AngerUpdate(std::exchange(elapsedMs, 400));
        grown.push_back(controller->GetAngerManager().GetAnger(id) - before);
        EXPECT_NEAR(grown.back(), expected, 1e-4f);
    }
    // Nearby, farther off, then beyond pursuit from the moved home.
    EXPECT_GT(grown[0], grown[1]);
    EXPECT_GT(grown[1], 0.0f);
    EXPECT_EQ(grown[2], 0.0f);
}

TEST_F(MonsterDecisionsTest, HugeTimesSaturate)
{
    Think("ViewDistance = 20");
    Monster* foe = MakeFoe(10);
    // 10,737,419 periods: their 2,147,483,800 ms reach the table as 2,147,483,647, so the
    // anger fades instead of growing by a wrapped negative time.
    controller->AngerUpdate(2147483647);
    EXPECT_GE(controller->GetAngerTimer(), 0.0f);
    EXPECT_LT(controller->GetAngerTimer(), 400.0f);
    EXPECT_EQ(controller->GetAngerManager().GetNewTarget(0.0f), nullptr);

    controller->AddState("Scared", new CountingState(controller));
    controller->ScareMe(foe->GetObjectId(), 1.0e12f);
    EXPECT_EQ(controller->GetScareTimer(), 2147483647);
    EXPECT_TRUE(controller->StillScared());
    EXPECT_EQ(controller->GetCurrentEnemy(), foe->GetObjectId());
}

TEST_F(MonsterDecisionsTest, FindRoundsCatchUpTwiceAtMostAndADodgeCooldownOnlyRestarts)
{
    Think("");
    controller->FindEnemyUpdate(1000);
    EXPECT_EQ(state->findRounds, 2);
    EXPECT_EQ(controller->GetFindEnemyTimer(), 200);
    controller->FindEnemyUpdate(350);
    EXPECT_EQ(state->findRounds, 3);
    EXPECT_EQ(controller->GetFindEnemyTimer(), 50);

    // A projectile within the dodge cooldown only restarts it.
    controller->ProjectileNotification(0);
    EXPECT_EQ(state->projectiles, 1);
    EXPECT_EQ(controller->GetDodgeCooldown(), 5000);
    controller->Update(1000);
    controller->ProjectileNotification(0);
    EXPECT_EQ(state->projectiles, 1);
    EXPECT_EQ(controller->GetDodgeCooldown(), 5000);
}

// A fallen leader and the weakest friend in sight, a corpse at hand, are past mending and need
// no buff, and a friend at the threshold no heal: the heal and the buff go to the living wounded.
TEST_F(MonsterDecisionsTest, HealerAndBufferPassOverTheDeadForTheLivingWounded)
{
    Think("healAllyHealthPercentage = 50\nhealLeaderHealthPercentage = 50\nViewDistance = 20");
    controller->AddTemporaryState("UseSkillOnAlly", new CountingState(controller));
    self->SetLeader(Dead(Hurt("Leader", 2, 95.0f))->GetObjectId());
    Dead(Hurt("Corpse", 1, 90.0f));
    controller->TryToHealAlly();
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
    EXPECT_EQ(controller->ChooseBestAllyToBuff(), 0u);
    // Exactly at the threshold is not below it.
    Hurt("AtThreshold", 4, 50.0f);
    controller->TryToHealAlly();
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
    const uint32_t wounded = Hurt("Wounded", 3, 60.0f)->GetObjectId();
    controller->TryToHealAlly();
    EXPECT_EQ(controller->GetCurrentAlly(), wounded);
    EXPECT_EQ(controller->ChooseBestAllyToBuff(), wounded);
}

// Neither the anger rounds nor the random pick, nor the search for a foe too close, takes a
// dead foe, however near.
TEST_F(MonsterDecisionsTest, AngerAndFlightNeverPickADeadFoe)
{
    Think("ForgiveRate = 0\nViewDistance = 20\nenemyTooClose = 5\nFleeBehavior = "
          "FleeWhenEnemyClose\nFleeChance = 100");
    auto* closest = new ClosestState(controller);
    controller->AddState("Closest", closest);
    controller->SetState("Closest", ControllerAIStateData());
    const uint32_t corpse = Dead(MakeFoe(1))->GetObjectId();
    EXPECT_EQ(controller->PickRandomEnemyInView(), nullptr);
    controller->AngerUpdate(200);
    controller->FindEnemyUpdate(200);
    EXPECT_EQ(controller->GetAngerManager().GetAnger(corpse), 0.0f);
    EXPECT_TRUE(closest->closest.empty());

    Monster* foe = MakeFoe(3);
    EXPECT_EQ(controller->PickRandomEnemyInView(), foe);
    controller->FindEnemyUpdate(200);
    EXPECT_EQ(closest->closest, std::vector<uint32_t>{foe->GetObjectId()});
}

// 260 dead foes in the monster's own cell, made first, and a living one a metre off: sight
// weighs him whatever the corpses, and the sight that wants the dead too puts them after him.
TEST_F(MonsterDecisionsTest, ACorpseCrowdHidesNoLivingFoe)
{
    Think("ViewDistance = 20");
    for (int i = 0; i < 260; ++i)
        Dead(MakeFoe(0.5f));
    Character* foe = MakeFoe(1);
    std::vector<Character*> seen;
    const WorldVec3 own = self->GetPathPosition();
    const Sphere view(own.GetRegionPosition(), 20.0f);
    controller->GetFoesInSphere(seen, own.GetRegion(), view);
    EXPECT_EQ(seen, std::vector<Character*>{foe});
    Character::FindCharactersInSphere(seen, own.GetRegion(), view, *self, Character::Sight::Foes,
                                      Character::Life::AlsoDead);
    ASSERT_EQ(seen.size(), Character::kMaxCharactersInSphere);
    EXPECT_EQ(seen.back(), foe);
}

// A time the frames divide runs out on the frame that reaches 0: the monster's life ends, and
// the heal's wait is over.
TEST_F(MonsterDecisionsTest, TimesTheFramesDivideRunOutOnTheFrameThatReachesNought)
{
    Think("healAllyHealthPercentage = 50\nViewDistance = 20", {"characterLife = 100"});
    controller->Update(0); // the controller's own states, registered at its first update
    auto* heals = new ClosestState(controller);
    controller->AddTemporaryState("UseSkillOnAlly", heals);
    const uint32_t wounded = Hurt("Wounded", 3, 60.0f)->GetObjectId();
    controller->SetHealTimer(300);
    controller->SetLifetime(400);
    for (int frame = 0; frame < 3; ++frame)
        controller->Update(100);
    EXPECT_EQ(heals->allies, std::vector<uint32_t>{wounded});
    EXPECT_EQ(self->GetLifeState(), LifeState_Alive);
    controller->Update(100);
    EXPECT_EQ(self->GetLifeState(), LifeState_Dying);
}

constexpr uint32_t kAna = 0x10000001;
constexpr uint32_t kBob = 0x20000001;
constexpr uint32_t kCy = 0x30000001;
constexpr uint32_t kDee = 0x40000001;

class ControllerMonsterLootTest : public DeathFixture {
protected:
    static PlayerNetBasicInfo Player(uint32_t id, uint32_t party)
    {
        PlayerNetBasicInfo record;
        record.playerId = id;
        record.partyId = static_cast<int32_t>(party);
        record.position = WorldVec3(kRegion, Vec3());
        return record;
    }

    // The names of the items the monster drops when the attacker killed it.
    std::vector<std::string> DropsWhenKilledBy(uint32_t attackerId)
    {
        database.WriteRecord("Records/Items/Charm.dbr", {"Class = ItemEquipment"});
        Monster* dying = Spawn<Monster>("Records/Creatures/Dying.dbr",
                                        {"perPartyMemberDropItemName = Records/Items/Charm.dbr"});
        dying->SetPathPosition(WorldVec3(kRegion, Vec3(1, 0, 0)));
        dying->GetCombatManager().SetAttacker(attackerId);
        auto controller = std::make_unique<ControllerMonster>();
        controller->SetParentId(dying->GetObjectId());

        AiItemRecorder recorder;
        controller->CreateDropMiscItems();

        std::vector<std::string> names;
        std::set<uint32_t> ids;
        for (const ItemReplicaInfo& item : recorder.drops) {
            names.push_back(item.baseName);
            ids.insert(item.id);
        }
        EXPECT_EQ(ids.size(), names.size()) << "every copy has an id of its own";
        return names;
    }
};

TEST_F(ControllerMonsterLootTest, EveryMemberOfTheKillersPartyGetsACopy)
{
    Game().GetPlayerManagerClient()->HandlePlayerUpdate(
        {Player(kAna, kAna), Player(kBob, kAna), Player(kCy, kAna), Player(kDee, 0)});
    const std::string charm = "Records/Items/Charm.dbr";
    EXPECT_EQ(DropsWhenKilledBy(kBob), std::vector<std::string>(3, charm));
    EXPECT_EQ(DropsWhenKilledBy(kDee), std::vector<std::string>(1, charm));
}

// Monsters with a walk, a run and a spawn animation thinking with the test's controller.
class LesserMonsterTest : public ScriptedBossFixture {
protected:
    template <typename TController>
    Monster* Monsterwith(const std::string& name, std::initializer_list<std::string> lines)
    {
        return Boss<TController>(name, 0, 0, lines, {"unarmedSpawnAnim = Rise"});
    }
    Monster* Other(const std::string& name, float x, bool foe)
    {
        return Bystander(
            name, x, 0, foe ? TeamManager::DefaultPlayerTeam() : TeamManager::DefaultMonsterTeam());
    }
    static ControllerMonster& Brain(const Character& character)
    {
        return ControllerOf<ControllerMonster>(character);
    }
};

TEST_F(LesserMonsterTest, AStationaryMonsterStrikesFromItsSpotOrStands)
{
    const uint32_t bolt = SkillObject("Bolt");
    Monster* turret = Monsterwith<ControllerStationaryMonster>("Turret", {});
    ControllerMonster& controller = Brain(*turret);
    const Vec3 standing = turret->GetMovementManager()->GetPathTarget().GetRegionPosition();
    const uint32_t near = Other("Near", 1, true)->GetObjectId();
    const uint32_t far = Other("Far", 40, true)->GetObjectId();

    struct Row {
        const char* state;
        uint32_t enemy;
        const char* after;
    };
    for (const Row& row :
         {Row{"Pursue", far, "Idle"}, Row{"Flee", near, "Idle"}, Row{"Return", 0, "Idle"},
          Row{"Move", 0, "Idle"}, Row{"Pursue", near, "Attack"}}) {
        SCOPED_TRACE(std::string(row.state) + " -> " + row.after);
        controller.SetState(row.state, ControllerAIStateData(row.enemy, 0, bolt, WorldVec3()));
        EXPECT_EQ(StateOf(*turret), row.after);
        EXPECT_EQ(turret->GetMovementManager()->GetPathTarget().GetRegionPosition(), standing);
    }
}

class HiddenMonsterTest : public LesserMonsterTest {
protected:
    Monster* Lurker()
    {
        return Monsterwith<ControllerMonsterHidden>("Lurker", {"appearDistance = 5.0"});
    }
};

// Neither a friend at hand nor a dead foe wakes it.
TEST_F(HiddenMonsterTest, OnlyALivingFoeNearerThanTheAppearDistanceWakesIt)
{
    Monster* lurker = Lurker();
    ControllerMonster& controller = Brain(*lurker);
    Other("Friend", 1, false);
    Other("Corpse", 1, true)->SetLifeState(LifeState_Dead);
    Monster* foe = Other("Foe", 7, true);
    controller.GetExecutingState()->OnUpdate(33);
    EXPECT_FALSE(lurker->GetPoppedOut());

    foe->SetPathPosition(At(4, 0));
    controller.GetExecutingState()->OnUpdate(33);
    EXPECT_TRUE(lurker->GetPoppedOut());
    // The pursuit after the spawn is in the host's town transcript.
    controller.HandleEvent(Name::Create("End"));
    EXPECT_GT(controller.GetAngerManager().GetAnger(foe->GetObjectId()), 0.0f);
}

TEST_F(HiddenMonsterTest, AFoeThatWentBeforeTheSpawnEndedIsNotTaunted)
{
    Monster* lurker = Lurker();
    ControllerMonster& controller = Brain(*lurker);
    Monster* foe = Other("Foe", 3, true);
    const uint32_t foeId = foe->GetObjectId();
    controller.GetExecutingState()->OnUpdate(33);
    ObjectManager::Instance().DestroyObjectEx(foe, __FILE__, __LINE__);
    controller.HandleEvent(Name::Create("End"));
    EXPECT_EQ(controller.GetAngerManager().GetAnger(foeId), 0.0f);
    EXPECT_EQ(controller.GetCurrentEnemy(), 0u);
}

class StoogeTest : public AiWorldFixture {
protected:
    AmbientCharacter* Crab(std::initializer_list<std::string> lines)
    {
        database.WriteRecord("Records/Items/Shell.dbr", {"Class = ItemEquipment"});
        return Spawn<AmbientCharacter>("Records/Creatures/Crab.dbr", lines);
    }
};

TEST_F(StoogeTest, EverySlotDrawsOnceWhateverItsChance)
{
    AmbientCharacter* crab =
        Crab({"controllerType = Stooge", "chanceToEquipMisc1 = 0", "chanceToEquipMisc3 = 0",
              "lootMisc1Item1 = Records/Items/Shell.dbr", "chanceToEquipMisc1Item1 = 100"});
    AiItemRecorder recorder;
    RandomUniform expected = Game().GetRandomGen();
    for (int draw = 0; draw < 3; ++draw)
        expected.FGenerate(0.1f, 100.0f);
    ControllerOf<ControllerStooge>(*crab).CharacterIsDead();
    EXPECT_TRUE(recorder.drops.empty());
    EXPECT_EQ(Game().GetRandomGen().IGenerate(0, 1000000), expected.IGenerate(0, 1000000));
}

TEST_F(StoogeTest, ACertainSlotDropsItsOnlyRecordAtTheCreature)
{
    AmbientCharacter* crab =
        Crab({"controllerType = Stooge", "chanceToEquipMisc2 = 100.0",
              "lootMisc2Item1 = Records/Items/Shell.dbr", "chanceToEquipMisc2Item1 = 100"});
    AiItemRecorder recorder;
    std::vector<Vec3> where;
    recorder.onCreate = [&where](const WorldCoords& coords, const ItemReplicaInfo&) {
        where.push_back(coords.GetRegionCoords().origin);
    };
    ControllerOf<ControllerStooge>(*crab).CharacterIsDead();
    ASSERT_EQ(recorder.drops.size(), 1u);
    EXPECT_EQ(recorder.drops[0].baseName, "Records/Items/Shell.dbr");
    EXPECT_EQ(where, std::vector<Vec3>{kPlace.GetRegionCoords().origin});
}

} // namespace
} // namespace Test
} // namespace GAME
