#include "ai/ControllerAI.h"

#include "ai/ControllerAIStateT.h"
#include "ai/ControllerMonster.h"
#include "ai/ControllerPlayer.h"
#include "ai/SlotManager.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/PlayStatsDamageType.h"
#include "core/UniqueId.h"
#include "engine/Entity.h"
#include "engine/Region.h"
#include "skills/Skill.h"
#include "tests/ai/AiWorldFixture.h"
#include "world/DynamicBarrier.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
// A skill the tests' records can name.
class ReachSkill : public Skill {
    GAME_DECLARE_CLASS(ReachSkill)

public:
    uint32_t GetCurrentLevel() const override { return GetSkillLevel(); }
    void CollectPassiveCharAttributes(CharAttributeAccumulator& /*accumulator*/) const override {}
};

GAME_IMPLEMENT_CLASS(ReachSkill, Skill);

namespace {

using Journal = std::vector<std::string>;

class JournalState : public ControllerAIStateT<ControllerAI, Character> {
public:
    JournalState(ControllerAI* controller, Journal& journal, std::string name)
        : ControllerAIStateT(controller), journal(journal), name(std::move(name))
    {}

    void OnBegin() override
    {
        journal.push_back(name + " begin");
        if (onBegin)
            onBegin();
    }
    void OnEnd() override
    {
        journal.push_back(name + " end");
        if (onEnd)
            onEnd();
    }
    void OnUpdate(int32_t /*elapsedMs*/) override { journal.push_back(name + " update"); }
    bool IsAvailableForSidelineConversations() override
    {
        journal.push_back(name + " asked");
        return true;
    }
    void QuestCommandMove(uint32_t /*targetId*/, const WorldVec3& /*point*/) override
    {
        journal.push_back(
            name + (GetController()->GetAllowQuestInterruptions() ? " quest 1" : " quest 0"));
    }

    void SkillUsed(uint32_t skillId) override
    {
        journal.push_back(name + " used " + std::to_string(skillId));
    }
    void Strike(uint32_t targetId, uint32_t skillId)
    {
        UseSkill(targetId, WorldVec3(), skillId, 0);
    }

    std::function<void()> onBegin;
    std::function<void()> onEnd;

private:
    Journal& journal;
    std::string name;
};

class JournalController : public ControllerAI {
public:
    JournalState* Add(const std::string& name, bool temporary = false)
    {
        auto* state = new JournalState(this, journal, name);
        if (temporary)
            ControllerAI::AddTemporaryState(name, state);
        else
            AddState(name, state);
        made[name] = state;
        return state;
    }

    Journal journal;
    // Temporaries are not found through GetState.
    std::map<std::string, JournalState*> made;

protected:
    void RegisterStates() override
    {
        journal.push_back("register");
        for (const char* name : {"Idle", "Chase", "Flee", "Stunned"})
            Add(name);
    }
    void RegisterTemporaryStates() override
    {
        for (const char* name : {"Hit", "Taunt"})
            Add(name, true);
    }
    void InitializeStates() override { SetState("Idle", ControllerAIStateData()); }
};

class ControllerAIStateTest : public AiWorldFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        self = Make("Self", 3, 4, {"characterLife = 100"});
        controller = std::make_unique<JournalController>();
        controller->AttachParent(self->GetObjectId());
    }

    void TearDown() override
    {
        controller.reset();
        DeathFixture::TearDown();
    }

    // The first update registers and sets "Idle"; the journal starts empty afterwards.
    void Start()
    {
        controller->Update(0);
        controller->journal.clear();
    }

    JournalState* State(const std::string& name) { return controller->made.at(name); }

    static ControllerAIStateData Against(uint32_t enemy, uint32_t ally = 0)
    {
        return ControllerAIStateData(enemy, ally, 0, WorldVec3());
    }

    Journal& journal() { return controller->journal; }

    Monster* self = nullptr;
    std::unique_ptr<JournalController> controller;
};

TEST_F(ControllerAIStateTest, TheFirstUpdateRegistersThenSetsTheFirstState)
{
    controller->Update(16);
    EXPECT_EQ(journal(), (Journal{"register", "Idle begin", "Idle update"}));
}

TEST_F(ControllerAIStateTest, SetStateEndsBeginsAndRefusesUnknownNames)
{
    Start();
    controller->SetState("Nowhere", Against(7));
    EXPECT_EQ(log.Count(2, "State Nowhere is trying to be set, but not found."), 1u);
    EXPECT_TRUE(journal().empty());
    EXPECT_STREQ(controller->GetExecutingStateName(), "Idle");
    EXPECT_EQ(controller->GetCurrentEnemy(), 0u);

    // On itself: the same object ends and begins again.
    controller->SetState("Idle", Against(7));
    EXPECT_EQ(journal(), (Journal{"Idle end", "Idle begin"}));
    EXPECT_EQ(controller->GetCurrentEnemy(), 7u);

    // A switch made in OnEnd stands; the outer request goes no further.
    journal().clear();
    State("Idle")->onEnd = [this] { controller->SetState("Flee", Against(9)); };
    controller->SetState("Chase", Against(8));
    EXPECT_EQ(journal(), (Journal{"Idle end", "Flee begin"}));
    EXPECT_STREQ(controller->GetExecutingStateName(), "Flee");
    EXPECT_EQ(controller->GetCurrentEnemy(), 9u);
}

TEST_F(ControllerAIStateTest, SetStateBehindATemporaryOnlyChangesWhatResumes)
{
    Start();
    controller->AddTemporaryState("Hit", Against(5));
    journal().clear();
    controller->SetState("Chase", Against(6));
    EXPECT_TRUE(journal().empty());
    EXPECT_STREQ(controller->GetExecutingStateName(), "Hit");
    EXPECT_EQ(controller->GetCurrentEnemy(), 5u);

    State("Hit")->SetDone(true);
    controller->Update(10);
    EXPECT_EQ(journal(), (Journal{"Hit end", "Chase begin", "Chase update"}));
    EXPECT_FALSE(State("Hit")->Done());
    EXPECT_EQ(controller->GetCurrentEnemy(), 6u);
}

TEST_F(ControllerAIStateTest, SlotsAreReleasedOnlyWhenTheEnemyChanges)
{
    Monster* enemy = Make("Enemy", 10, 4, {"characterLife = 100"});
    Monster* other = Make("Other", -10, 4, {"characterLife = 100"});
    Monster* ally = Make("Ally", 3, 10, {"characterLife = 100"});
    const uint32_t me = self->GetObjectId();
    WorldVec3 place;
    auto hold = [&] {
        enemy->GetAttackSlotManager().RequestSlot(place, me, 2.0f, true);
        ally->GetDefenseSlotManager().RequestSlot(place, me, 2.0f, true);
    };
    auto holdsAttack = [&] { return enemy->GetAttackSlotManager().GetSlotHolder(2) == me; };
    auto holdsDefence = [&] { return ally->GetDefenseSlotManager().GetSlotHolder(3) == me; };
    Start();

    controller->SetState("Chase", Against(enemy->GetObjectId(), ally->GetObjectId()));
    hold();
    ASSERT_TRUE(holdsAttack() && holdsDefence());
    // Same enemy, another ally: neither goes.
    controller->SetState("Flee", Against(enemy->GetObjectId(), other->GetObjectId()));
    EXPECT_TRUE(holdsAttack());
    EXPECT_TRUE(holdsDefence());

    controller->SetState("Chase", Against(enemy->GetObjectId(), ally->GetObjectId()));
    // A new enemy: the old enemy's attack slot and the old ally's defence slot go.
    controller->SetState("Flee", Against(other->GetObjectId()));
    EXPECT_FALSE(holdsAttack());
    EXPECT_FALSE(holdsDefence());

    // A temporary against another enemy releases the attack slot only.
    controller->SetState("Chase", Against(enemy->GetObjectId(), ally->GetObjectId()));
    hold();
    controller->AddTemporaryState("Hit", Against(other->GetObjectId()));
    EXPECT_FALSE(holdsAttack());
    EXPECT_TRUE(holdsDefence());
}

TEST_F(ControllerAIStateTest, TemporariesQueueAndHandOverInOneUpdate)
{
    Start();
    controller->AddTemporaryState("Nothing", Against(1));
    EXPECT_EQ(log.Count(0, "Temporary State Nothing is trying to be set, but not found."), 1u);
    EXPECT_TRUE(journal().empty());

    controller->AddTemporaryState("Hit", Against(1));
    controller->AddTemporaryState("Taunt", Against(2));
    EXPECT_EQ(journal(), (Journal{"Idle end", "Hit begin"}));
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 2u);

    journal().clear();
    State("Hit")->SetDone(true);
    EXPECT_EQ(controller->GetCurrentEnemy(), 2u);
    controller->Update(10);
    EXPECT_EQ(journal(), (Journal{"Hit end", "Taunt begin", "Taunt update"}));

    // The drained queue begins the current state again.
    journal().clear();
    State("Taunt")->SetDone(true);
    controller->Update(10);
    EXPECT_EQ(journal(), (Journal{"Taunt end", "Idle begin", "Idle update"}));
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);

    // Clearing ends nobody.
    controller->AddTemporaryState("Hit", Against(1));
    journal().clear();
    controller->ClearTemporaryStates();
    EXPECT_TRUE(journal().empty());
    EXPECT_STREQ(controller->GetExecutingStateName(), "Idle");
}

TEST_F(ControllerAIStateTest, AnEndThatClearsOrRequeuesLeavesTheQueueSound)
{
    Start();
    controller->AddTemporaryState("Hit", Against(1));
    controller->AddTemporaryState("Taunt", Against(2));
    State("Hit")->onEnd = [this] { controller->ClearTemporaryStates(); };
    State("Hit")->SetDone(true);
    journal().clear();
    controller->Update(10);
    EXPECT_EQ(journal(), (Journal{"Hit end", "Idle begin", "Idle update"}));
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);

    // Cleared and queued anew: the new entry stays, begun once.
    State("Hit")->onEnd = [this] {
        controller->ClearTemporaryStates();
        controller->AddTemporaryState("Hit", Against(3));
    };
    controller->AddTemporaryState("Hit", Against(1));
    State("Hit")->SetDone(true);
    journal().clear();
    controller->Update(10);
    EXPECT_EQ(journal(), (Journal{"Hit end", "Idle end", "Hit begin", "Hit update"}));
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 1u);
    EXPECT_EQ(controller->GetCurrentEnemy(), 3u);
}

TEST_F(ControllerAIStateTest, RegistrationReplacesTheOldObject)
{
    Start();
    controller->Add("Hit", true);
    EXPECT_EQ(log.Count(0, "State Hit is being overwritten."), 1u);
    log.Clear();
    // The running state replaced: the new object runs, nothing is left dangling.
    JournalState* fresh = controller->Add("Idle");
    EXPECT_TRUE(log.GetLines().empty());
    EXPECT_EQ(controller->GetExecutingState(), fresh);
    controller->Update(5);
    EXPECT_EQ(journal(), (Journal{"Idle update"}));
}

TEST_F(ControllerAIStateTest, DisinterestCountsDownAndKeepsTheStateUnasked)
{
    Start();
    controller->SetConversationDisinterest(100);
    controller->Update(150);
    EXPECT_EQ(controller->GetConversationDisinterest(), -50);
    journal().clear();
    EXPECT_TRUE(controller->IsAvailableForSidelineConversations());
    EXPECT_EQ(journal(), (Journal{"Idle asked"}));

    controller->SetConversationDisinterest(1);
    journal().clear();
    EXPECT_FALSE(controller->IsAvailableForSidelineConversations());
    EXPECT_TRUE(journal().empty());
}

TEST_F(ControllerAIStateTest, NotificationsReachTheExecutingState)
{
    Start();
    controller->QuestCommandMove(1, WorldVec3(), true);
    controller->QuestCommandMove(1, WorldVec3(), false);
    State("Idle")->Strike(0, 77);
    EXPECT_EQ(journal(), (Journal{"Idle quest 1", "Idle quest 0", "Idle used 77"}));

    // The default stun drops the temporaries, keeps whole units and goes to "Stunned".
    controller->AddTemporaryState("Hit", Against(1));
    journal().clear();
    controller->StunMe(2.9f);
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
    EXPECT_EQ(controller->GetStunTime(), 2);
    EXPECT_EQ(journal(), (Journal{"Idle end", "Stunned begin"}));

    // No "Dying" registered: the default's switch is refused with the level-2 line.
    controller->CharacterIsDying();
    EXPECT_EQ(log.Count(2, "State Dying is trying to be set, but not found."), 1u);
}

class ProbeState : public ControllerAIStateT<ControllerAI, Character> {
public:
    using ControllerAIStateT::ControllerAIStateT;
    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}

    using ControllerAIState::BlocksPath;
    using ControllerAIState::FindAlliesInSight;
    using ControllerAIState::FindAlliesOfType;
    using ControllerAIState::FindEnemiesInSight;
    using ControllerAIState::GetClosest;
    using ControllerAIState::IsAlive;
    using ControllerAIState::IsBarrierBlocking;
    using ControllerAIState::IsPathClear;
    using ControllerAIState::ValidateObjectId;
};

// A hero on the monsters' team at (0, 0, 0) of a region with a floor, watching with a thinking
// controller; everyone else is made where the test puts them.
class StateQueriesTest : public AiWorldFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        hero = Make("Hero", 0, 0);
        controller = std::make_unique<ControllerAI>();
        controller->SetParentId(hero->GetObjectId());
        probe = std::make_unique<ProbeState>(controller.get());
    }

    void TearDown() override
    {
        probe.reset();
        controller.reset();
        DeathFixture::TearDown();
    }

    Monster* hero = nullptr;
    std::unique_ptr<ControllerAI> controller;
    std::unique_ptr<ProbeState> probe;
};

TEST_F(StateQueriesTest, PickersTakeTheFirstOfEqualsAndSkipTheUnhurt)
{
    Monster* full = Make("Full", 4, 0, {"characterLife = 100"});
    Monster* alsoFull = Make("AlsoFull", 5, 0, {"characterLife = 200"});
    Monster* lifeless = Make("Lifeless", 6, 0, {"characterLife = 0"});
    for (Monster* monster : {full, alsoFull, lifeless})
        monster->ForceSpeedUpdate(); // life filled up to its maximum
    EXPECT_EQ(ControllerAI::FindWeakest({full, alsoFull, lifeless}), nullptr);
    EXPECT_EQ(ControllerAI::FindWeakest({}), nullptr);

    Monster* half = Make("Half", 7, 0, {"characterLife = 100"});
    Monster* otherHalf = Make("OtherHalf", 8, 0, {"characterLife = 300"});
    half->ForceSpeedUpdate();
    otherHalf->ForceSpeedUpdate();
    half->SubtractLife(50.0f, PlayStatsDamageType{});
    otherHalf->SubtractLife(150.0f, PlayStatsDamageType{});
    EXPECT_EQ(ControllerAI::FindWeakest({lifeless, half, otherHalf, full}), half);

    EXPECT_EQ(ControllerAI::FindStrongest({half}), half);
    EXPECT_EQ(ControllerAI::FindStrongest({full, half, alsoFull}), alsoFull);
    EXPECT_EQ(ControllerAI::FindMostVulnerable({full, half}), nullptr);

    Monster* west = Make("West", -4, 0);
    EXPECT_EQ(controller->FindClosest({half, full, west, alsoFull}), full);
    EXPECT_EQ(controller->FindClosest({}), nullptr);
}

TEST_F(StateQueriesTest, AnUnknownSkillIsReportedBeforeTheEnemyIsLookedAt)
{
    log.Clear();
    EXPECT_FALSE(probe->CloseEnoughToUseSkill(0, 0));
    EXPECT_EQ(log.Count(2, "ControllerAIState::CloseEnoughToUseSkill() - invalid skill used by "
                           "Records/Creatures/Hero.dbr.  This is most likely a database record "
                           "issue."),
              1u);
    EXPECT_EQ(log.GetLines().size(), 1u);
}

TEST_F(StateQueriesTest, CloseEnoughMeansStrictlyInsideTheTolerance)
{
    database.WriteRecord("Records/Skills/Bite.dbr",
                         {"Class = ReachSkill", "distanceProfile = Melee"});
    database.WriteRecord("Records/Skills/Spit.dbr",
                         {"Class = ReachSkill", "distanceProfile = Long"});
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t bite =
        objects.CreateObjectFromFile<Skill>("Records/Skills/Bite.dbr")->GetObjectId();
    const uint32_t spit =
        objects.CreateObjectFromFile<Skill>("Records/Skills/Spit.dbr")->GetObjectId();
    Monster* enemy = Make("Enemy", 20, 0);
    enemy->SetTeam(TeamManager::DefaultPlayerTeam());
    const uint32_t enemyId = enemy->GetObjectId();

    log.Clear();
    EXPECT_FALSE(probe->CloseEnoughToUseSkill(999, bite));
    EXPECT_EQ(log.Count(2, "ControllerAIState::CloseEnoughToUseSkill() - invalid enemy being "
                           "attacked by Records/Creatures/Hero.dbr."),
              1u);

    // A melee skill is measured from the place the hero would take round the enemy.
    const WorldVec3 slot = hero->GetMoveToPoint(enemyId, bite, enemy->GetPathPosition());
    ASSERT_TRUE(slot.HasRegion());
    WorldVec3 standing = slot;
    standing.TranslateInRegion({0, 0, 0.5f});
    hero->SetPathPosition(standing);
    EXPECT_FALSE(probe->CloseEnoughToUseSkill(enemyId, bite));
    standing = slot;
    standing.TranslateInRegion({0, 0, 0.49f});
    hero->SetPathPosition(standing);
    EXPECT_TRUE(probe->CloseEnoughToUseSkill(enemyId, bite));

    // Any other skill by the distance between the two.
    const float reach = Character::GetTargetDistance(hero->GetObjectId(), enemyId, spit) + 0.5f;
    hero->SetPathPosition(At(20 - reach, 0));
    EXPECT_FALSE(probe->CloseEnoughToUseSkill(enemyId, spit));
    hero->SetPathPosition(At(20.01f - reach, 0));
    EXPECT_TRUE(probe->CloseEnoughToUseSkill(enemyId, spit));
}

TEST_F(StateQueriesTest, AliveAndValidatedIdsNameCharactersOnly)
{
    EXPECT_TRUE(ProbeState::IsAlive(hero->GetObjectId()));
    EXPECT_FALSE(ProbeState::IsAlive(0));
    EXPECT_EQ(ProbeState::ValidateObjectId(hero->GetObjectId(), "Probe"), hero);
    EXPECT_EQ(ProbeState::ValidateObjectId(999, "Probe"), nullptr);
    EXPECT_EQ(log.Count(2, "Probe Error - invalid Object ID."), 1u);
}

TEST_F(StateQueriesTest, SightFindsFoesFriendsAndRecordsWithinTheViewDistance)
{
    Monster* foe = Make("Foe", 10, 0);
    foe->SetTeam(TeamManager::DefaultPlayerTeam());
    Make("FarFriend", 25, 0);
    Monster* friendly = Make("Friend", 0, 12);

    std::vector<Character*> found{hero};
    probe->FindEnemiesInSight(found);
    EXPECT_EQ(found, std::vector<Character*>{foe});
    probe->FindAlliesInSight(found);
    EXPECT_EQ(found, std::vector<Character*>{friendly});

    probe->FindAlliesOfType(found, "Records/Creatures/Foe.dbr");
    EXPECT_EQ(found, std::vector<Character*>{foe});
    probe->FindAlliesOfType(found, "Records\\Creatures\\Foe.dbr");
    EXPECT_EQ(found, std::vector<Character*>{foe});
    probe->FindAlliesOfType(found, "records/creatures/foe.dbr");
    EXPECT_TRUE(found.empty());
}

TEST_F(StateQueriesTest, GetClosestIndexesTheNearestEntityThatExists)
{
    EXPECT_EQ(probe->GetClosest({}), -1);
    Monster* far = Make("FarPoint", 9, 0);
    Monster* near = Make("NearPoint", 3, 0);
    far->SetUniqueID(UniqueId(1, 2, 3, 4));
    near->SetUniqueID(UniqueId(5, 6, 7, 8));
    EXPECT_EQ(probe->GetClosest({UniqueId(9, 9, 9, 9), far->GetUniqueID(), near->GetUniqueID()}),
              2);
    EXPECT_EQ(probe->GetClosest({UniqueId(9, 9, 9, 9)}), -1);
}

TEST_F(StateQueriesTest, OnlyStaticOccludersBlockTheWay)
{
    Monster* target = Make("Target", 10, 0);
    Entity* blocker = hero;
    EXPECT_TRUE(probe->IsPathClear(target->GetObjectId(), blocker));
    EXPECT_EQ(blocker, nullptr);
    EXPECT_FALSE(probe->IsPathClear(999, blocker));

    Monster* rock = Make("Rock", 5, 0);
    rock->SetPhysicsType(1); // moves: not a wall
    EXPECT_TRUE(probe->IsPathClear(target->GetObjectId(), blocker));

    rock->SetPhysicsType(0);
    EXPECT_FALSE(probe->IsPathClear(target->GetObjectId(), blocker));
    EXPECT_EQ(blocker, rock);
}

TEST_F(StateQueriesTest, GeometryAsFarAsTheTargetBlocksAndBeyondItDoesNot)
{
    Monster* target = Make("Target", 10, 0);
    Region* region = gEngine->GetWorld()->GetRegionById(kRegion);
    Entity* blocker = nullptr;
    region->AddGeometryBox(ABBox({10.5f, -5, -5}, {12, 5, 5}), 7);
    EXPECT_TRUE(probe->IsPathClear(target->GetObjectId(), blocker));
    // The wall's face exactly where the sight line ends.
    region->AddGeometryBox(ABBox({10, -5, -5}, {12, 5, 5}), 7);
    EXPECT_FALSE(probe->IsPathClear(target->GetObjectId(), blocker));
    EXPECT_EQ(blocker, nullptr);
}

TEST_F(StateQueriesTest, TheNearestLivingHostileBarrierIsNamed)
{
    Monster* target = Make("Target", 10, 0);
    EXPECT_EQ(probe->IsBarrierBlocking(target->GetObjectId()), nullptr);
    EXPECT_EQ(probe->IsBarrierBlocking(999), nullptr);

    auto* far = Make<DynamicBarrier>("FarGate", 7, 0);
    auto* friendly = Make<DynamicBarrier>("OwnGate", 2, 0);
    auto* dead = Make<DynamicBarrier>("DeadGate", 3, 0);
    auto* near = Make<DynamicBarrier>("NearGate", 5, 0);
    for (Character* gate : std::initializer_list<Character*>{far, dead, near})
        gate->SetTeam(TeamManager::DefaultPlayerTeam());
    friendly->SetTeam(TeamManager::DefaultMonsterTeam());
    dead->SetLifeState(LifeState_Dead);
    EXPECT_EQ(probe->IsBarrierBlocking(target->GetObjectId()), near);
}

} // namespace
} // namespace GAME::Test
