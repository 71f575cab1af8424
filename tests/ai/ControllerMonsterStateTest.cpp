#include "ai/ControllerMonsterState.h"

#include "ai/ControllerMonster.h"
#include "ai/ControllerMonsterStateAttack.h"
#include "ai/ControllerMonsterStateFlee.h"
#include "ai/ControllerMonsterStateIdle.h"
#include "ai/ControllerMonsterStatePatrol.h"
#include "ai/ControllerMonsterStatePursue.h"
#include "ai/ControllerMonsterStateReturn.h"
#include "ai/ControllerMonsterStateReturnFast.h"
#include "ai/ControllerMonsterStateStartup.h"
#include "ai/ControllerMonsterStateWaitToAttack.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/PlayStatsDamageType.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/World.h"
#include "skills/Skill.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>

namespace GAME {

// A monster controller whose walking the test decides.
class MonsterStatesOneController : public ControllerMonster {
    GAME_DECLARE_CLASS(MonsterStatesOneController)

public:
    bool CanMove() override { return canMove; }
    bool canMove = true;
};

GAME_IMPLEMENT_CLASS(MonsterStatesOneController, ControllerMonster);

class MonsterStatesOneSkill : public Skill {
    GAME_DECLARE_CLASS(MonsterStatesOneSkill)
};

GAME_IMPLEMENT_CLASS(MonsterStatesOneSkill, Skill);

namespace Test {
namespace {

// Stands in for a state that is not under test: counts its entries, keeps its data.
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
    int begins = 0;
    uint32_t enemy = 0;
    uint32_t ally = 0;
    uint32_t skill = 0;
};

class ControllerMonsterStateTest : public GameEngineFixture {
protected:
    static constexpr uint32_t kRegion = 1;

    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, Vec3(),
                                          ABBox(Vec3(-100, -10, -100), Vec3(100, 10, 100)));
    }

    void TearDown() override
    {
        InstanceGroupManager::Instance().Destroy();
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    // The monster at the origin under a controller loaded from the lines; the named states
    // that the test does not give are stand-ins.
    void Make(std::initializer_list<std::string> lines, const UniqueId& uniqueId = UniqueId(),
              bool animated = true)
    {
        ObjectManager& objects = ObjectManager::Instance();
        if (animated)
            database.WriteRecord(
                "Records/Creatures/Monster/Imp.dbr",
                {"Class = Monster", "unarmedRunAnim = ImpRun", "unarmedWalkAnim = ImpWalk"});
        else
            database.WriteRecord("Records/Creatures/Monster/Imp.dbr", {"Class = Monster"});
        monster = objects.CreateObjectFromFile<Monster>("Records/Creatures/Monster/Imp.dbr");
        ASSERT_NE(monster, nullptr);
        monster->SetUniqueID(uniqueId);
        gEngine->GetWorld()->AddEntity(monster, WorldCoords(At(0, 0)), false);
        monster->SetSpawnPoint(WorldCoords(At(0, 0)));
        std::string record = "Class = MonsterStatesOneController\n";
        for (const std::string& line : lines)
            record += line + "\n";
        database.WriteFile("Records/Controllers/Imp.dbr", record);
        controller =
            objects.CreateObjectFromFile<MonsterStatesOneController>("Records/Controllers/Imp.dbr");
        ASSERT_NE(controller, nullptr);
        controller->AttachParent(monster->GetObjectId());
        monster->SetControllerId(controller->GetObjectId());
    }

    template <typename T> T* Add(const char* name)
    {
        T* state = new T(controller);
        controller->AddState(name, state);
        return state;
    }
    Stand& StandIn(const char* name)
    {
        Stand*& stand = stands[name];
        stand = new Stand(controller);
        controller->AddState(name, stand);
        return *stand;
    }

    Monster* Place(float x, float z, bool foe, const std::string& extra = "")
    {
        const std::string path =
            "Records/Creatures/Monster/Other" + std::to_string(++made) + ".dbr";
        database.WriteRecord(path, {"Class = Monster", extra});
        auto* other = ObjectManager::Instance().CreateObjectFromFile<Monster>(path);
        gEngine->GetWorld()->AddEntity(other, WorldCoords(At(x, z)), false);
        if (foe)
            other->SetTeam(TeamManager::DefaultPlayerTeam());
        return other;
    }

    uint32_t MakeSkill(const char* profile)
    {
        database.WriteRecord(
            "Records/Skills/Claw.dbr",
            {"Class = MonsterStatesOneSkill", std::string("distanceProfile = ") + profile});
        return ObjectManager::Instance()
            .CreateObjectFromFile<GAME::Skill>("Records/Skills/Claw.dbr")
            ->GetObjectId();
    }

    std::string State() const
    {
        const char* name = controller->GetExecutingStateName();
        return name != nullptr ? name : "";
    }
    void Enter(const char* name, uint32_t enemy = 0, uint32_t skill = 0)
    {
        controller->SetState(name, ControllerAIStateData(enemy, 0, skill, WorldVec3()));
    }

    static WorldVec3 At(float x, float z) { return WorldVec3(kRegion, Vec3(x, 0, z)); }
    static float Between(const WorldVec3& a, const WorldVec3& b)
    {
        return gEngine->GetWorld()->GetDistance(a, b);
    }
    WorldVec3 Destination() const { return monster->GetMovementManager()->GetPathTarget(); }

    Monster* monster = nullptr;
    MonsterStatesOneController* controller = nullptr;
    std::map<std::string, Stand*> stands;
    int made = 0;
    std::unique_ptr<World> previousWorld;
};

TEST_F(ControllerMonsterStateTest, TheFirstUpdateRegistersEveryStateAndStartsUp)
{
    Make({});
    controller->InitialUpdate();
    for (const char* name : {"Startup",
                             "Idle",
                             "Pursue",
                             "EmoteBeforePursue",
                             "Attack",
                             "RepositionForAttack",
                             "Flee",
                             "Roam",
                             "Wander",
                             "WanderPause",
                             "Return",
                             "Dying",
                             "Dead",
                             "FollowLeader",
                             "DefendLeader",
                             "NavigateObstacle",
                             "Move",
                             "DodgeAttack",
                             "Panic",
                             "Paralyze",
                             "Confused",
                             "Immobile",
                             "Trapped",
                             "TrappedAttack",
                             "Stunned",
                             "Scared",
                             "Patrol",
                             "WaitToAttack",
                             "QuestMove",
                             "QuestWalk",
                             "QuestPlayAnimation",
                             "QuestUseSkill"})
        EXPECT_NE(controller->GetState(name), nullptr) << name;
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
    auto* queued = new Stand(controller);
    controller->AddTemporaryState("UseSkillOnAlly", queued);
    controller->SetInitialSkill(42);

    Enter("Startup");
    EXPECT_EQ(idle.begins, 1);
    ASSERT_EQ(controller->GetTemporaryQueueSize(), 1u);
    EXPECT_EQ(queued->ally, monster->GetObjectId());
    EXPECT_EQ(queued->skill, 42u);
}

TEST_F(ControllerMonsterStateTest, FullSlotsWaitAndAPursuitTimeOfZeroNeverRunsOut)
{
    Make({"PursuitTime = 0"});
    Add<ControllerMonsterStatePursue>("Pursue");
    Stand& wait = StandIn("WaitToAttack");
    Stand& back = StandIn("Return");
    StandIn("Idle");
    StandIn("Attack");
    const uint32_t claw = MakeSkill("Melee");
    controller->SetDefaultAttackSkill(claw);

    const Monster* crowded = Place(30, 0, true, "numAttackSlots = 0");
    Enter("Pursue", crowded->GetObjectId(), claw);
    EXPECT_EQ(wait.begins, 1);
    EXPECT_EQ(wait.enemy, crowded->GetObjectId());
    EXPECT_EQ(wait.skill, claw);

    const Monster* far = Place(30, 0, true);
    Enter("Pursue", far->GetObjectId(), claw);
    ASSERT_EQ(State(), "Pursue");
    for (int frame = 0; frame < 5; ++frame)
        controller->GetExecutingState()->OnUpdate(1000000);
    EXPECT_EQ(State(), "Pursue");
    EXPECT_EQ(back.begins, 0);
}

TEST_F(ControllerMonsterStateTest, ThePursueTimerSendsTheMonsterBackAfterThePursuitTime)
{
    Make({"PursuitTime = 1000"});
    Add<ControllerMonsterStatePursue>("Pursue");
    Stand& back = StandIn("Return");
    const uint32_t claw = MakeSkill("Melee");
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
    EXPECT_EQ(follow.begins, 1);
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
    Stand& back = StandIn("Return");

    Enter("Patrol");
    EXPECT_EQ(Destination(), At(6, 0));
    monster->SetPathPosition(At(1, 0));
    patrol->EndOfPathReached();
    EXPECT_EQ(State(), "Patrol");
    EXPECT_EQ(controller->GetCurrentPatrolPoint(), 0u);
    EXPECT_EQ(Destination(), At(6, 0));
    EXPECT_EQ(back.begins, 0);

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
    ASSERT_EQ(State(), "WaitToAttack");
    EXPECT_EQ(wait->GetRoamCentre(), At(6, 0));
    EXPECT_EQ(wait->GetRoamRadius(), 2.0f);
    EXPECT_NEAR(Between(Destination(), At(6, 0)), 2.0f, 1e-4f);

    Enter("WaitToAttack", far->GetObjectId());
    ASSERT_EQ(State(), "WaitToAttack");
    EXPECT_EQ(wait->GetRoamCentre(), At(0, 0));
    EXPECT_EQ(wait->GetRoamRadius(), 5.0f);
    EXPECT_NEAR(Between(Destination(), At(0, 0)), 5.0f, 1e-4f);
}

TEST_F(ControllerMonsterStateTest, AStrollThatEndsAsItStartsIsTakenUpOnTheNextUpdate)
{
    // Without a walking animation every walk ends at once.
    Make({"EmoteWhenWaitingChance = 0"}, UniqueId(), false);
    Add<ControllerMonsterStateWaitToAttack>("WaitToAttack");
    Stand& idle = StandIn("Idle");
    const Monster* far = Place(10, 0, true);

    Enter("WaitToAttack", far->GetObjectId());
    EXPECT_EQ(State(), "WaitToAttack");
    controller->GetExecutingState()->OnUpdate(1);
    EXPECT_EQ(State(), "WaitToAttack");
    EXPECT_EQ(idle.begins, 0);
}

TEST_F(ControllerMonsterStateTest,
       AnAttackedAllyIsHealedStrictlyBelowItsThresholdAndNeverWithoutLife)
{
    Make({"healAllyHealthPercentage = 50"});
    auto* attack = Add<ControllerMonsterStateAttack>("Attack");
    auto* queued = new Stand(controller);
    controller->AddTemporaryState("UseSkillOnAlly", queued);
    controller->SetHealSkill(5, 0);
    Monster* hurt = Place(2, 0, false, "characterLife = 100");
    Monster* lifeless = Place(3, 0, false, "characterLife = 0");
    hurt->ForceSpeedUpdate();
    lifeless->ForceSpeedUpdate();
    hurt->SubtractLife(50.0f, PlayStatsDamageType{});

    attack->AllyAttacked(lifeless->GetObjectId(), 0);
    attack->AllyAttacked(hurt->GetObjectId(), 0);
    EXPECT_EQ(queued->begins, 0);
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
    EXPECT_EQ(log.GetLines().size(), 0u);
}

} // namespace
} // namespace Test
} // namespace GAME
