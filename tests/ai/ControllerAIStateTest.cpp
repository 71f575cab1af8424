#include "ai/ControllerAI.h"

#include "ai/ControllerAIStateT.h"
#include "ai/ControllerCharacter.h"
#include "ai/ControllerCombat.h"
#include "ai/ControllerMonster.h"
#include "ai/SlotManager.h"
#include "characters/Character.h"
#include "characters/CharacterActionHandler.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "core/GameEvents.h"
#include "core/PlayStatsDamageType.h"
#include "core/UniqueId.h"
#include "engine/CharacterAction.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/EventHandler.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "items/Inventory.h"
#include "items/Item.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/EntityPackets.h"
#include "skills/Skill.h"
#include "skills/SkillBuffTransfer.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/ai/ControllerTestMonster.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/AiItemRecorder.h"
#include "tests/support/MadeObjects.h"
#include "tests/support/RecordSkill.h"
#include "world/DynamicBarrier.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerTestMonster, Monster);

namespace Test {
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
        for (const char* name : {"Idle", "Chase", "Flee", "Stunned", "Dying"})
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
        controller = Keep(std::make_unique<JournalController>());
        controller->AttachParent(self->GetObjectId());
    }

    // The first update registers and sets "Idle"; the journal starts empty afterwards.
    void Start()
    {
        controller->Update(0);
        Taken();
    }

    JournalState* State(const std::string& name) { return controller->made.at(name); }

    static ControllerAIStateData Against(uint32_t enemy, uint32_t ally = 0)
    {
        return ControllerAIStateData(enemy, ally, 0, WorldVec3());
    }

    // What the states wrote since the last look.
    Journal Taken() { return std::exchange(controller->journal, {}); }

    Monster* self = nullptr;
    JournalController* controller = nullptr;
};

TEST_F(ControllerAIStateTest, SetStateEndsBeginsAndRefusesUnknownNames)
{
    Start();
    controller->SetState("Nowhere", Against(7));
    EXPECT_EQ(log.Count(2, "State Nowhere is trying to be set, but not found."), 1u);
    EXPECT_TRUE(Taken().empty());
    EXPECT_EQ(controller->GetCurrentEnemy(), 0u);

    // On itself: the same object ends and begins again.
    controller->SetState("Idle", Against(7));
    EXPECT_EQ(Taken(), (Journal{"Idle end", "Idle begin"}));
    EXPECT_EQ(controller->GetCurrentEnemy(), 7u);

    // A switch made in OnEnd stands; the outer request goes no further.
    State("Idle")->onEnd = [this] { controller->SetState("Flee", Against(9)); };
    controller->SetState("Chase", Against(8));
    EXPECT_EQ(Taken(), (Journal{"Idle end", "Flee begin"}));
    EXPECT_EQ(controller->GetCurrentEnemy(), 9u);
}

TEST_F(ControllerAIStateTest, SetStateBehindATemporaryOnlyChangesWhatResumes)
{
    Start();
    controller->AddTemporaryState("Hit", Against(5));
    Taken();
    controller->SetState("Chase", Against(6));
    EXPECT_TRUE(Taken().empty());
    EXPECT_EQ(controller->GetCurrentEnemy(), 5u);

    State("Hit")->SetDone(true);
    controller->Update(10);
    EXPECT_EQ(Taken(), (Journal{"Hit end", "Chase begin", "Chase update"}));
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
    EXPECT_TRUE(Taken().empty());

    controller->AddTemporaryState("Hit", Against(1));
    controller->AddTemporaryState("Taunt", Against(2));
    EXPECT_EQ(Taken(), (Journal{"Idle end", "Hit begin"}));

    State("Hit")->SetDone(true);
    EXPECT_EQ(controller->GetCurrentEnemy(), 2u);
    controller->Update(10);
    EXPECT_EQ(Taken(), (Journal{"Hit end", "Taunt begin", "Taunt update"}));

    // The drained queue begins the current state again.
    State("Taunt")->SetDone(true);
    controller->Update(10);
    EXPECT_EQ(Taken(), (Journal{"Taunt end", "Idle begin", "Idle update"}));

    // Clearing ends nobody.
    controller->AddTemporaryState("Hit", Against(1));
    Taken();
    controller->ClearTemporaryStates();
    EXPECT_TRUE(Taken().empty());
    EXPECT_STREQ(controller->GetExecutingStateName(), "Idle");
}

TEST_F(ControllerAIStateTest, AnEndThatClearsOrRequeuesLeavesTheQueueSound)
{
    Start();
    controller->AddTemporaryState("Hit", Against(1));
    controller->AddTemporaryState("Taunt", Against(2));
    State("Hit")->onEnd = [this] { controller->ClearTemporaryStates(); };
    State("Hit")->SetDone(true);
    Taken();
    controller->Update(10);
    EXPECT_EQ(Taken(), (Journal{"Hit end", "Idle begin", "Idle update"}));

    // Cleared and queued anew: the new entry stays, begun once.
    State("Hit")->onEnd = [this] {
        controller->ClearTemporaryStates();
        controller->AddTemporaryState("Hit", Against(3));
    };
    controller->AddTemporaryState("Hit", Against(1));
    State("Hit")->SetDone(true);
    Taken();
    controller->Update(10);
    EXPECT_EQ(Taken(), (Journal{"Hit end", "Idle end", "Hit begin", "Hit update"}));
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 1u);
    EXPECT_EQ(controller->GetCurrentEnemy(), 3u);
}

// Two states that hand over to each other as they begin would recurse until the stack ran out.
TEST_F(ControllerAIStateTest, SwitchesWithinAFrameAreBoundedAndTheNextFrameGoesOn)
{
    Start();
    auto pingPong = [this] {
        State("Chase")->onBegin = [this] { controller->SetState("Flee", Against(1)); };
        State("Flee")->onBegin = [this] { controller->SetState("Chase", Against(2)); };
    };
    pingPong();
    controller->SetState("Chase", Against(2));
    EXPECT_EQ(Taken().size(), 2u * ControllerAI::kMaxBeginsPerFrame);
    EXPECT_EQ(log.CountContaining("switches state without end within a frame"), 1u);

    // The next frame gets a fresh allowance; the line is not told again.
    State("Chase")->onBegin = nullptr;
    gEngine->RunFrame(0);
    controller->SetState("Chase", Against(2));
    ASSERT_FALSE(controller->journal.empty());
    EXPECT_EQ(controller->journal.back(), "Chase begin");
    pingPong();
    for (int frame = 0; frame < 3; ++frame) {
        gEngine->RunFrame(0);
        controller->SetState("Chase", Against(2));
    }
    EXPECT_EQ(log.CountContaining("switches state without end within a frame"), 1u);
}

// Past the bound a switch is not lost: the one the machine would have ended in is made as the next
// frame starts, and a death asked meanwhile outlasts whatever the unknowing machine asks after it.
TEST_F(ControllerAIStateTest, SwitchesPastTheBoundWaitForTheNextFrameAndADeathAlwaysLands)
{
    Start();
    auto busyFrame = [this] {
        for (uint32_t i = 1; i <= 40; ++i)
            controller->SetState(i % 2 == 0 ? "Chase" : "Flee", Against(i));
    };
    busyFrame();
    EXPECT_STREQ(controller->GetExecutingStateName(), "Chase");
    EXPECT_EQ(controller->GetCurrentEnemy(), ControllerAI::kMaxBeginsPerFrame);
    controller->AddTemporaryState("Hit", Against(41));
    controller->SetState("Flee", Against(42));
    Taken();
    gEngine->RunFrame(0);
    controller->Update(10);
    EXPECT_EQ(Taken(), (Journal{"Chase end", "Flee begin", "Flee end", "Hit begin", "Hit update"}));
    State("Hit")->SetDone(true);
    controller->Update(10);
    EXPECT_STREQ(controller->GetExecutingStateName(), "Flee");
    EXPECT_EQ(controller->GetCurrentEnemy(), 42u);

    gEngine->RunFrame(0);
    busyFrame();
    controller->AddTemporaryState("Hit", Against(41));
    controller->CharacterIsDying();
    controller->SetState("Flee", Against(43));
    controller->AddTemporaryState("Taunt", Against(44));
    EXPECT_STREQ(controller->GetExecutingStateName(), "Chase");
    for (int frame = 0; frame < 5; ++frame) {
        Taken();
        gEngine->RunFrame(0);
        controller->Update(10);
        EXPECT_STREQ(controller->GetExecutingStateName(), "Dying");
    }
    EXPECT_EQ(Taken(), (Journal{"Dying update"}));
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
    EXPECT_EQ(log.CountContaining("its further switches wait for the next frame"), 1u);
}

TEST_F(ControllerAIStateTest, NotificationsReachTheExecutingStateAndARegistrationReplacesIt)
{
    Start();
    controller->QuestCommandMove(1, WorldVec3(), true);
    controller->QuestCommandMove(1, WorldVec3(), false);
    State("Idle")->Strike(0, 77);
    EXPECT_EQ(Taken(), (Journal{"Idle quest 1", "Idle quest 0", "Idle used 77"}));

    // The default stun drops the temporaries, keeps whole units and goes to "Stunned".
    controller->AddTemporaryState("Hit", Against(1));
    Taken();
    controller->StunMe(2.9f);
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
    EXPECT_EQ(controller->GetStunTime(), 2);
    EXPECT_EQ(Taken(), (Journal{"Idle end", "Stunned begin"}));

    // The running state replaced: the new object runs, nothing is left dangling.
    JournalState* fresh = controller->Add("Stunned");
    EXPECT_EQ(controller->GetExecutingState(), fresh);
    Taken();
    controller->Update(5);
    EXPECT_EQ(Taken(), (Journal{"Stunned update"}));
}

class ProbeState : public ControllerAIStateT<ControllerAI, Character> {
public:
    using ControllerAIStateT::ControllerAIStateT;
    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}

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
        controller = Keep(std::make_unique<ControllerAI>());
        controller->SetParentId(hero->GetObjectId());
        probe = Keep(std::make_unique<ProbeState>(controller));
    }

    Monster* hero = nullptr;
    ControllerAI* controller = nullptr;
    ProbeState* probe = nullptr;
};

TEST_F(StateQueriesTest, PickersTakeTheFirstOfEqualsAndSkipTheUnhurt)
{
    Monster* full = Make("Full", 4, 0, {"characterLife = 100"});
    Monster* alsoFull = Make("AlsoFull", 5, 0, {"characterLife = 200"});
    Monster* lifeless = Make("Lifeless", 6, 0, {"characterLife = 0"});
    for (Monster* monster : {full, alsoFull, lifeless})
        monster->ForceSpeedUpdate(); // life filled up to its maximum
    EXPECT_EQ(ControllerAI::FindWeakest({full, alsoFull, lifeless}), nullptr);

    Monster* half = Make("Half", 7, 0, {"characterLife = 100"});
    Monster* otherHalf = Make("OtherHalf", 8, 0, {"characterLife = 300"});
    half->ForceSpeedUpdate();
    otherHalf->ForceSpeedUpdate();
    half->SubtractLife(50.0f, PlayStatsDamageType{});
    otherHalf->SubtractLife(150.0f, PlayStatsDamageType{});
    EXPECT_EQ(ControllerAI::FindWeakest({lifeless, half, otherHalf, full}), half);

    EXPECT_EQ(ControllerAI::FindStrongest({full, half, alsoFull}), alsoFull);
    EXPECT_EQ(ControllerAI::FindMostVulnerable({full, half}), nullptr);

    Monster* west = Make("West", -4, 0);
    EXPECT_EQ(controller->FindClosest({half, full, west, alsoFull}), full);
}

TEST_F(StateQueriesTest, CloseEnoughMeansStrictlyInsideTheTolerance)
{
    // An unknown skill is reported before the enemy is looked at.
    log.Clear();
    EXPECT_FALSE(probe->CloseEnoughToUseSkill(0, 0));
    EXPECT_EQ(log.Count(2, "ControllerAIState::CloseEnoughToUseSkill() - invalid skill used by "
                           "Records/Creatures/Hero.dbr.  This is most likely a database record "
                           "issue."),
              1u);
    EXPECT_EQ(log.GetLines().size(), 1u);

    const auto skill = [this](const std::string& profile) {
        const std::string path = "Records/Skills/" + profile + ".dbr";
        database.WriteRecord(path, {RecordSkill::kClassLine, "distanceProfile = " + profile});
        return ObjectManager::Instance().CreateObjectFromFile<Skill>(path)->GetObjectId();
    };
    const uint32_t bite = skill("Melee");
    const uint32_t spit = skill("Long");
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
    for (const auto& [off, close] : {std::pair{0.5f, false}, {0.49f, true}}) {
        WorldVec3 standing = slot;
        standing.TranslateInRegion({0, 0, off});
        hero->SetPathPosition(standing);
        EXPECT_EQ(probe->CloseEnoughToUseSkill(enemyId, bite), close) << off;
    }

    // Any other skill by the distance between the two.
    const float reach = Character::GetTargetDistance(hero->GetObjectId(), enemyId, spit) + 0.5f;
    hero->SetPathPosition(At(20 - reach, 0));
    EXPECT_FALSE(probe->CloseEnoughToUseSkill(enemyId, spit));
    hero->SetPathPosition(At(20.01f - reach, 0));
    EXPECT_TRUE(probe->CloseEnoughToUseSkill(enemyId, spit));
}

TEST_F(StateQueriesTest, ValidatedIdsNameCharactersAndTheClosestIsOneThatExists)
{
    EXPECT_TRUE(ProbeState::IsAlive(hero->GetObjectId()));
    EXPECT_FALSE(ProbeState::IsAlive(0));
    EXPECT_EQ(ProbeState::ValidateObjectId(hero->GetObjectId(), "Probe"), hero);
    EXPECT_EQ(ProbeState::ValidateObjectId(999, "Probe"), nullptr);
    EXPECT_EQ(log.Count(2, "Probe Error - invalid Object ID."), 1u);

    EXPECT_EQ(probe->GetClosest({}), -1);
    Monster* far = Make("FarPoint", 9, 0);
    Monster* near = Make("NearPoint", 3, 0);
    far->SetUniqueID(UniqueId(1, 2, 3, 4));
    near->SetUniqueID(UniqueId(5, 6, 7, 8));
    EXPECT_EQ(probe->GetClosest({UniqueId(9, 9, 9, 9), far->GetUniqueID(), near->GetUniqueID()}),
              2);
    EXPECT_EQ(probe->GetClosest({UniqueId(9, 9, 9, 9)}), -1);
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

    // Sight makes no test of life: a view no crowd fills holds the dead too.
    foe->SetLifeState(LifeState_Dead);
    probe->FindEnemiesInSight(found);
    EXPECT_EQ(found, std::vector<Character*>{foe});

    // The record is asked before the crowd's bound: 300 of another kind nearer hide none of it.
    for (int i = 0; i < 300; ++i)
        Make("Other", 1, 0);
    Monster* kind = Make("Kind", 5, 0);
    probe->FindAlliesOfType(found, "Records/Creatures/Kind.dbr");
    EXPECT_EQ(found, std::vector<Character*>{kind});
}

TEST_F(StateQueriesTest, OnlyStaticOccludersBlockTheWay)
{
    Monster* target = Make("Target", 10, 0);
    Entity* blocker = hero;
    EXPECT_TRUE(probe->IsPathClear(target->GetObjectId(), blocker));
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

using ControllerCharacterTest = DeathFixture;

TEST_F(ControllerCharacterTest, DropsLandOneAndAQuarterAwayAndItemZeroSendsNothing)
{
    auto* monster = Spawn<ControllerTestMonster>("Records/Creatures/Carrier.dbr", {});
    auto* controller = GiveController<ControllerCharacter>(*monster);
    controller->SendDropItemRandom(0);
    controller->SendRemoveItemFromInventory(0);
    EXPECT_TRUE(monster->sent.empty());

    for (int i = 0; i < 8; ++i)
        controller->SendDropItemRandom(43);
    ASSERT_EQ(monster->sent.size(), 8u);
    for (const auto& packet : monster->sent) {
        const auto& drop = static_cast<const DropItemConfigCmdPacket&>(*packet);
        EXPECT_EQ(drop.itemId, 43u);
        EXPECT_NEAR(drop.x * drop.x + drop.z * drop.z, 1.5625f, 1e-4f);
    }
}

TEST_F(ControllerCharacterTest, CreatingInTheInventoryKeepsOnlyItemsAndNeedsACharacter)
{
    database.WriteFile("Records/Items/Ring.dbr", "Class = Item\n");
    auto* orphan = static_cast<ControllerCharacter*>(
        ObjectManager::Instance().CreateObject("ControllerCharacter"));
    orphan->IncrementCharacterLife(5);
    orphan->SendDropItemRandom(7);
    orphan->PickupItem(7);
    EXPECT_EQ(orphan->CreateItemInInventory("Records/Items/Ring.dbr"), nullptr);

    auto* monster = Spawn<ControllerTestMonster>("Records/Creatures/Carrier.dbr", {});
    auto* controller = GiveController<ControllerCharacter>(*monster);
    Item* item = controller->CreateItemInInventory("Records/Items/Ring.dbr");
    EXPECT_TRUE(monster->GetInventory().IsItemInInventory(item->GetObjectId()));

    // Not an item: made, then destroyed again.
    const uint32_t next = ObjectManager::Instance().CreateObjectID() + 1;
    EXPECT_EQ(controller->CreateItemInInventory(kBones), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObject(next), nullptr);
    EXPECT_EQ(controller->CreateItemInInventory("Records/Items/Missing.dbr"), nullptr);
}

// Writes what happens to it into a journal; stays running until finished, so the handler is
// busy while it is current.
class ProbeAction : public CharacterAction {
public:
    ProbeAction(Journal& journal, std::string name,
                CharacterActionType type = CharacterActionType_Idle, bool withPreAction = false)
        : journal(journal), name(std::move(name)), type(type), withPreAction(withPreAction)
    {}
    ~ProbeAction() override { journal.push_back(name + " deleted"); }

    void Execute() override { journal.push_back(name + " executed"); }
    void Finish() override { active = false; }
    void PendingActionAborted() override { journal.push_back(name + " aborted"); }
    bool IsActive() const override { return active; }
    CharacterActionType GetType() const override { return type; }
    std::unique_ptr<CharacterAction> GetPreAction() const override
    {
        if (!withPreAction)
            return nullptr;
        return std::make_unique<ProbeAction>(journal, name + ".pre", CharacterActionType_MoveTo);
    }

private:
    Journal& journal;
    std::string name;
    CharacterActionType type;
    bool withPreAction;
    bool active = true;
};

// Answers every permission question as the test says.
class ScriptedController : public ControllerCombat {
public:
    CharacterActionPermission CheckAction(CharacterActionType /*type*/) override { return answer; }
    CharacterActionPermission answer = CharacterActionPermission_Allow;
};

class ControllerBaseCharacterTest : public AiWorldFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        monster = Spawn("Records/Creatures/Boar.dbr", {});
        controller = Keep(std::make_unique<ScriptedController>());
        controller->AttachParent(monster->GetObjectId());
    }

    void Hand(const char* name, CharacterActionPermission answer, bool withPreAction = false)
    {
        controller->answer = answer;
        controller->HandleAction(
            new ProbeAction(journal, name, CharacterActionType_Attack, withPreAction));
    }

    Monster* monster = nullptr;
    ScriptedController* controller = nullptr;
    Journal journal;
};

TEST_F(ControllerBaseCharacterTest, RefusedIsDeletedQueuedIsReplacedAllowedClearsBoth)
{
    Hand("A", CharacterActionPermission_Allow, true);
    EXPECT_EQ(journal, (Journal{"A.pre executed"}));
    Hand("Q1", CharacterActionPermission_AskController);
    Hand("Q2", CharacterActionPermission_AskController);
    Hand("R", CharacterActionPermission_Refuse);
    EXPECT_EQ(std::exchange(journal, {}), (Journal{"A.pre executed", "Q1 deleted", "R deleted"}));

    Hand("N", CharacterActionPermission_Allow);
    EXPECT_EQ(std::exchange(journal, {}),
              (Journal{"A aborted", "A deleted", "Q2 deleted", "A.pre deleted", "N executed"}));

    ScriptedController orphan;
    orphan.HandleAction(new ProbeAction(journal, "O"));
    EXPECT_EQ(journal, (Journal{"O deleted"}));
    EXPECT_EQ(log.Count(1, "ControllerBaseCharacter: Can't execute action because parent does "
                           "not exist."),
              1u);
}

TEST_F(ControllerBaseCharacterTest, AFreeHandlerTakesThePendingThenTheQueuedThenIdles)
{
    Hand("A", CharacterActionPermission_Allow, true);
    Hand("Q", CharacterActionPermission_AskController, true);
    CharacterActionHandler& handler = *monster->GetActionHandler();

    controller->CharacterHandlerUpdate(0); // the walk there still runs
    EXPECT_EQ(journal, (Journal{"A.pre executed"}));
    handler.Stop();
    controller->CharacterHandlerUpdate(0);
    handler.Stop();
    // The queued action walks first too.
    controller->CharacterHandlerUpdate(0);
    handler.Stop();
    controller->CharacterHandlerUpdate(0);
    EXPECT_EQ(journal, (Journal{"A.pre executed", "A.pre deleted", "A executed", "A deleted",
                                "Q.pre executed", "Q.pre deleted", "Q executed"}));

    // The idle filler is on from the first update.
    handler.Stop();
    controller->InitialUpdate();
    controller->CharacterHandlerUpdate(0);
    EXPECT_EQ(handler.GetActionType(), CharacterActionType_Idle);
}

TEST_F(ControllerBaseCharacterTest, ADeadMonsterTakesOnlyRespawnADyingOneStillAnAttack)
{
    ControllerCombat plain;
    plain.AttachParent(monster->GetObjectId());
    const auto check = [&](int32_t type) {
        return plain.CheckAction(static_cast<CharacterActionType>(type));
    };

    monster->SetLifeState(LifeState_Dead);
    for (int32_t type = 0; type < kCharacterActionTypeCount; ++type)
        EXPECT_EQ(check(type), type == CharacterActionType_Respawn
                                   ? CharacterActionPermission_Allow
                                   : CharacterActionPermission_Refuse)
            << type;

    monster->SetLifeState(LifeState_Dying);
    monster->SetActionState(ActionState_Dying);
    EXPECT_EQ(check(CharacterActionType_Attack), CharacterActionPermission_Allow);
    EXPECT_EQ(check(CharacterActionType_Respawn), CharacterActionPermission_Allow);
    EXPECT_EQ(check(CharacterActionType_MoveTo), CharacterActionPermission_Refuse);

    monster->SetActionState(ActionState_Idle);
    EXPECT_EQ(check(CharacterActionType_MoveTo), CharacterActionPermission_Allow);

    ControllerCombat orphan;
    EXPECT_EQ(orphan.CheckAction(CharacterActionType_Respawn), CharacterActionPermission_Refuse);

    // A player is asked of the game's matrix only while it is busy.
    Player* player = Spawn<Player>("Records/Creatures/Hero.dbr", {});
    plain.AttachParent(player->GetObjectId());
    player->SetLifeState(LifeState_Dead);
    EXPECT_EQ(check(CharacterActionType_Attack), CharacterActionPermission_Allow);
    player->GetActionHandler()->Execute(
        std::make_unique<ProbeAction>(journal, "busy", CharacterActionType_PlayAnimation));
    for (int32_t type = 0; type < kCharacterActionTypeCount; ++type)
        EXPECT_EQ(check(type), Game().CheckPlayerAction(static_cast<CharacterActionType>(type),
                                                        CharacterActionType_PlayAnimation))
            << type;
}

TEST_F(ControllerBaseCharacterTest, TeleportTellsTheOthersFromItsOwnMachineAndLogsAPlaceOffTheFloor)
{
    const WorldCoords away{kRegion, Coords::FromTranslation(Vec3(500, 2, 0))};
    controller->Teleport(away);

    const auto sent = TakeSent<UpdatePositionPacket>();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->entityId, monster->GetObjectId());
    EXPECT_EQ(log.Count(2, "Could Not Translate To Floor"), 1u);
    EXPECT_EQ(monster->GetPathPosition(), away.GetPosition());

    // On another machine the monster is a stand-in: it moves there and tells no one.
    ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    connection.SetLocalHostID(1);
    const WorldCoords back{kRegion, Coords::FromTranslation(Vec3(400, 2, 0))};
    controller->Teleport(back);
    connection.SetLocalHostID(0);
    EXPECT_TRUE(TakeSent<UpdatePositionPacket>().empty());
    EXPECT_EQ(monster->GetPathPosition(), back.GetPosition());
}

class ControllerCombatTest : public AiWorldFixture {
protected:
    void OnStartDeath(const GameEvent_GenericEntity& event) { started.push_back(event.objectId); }

    // Attached, though the character keeps its own controller id.
    static ControllerCombat* Control(Character& character)
    {
        auto* made = New<ControllerCombat>();
        made->AttachParent(character.GetObjectId());
        return made;
    }

    static SkillBuffTransfer Transfer(const std::string& name, uint32_t level)
    {
        SkillBuffTransfer transfer;
        transfer.buffName = name;
        transfer.buffLevel = level;
        return transfer;
    }

    std::vector<uint32_t> started;
    EventHandler<ControllerCombatTest, GameEvent_GenericEntity> listener{
        "GameEvent_CreatureStartDeath", &ControllerCombatTest::OnStartDeath, this};
};

TEST_F(ControllerCombatTest, KillMeStartsAMonstersDeathAndLeavesAnNpcAlive)
{
    Npc* npc = Spawn<Npc>("Records/Creatures/Baker.dbr", {});
    ControllerCombat* own = Control(*npc);
    own->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 1), {}, false);
    ASSERT_EQ(own->GetSkillBuffCount(), 1u);
    own->KillMe();
    EXPECT_EQ(own->GetSkillBuffCount(), 0u) << "an npc only loses its buffs";
    EXPECT_EQ(npc->GetLifeState(), LifeState_Alive);
    EXPECT_TRUE(started.empty());

    Monster* monster = Spawn("Records/Creatures/Boar.dbr", {});
    ControllerCombat* controller = Control(*monster);
    controller->KillMe();
    EXPECT_EQ(monster->GetLifeState(), LifeState_Dying);
    EXPECT_EQ(monster->GetActionHandler()->GetActionType(), CharacterActionType_Die);
    EXPECT_EQ(started, (std::vector<uint32_t>{monster->GetObjectId()}));

    // Already dying: not killed twice.
    controller->KillMe();
    EXPECT_EQ(started.size(), 1u);
    EXPECT_FALSE(controller->NeedsDeathUpdate());
}

// A stand-in waits for the die action of the machine that made it, so that a hit seen on one
// machine alone never leaves the two with different dead.
TEST_F(ControllerCombatTest, OnlyTheMachineThatMadeACharacterDecidesItsDeath)
{
    Monster* monster = Spawn("Records/Creatures/Boar.dbr", {});
    auto* controller = GiveController<ControllerCombat>(*monster);
    monster->SubtractLife(monster->GetCurrentLife() + 1.0f, PlayStatsDamageType());
    ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    gEngine->SetNetworkMode(true, true);
    connection.SetLocalHostID(1);
    controller->Update(33);
    EXPECT_EQ(monster->GetLifeState(), LifeState_Alive) << "a stand-in of the server's monster";
    EXPECT_TRUE(started.empty());

    connection.SetLocalHostID(0);
    gEngine->SetNetworkMode(true, false);
    controller->Update(33);
    gEngine->SetNetworkMode(false, false);
    EXPECT_EQ(monster->GetLifeState(), LifeState_Dying) << "the server's own";
    EXPECT_EQ(started, (std::vector<uint32_t>{monster->GetObjectId()}));
}

// A summoned pet is its client's to end, though a client's monsters have a stand-in controller
// without the monster's clock; another machine's timed monster waits for that machine's word.
TEST_F(ControllerCombatTest, AClientEndsTheTimedMonsterItMadeAndNoOther)
{
    database.WriteRecord(Monster::kStubControllerRecord, {"Class = ControllerCombat"});
    ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    gEngine->SetNetworkMode(true, true);
    connection.SetLocalHostID(1);
    Monster* servers = Spawn("Records/Creatures/Timed.dbr", {"lifeTime = 450"});
    ObjectManager::Instance().SetHostIndex(1);
    Monster* pet = Spawn("Records/Creatures/Pet.dbr", {});
    ObjectManager::Instance().SetHostIndex(0);
    ASSERT_EQ(ObjectManager::Instance().GetObject<ControllerMonster>(pet->GetControllerId()),
              nullptr);
    // A lifetime the frames divide ends on the frame that uses it up.
    pet->SetLifetime(400);
    for (int frame = 0; frame < 3; ++frame) {
        pet->UpdateSelf(100);
        servers->UpdateSelf(100);
    }
    EXPECT_EQ(pet->GetLifeState(), LifeState_Alive);
    pet->UpdateSelf(100);
    servers->UpdateSelf(100);
    connection.SetLocalHostID(0);
    gEngine->SetNetworkMode(false, false);
    EXPECT_EQ(pet->GetLifeState(), LifeState_Dying);
    EXPECT_EQ(servers->GetLifeState(), LifeState_Alive);
    EXPECT_EQ(started, (std::vector<uint32_t>{pet->GetObjectId()}));
}

class ControllerCombatBuffTest : public ControllerCombatTest {
protected:
    void SetUp() override
    {
        ControllerCombatTest::SetUp();
        database.WriteRecord("Records/Skills/Rage.dbr", {"Class = SkillBuff"});
        monster = Spawn<ControllerTestMonster>("Records/Creatures/Buffed.dbr", {});
        controller = GiveController<ControllerCombat>(*monster);
    }

    ControllerTestMonster* monster = nullptr;
    ControllerCombat* controller = nullptr;
};

TEST_F(ControllerCombatBuffTest, ABuffIsSentAtEachRenewalAndAgainOnceItExpired)
{
    monster->ControllerAddSkillBuff(Transfer("Records/Skills/Rage.dbr", 2), {}, false);
    ASSERT_EQ(monster->buffs.size(), 1u);

    // A renewal at the same level still goes out: it renews the buff's own time to live.
    for (const uint32_t level : {2u, 3u}) {
        controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", level), {}, false);
        ASSERT_EQ(monster->buffs.size(), level);
        EXPECT_EQ(monster->buffs.back().level, level);
    }
    EXPECT_EQ(controller->GetSkillBuffCount(), 1u);

    // Expired on the character: the controller's entry no longer stands for a held buff.
    ASSERT_TRUE(monster->IsSkillBuffActive("Records/Skills/Rage.dbr"));
    monster->CreateRemoveSkillBuff(0, "Records/Skills/Rage.dbr", 0, "", 0, "", 0, 0, 0);
    monster->buffs.clear();
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 3), {}, false);
    EXPECT_EQ(monster->buffs.size(), 1u);
    EXPECT_TRUE(monster->IsSkillBuffActive("Records/Skills/Rage.dbr"));
}

TEST_F(ControllerCombatBuffTest, WeaponAndDualWieldDemandsAndTheDeadGetNoBuff)
{
    // Unarmed: neither a listed weapon in a hand nor two weapons.
    controller->CreateSkillBuff(Transfer("Records/Skills/Edge.dbr", 1), {Weapon_Type_Sword}, false);
    controller->CreateSkillBuff(Transfer("Records/Skills/Twin.dbr", 1), {}, true);
    EXPECT_TRUE(monster->buffs.empty());
    monster->SetLifeState(LifeState_Dead);
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 1), {}, false);
    EXPECT_TRUE(monster->buffs.empty());
}

TEST_F(ControllerCombatBuffTest, RemovingAllSendsLevelZeroForEachAndKillMeRemovesThem)
{
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 2), {}, false);
    controller->CreateSkillBuff(Transfer("Records/Skills/Ward.dbr", 1), {}, false);
    monster->buffs.clear();
    controller->KillMe();
    ASSERT_EQ(monster->buffs.size(), 2u);
    EXPECT_EQ(monster->buffs[1].skillName, "Records/Skills/Ward.dbr");
    EXPECT_EQ(monster->buffs[1].level, 0u);
    controller->RemoveAllSkillBuffs();
    EXPECT_EQ(monster->buffs.size(), 2u);
}

class ControllerCombatGoldTest : public ControllerCombatTest {
protected:
    static constexpr const char* kGold = "Records/Loot/Gold.dbr";

    // An item the game was asked to create, with what the victim looked like then.
    struct Drop {
        ItemReplicaInfo item;
        Character_LifeState lifeState = LifeState_Alive;
        size_t buffPackets = 0;
        size_t deathEvents = 0;
    };

    void SetUp() override
    {
        ControllerCombatTest::SetUp();
        // Up to three piles of 100 in all.
        database.WriteRecord(kGold,
                             {"goldAmountEquation = currentPlayerLevel+100", "goldValueMax = 1000",
                              "goldSplitMin = 3", "goldSplitMax = 3", "goldSplitSizeMin = 30",
                              "goldActors = Records/Items/Coins.dbr"});
        Keep(std::make_unique<AiItemRecorder>())->onCreate = [this](const WorldCoords&,
                                                                    const ItemReplicaInfo& item) {
            drops.push_back({item, victim != nullptr ? victim->GetLifeState() : LifeState_Alive,
                             victim != nullptr ? victim->buffs.size() : 0u, started.size()});
        };
    }

    ControllerTestMonster* victim = nullptr;
    std::vector<Drop> drops;
};

TEST_F(ControllerCombatGoldTest, KillMeDropsTheGoldBeforeTheCharacterStartsDying)
{
    auto* monster = Spawn<ControllerTestMonster>(
        "Records/Creatures/Rich.dbr",
        {"goldGeneratorChance = 100", std::string("goldGenerator = ") + kGold});
    victim = monster;
    ControllerCombat* controller = Control(*monster);
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 1), {}, false);

    controller->KillMe();
    ASSERT_FALSE(drops.empty());
    ASSERT_LE(drops.size(), 3u);
    uint32_t amount = 0;
    for (const Drop& drop : drops) {
        amount += drop.item.var1;
        // After the buffs went, before the life state and the event.
        EXPECT_EQ(drop.buffPackets, 2u);
        EXPECT_EQ(drop.lifeState, LifeState_Alive);
        EXPECT_EQ(drop.deathEvents, 0u);
    }
    // No attacker: the player level is 0, so the amount is exactly 100.
    EXPECT_EQ(amount, 100u);
}

TEST_F(ControllerCombatGoldTest, NoChanceOrAnNpcRunsNoGenerator)
{
    Monster* poor = Spawn("Records/Creatures/Poor.dbr",
                          {"goldGeneratorChance = 0", std::string("goldGenerator = ") + kGold});
    Npc* baker = Spawn<Npc>("Records/Creatures/RichBaker.dbr",
                            {"goldGeneratorChance = 100", std::string("goldGenerator = ") + kGold});
    Control(*poor)->KillMe();
    Control(*baker)->KillMe();
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(baker->GetLifeState(), LifeState_Alive);
}

} // namespace
} // namespace Test
} // namespace GAME
