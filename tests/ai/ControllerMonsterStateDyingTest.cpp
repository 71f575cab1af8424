#include "ai/ControllerMonsterStateDying.h"

#include "ai/ControllerMonster.h"
#include "ai/ControllerMonsterStateDead.h"
#include "ai/ControllerMonsterStatePanic.h"
#include "ai/ControllerMonsterStateParalyze.h"
#include "ai/ControllerMonsterStateQuestMove.h"
#include "ai/ControllerMonsterStateQuestPlayAnimation.h"
#include "ai/ControllerMonsterStateQuestUseSkill.h"
#include "ai/ControllerMonsterStateQuestWalk.h"
#include "ai/ControllerMonsterStateStunned.h"
#include "ai/ControllerMonsterStateTrapped.h"
#include "characters/AnimationSet.h"
#include "characters/CharacterConfigCommands.h"
#include "characters/Monster.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/ActorConfigCommand.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "skills/Skill.h"
#include "tests/support/AiScopedWorld.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace GAME {

// Keeps the packet type of every command it is handed, then runs the command as usual.
class MonsterStateTestMonster : public Monster {
    GAME_DECLARE_CLASS(MonsterStateTestMonster)

public:
    void Enqueue(std::unique_ptr<ActorConfigCommand> command) override
    {
        sent.push_back(command->GetNetPacket()->GetType());
        Monster::Enqueue(std::move(command));
    }
    std::vector<uint32_t> sent;
};

GAME_IMPLEMENT_CLASS(MonsterStateTestMonster, Monster);

class MonsterStateTestSkill : public Skill {
    GAME_DECLARE_CLASS(MonsterStateTestSkill)

public:
    using Skill::SetReason;
};

GAME_IMPLEMENT_CLASS(MonsterStateTestSkill, Skill);

namespace Test {
namespace {

template <class Command, class... Args> uint32_t TypeOf(Args... args)
{
    return Command(args...).GetNetPacket()->GetType();
}

// Stands in for a state whose own behaviour is not under test; counts its entries and exits.
class Probe : public ControllerMonsterStateBase {
public:
    using ControllerMonsterStateBase::ControllerMonsterStateBase;
    void OnBegin() override
    {
        ++begins;
        enemy = GetCurrentEnemy();
    }
    void OnEnd() override { ++ends; }
    int begins = 0;
    int ends = 0;
    uint32_t enemy = 0;
};

class ControllerMonsterStatesTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        World& world = *scopedWorld.emplace(100.0f);
        ObjectManager& objects = ObjectManager::Instance();
        database.WriteRecord("Records/Creatures/Monster/Ghoul.dbr",
                             {"Class = MonsterStateTestMonster"});
        monster = objects.CreateObjectFromFile<MonsterStateTestMonster>(
            "Records/Creatures/Monster/Ghoul.dbr");
        ASSERT_NE(monster, nullptr);
        world.AddEntity(monster, WorldCoords(1, Coords::Identity()), false);
        controller = static_cast<ControllerMonster*>(objects.CreateObject("ControllerMonster"));
        ASSERT_NE(controller, nullptr);
        controller->AttachParent(monster->GetObjectId());
        monster->SetControllerId(controller->GetObjectId());
        // The controller registers its own states first; the ones under test replace them.
        controller->Update(0);
        controller->AddState("Dying", new ControllerMonsterStateDying(controller));
        controller->AddState("Dead", new ControllerMonsterStateDead(controller));
        controller->AddState("Paralyze", new ControllerMonsterStateParalyze(controller));
        controller->AddState("Stunned", new ControllerMonsterStateStunned(controller));
        controller->AddState("Trapped", new ControllerMonsterStateTrapped(controller));
        controller->AddState("QuestMove", new ControllerMonsterStateQuestMove(controller));
        controller->AddState("QuestWalk", new ControllerMonsterStateQuestWalk(controller));
        controller->AddState("QuestPlayAnimation",
                             new ControllerMonsterStateQuestPlayAnimation(controller));
        controller->AddState("QuestUseSkill", new ControllerMonsterStateQuestUseSkill(controller));
        for (const char* name : {"Idle", "Return", "Panic"})
            controller->AddState(name, probes.emplace_back(new Probe(controller)));
        queued = new Probe(controller);
        controller->AddTemporaryState("Queued", queued);
    }

    std::string State() const
    {
        const char* name = controller->GetExecutingStateName();
        return name != nullptr ? name : "";
    }
    Probe& Idle() { return *probes[0]; }
    Probe& Return() { return *probes[1]; }
    Probe& Panic() { return *probes[2]; }
    Monster* Place(float x)
    {
        auto* made = static_cast<Monster*>(ObjectManager::Instance().CreateObject("Monster"));
        gEngine->GetWorld()->AddEntity(made, WorldCoords(1, Coords::FromTranslation(Vec3(x, 0, 0))),
                                       false);
        return made;
    }

    MonsterStateTestMonster* monster = nullptr;
    ControllerMonster* controller = nullptr;
    std::vector<Probe*> probes;
    Probe* queued = nullptr;
    std::optional<AiScopedWorld> scopedWorld;
};

TEST_F(ControllerMonsterStatesTest, DyingAndDeadIgnoreStunImmobilizeAndTrapButPanic)
{
    for (const char* name : {"Dying", "Dead"}) {
        controller->SetState(name, ControllerAIStateData());
        controller->AddTemporaryState("Queued", ControllerAIStateData());
        controller->ClearTemporaryStates();
        controller->BeginStun();
        controller->BeginImmobilize();
        controller->BeginTrap();
        EXPECT_EQ(State(), name);
        const int panics = Panic().begins;
        controller->Panic(42);
        EXPECT_EQ(State(), "Panic") << name;
        EXPECT_EQ(Panic().begins, panics + 1);
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
    EXPECT_EQ(monster->sent, std::vector<uint32_t>{activate});
    controller->CharacterIsDying();
    EXPECT_EQ(monster->sent, std::vector<uint32_t>{activate});
}

TEST_F(ControllerMonsterStatesTest, BeginTrapElsewhereDropsTheQueueWithoutEndingIt)
{
    controller->SetState("Stunned", ControllerAIStateData());
    controller->AddTemporaryState("Queued", ControllerAIStateData());
    ASSERT_EQ(controller->GetTemporaryQueueSize(), 1u);
    controller->BeginTrap();
    EXPECT_EQ(State(), "Trapped");
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
    EXPECT_EQ(queued->ends, 0);

    monster->sent.clear();
    controller->EndTrap();
    EXPECT_EQ(State(), "Return");
    EXPECT_EQ(monster->sent,
              std::vector<uint32_t>{TypeOf<ReleaseTrapConfigCmd>(monster->GetObjectId())});
}

TEST_F(ControllerMonsterStatesTest, ParalyzeLastsLongerTheNearerTheEnemyInBandsOf25)
{
    EXPECT_EQ(ControllerMonsterStateParalyze::GetParalyzeTime(25.0f), 4000);
    EXPECT_EQ(ControllerMonsterStateParalyze::GetParalyzeTime(50.5f), 4000);
    EXPECT_EQ(ControllerMonsterStateParalyze::GetParalyzeTime(24.0f), 160);
    EXPECT_EQ(ControllerMonsterStateParalyze::GetParalyzeTime(24.99f), 160);
    EXPECT_EQ(ControllerMonsterStateParalyze::GetParalyzeTime(1.0f), 3840);
    // 2147483647 mod 25 is 22.
    EXPECT_EQ(
        ControllerMonsterStateParalyze::GetParalyzeTime(std::numeric_limits<float>::infinity()),
        480);
    EXPECT_EQ(
        ControllerMonsterStateParalyze::GetParalyzeTime(std::numeric_limits<float>::quiet_NaN()),
        4000);

    // Running from an enemy on the very same spot goes nowhere, rather than to not-a-number.
    const WorldVec3 here(1, Vec3(1, 0, 1));
    EXPECT_EQ(ControllerMonsterStatePanic::DirectionAwayFrom(here, here), Vec3());
    EXPECT_EQ(ControllerMonsterStatePanic::DirectionAwayFrom(WorldVec3(1, Vec3(4, 0, 5)), here),
              Vec3(-0.6f, 0, -0.8f));

    const uint32_t enemy = Place(24.0f)->GetObjectId();
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
    controller->SetQuestPoint(WorldVec3(1, Vec3(6, 0, 0)));
    controller->SetState("QuestMove", ControllerAIStateData());
    controller->SetState("Idle", ControllerAIStateData());
    EXPECT_EQ(monster->sent, std::vector<uint32_t>{TypeOf<QuestMoveCompletedConfigCmd>(self)});
    // Where the quest left the monster is its new home.
    EXPECT_EQ(monster->GetSpawnPoint().GetPosition(), monster->GetCoords().GetPosition());

    controller->SetState("QuestPlayAnimation", ControllerAIStateData());
    monster->sent.clear();
    controller->HandleEvent(Name::Create("End"));
    EXPECT_EQ(State(), "Idle");
    EXPECT_EQ(monster->sent, std::vector<uint32_t>{TypeOf<QuestAnimationCompletedConfigCmd>(self)});

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
    EXPECT_FALSE(walk->ShouldFindClosestEnemy());
    EXPECT_FALSE(walk->RespondsToFear());
    controller->QuestCommandWalk(0, WorldVec3(), true);
    EXPECT_TRUE(walk->ShouldFindEnemy());
    EXPECT_TRUE(walk->ShouldFindClosestEnemy());
}

} // namespace
} // namespace Test
} // namespace GAME
