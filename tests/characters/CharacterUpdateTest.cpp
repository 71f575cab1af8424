#include "ai/ControllerBaseCharacter.h"
#include "ai/ControllerCombat.h"
#include "characters/AnimationSet.h"
#include "characters/AttackAction.h"
#include "characters/Character.h"
#include "characters/CharacterActionHandler.h"
#include "characters/LongIdleAction.h"
#include "characters/MoveToAction.h"
#include "characters/PlayAnimationAction.h"
#include "characters/UseAction.h"
#include "engine/CharacterAction.h"
#include "engine/CharacterActionPacket.h"
#include "engine/ConnectionManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/SoundPak.h"
#include "multiplayer/CharacterActionPackets.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/SoundPaks.h"
#include "world/FixedItem.h"

#include <cmath>
#include <initializer_list>

#include <gtest/gtest.h>

#include <functional>
#include <gmock/gmock.h>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

// A combat controller that only writes down what its character tells it.
class FrameTestController : public ControllerCombat {
    GAME_DECLARE_CLASS(FrameTestController)

public:
    void Update(int32_t elapsedMs) override { updates.push_back(elapsedMs); }
    bool NeedsDeathUpdate() const override { return wantsDeathUpdates; }
    void DeathUpdate(int32_t elapsedMs) override { deathUpdates.push_back(elapsedMs); }
    void HandleEvent(const Name& event) override { events.push_back(event.GetString()); }
    void EndOfPathReached() override { ++endsOfPath; }
    void LowHealth() override { ++lowHealthCalls; }
    void UnderAttack(uint32_t attackerId) override { attackers.push_back(attackerId); }
    void AllyAttacked(uint32_t allyId, uint32_t attackerId) override
    {
        allyCalls.push_back({allyId, attackerId});
    }
    void CharacterIsDying() override { notices.push_back("dying"); }
    void CharacterIsDead() override { notices.push_back("dead"); }

    bool wantsDeathUpdates = false;
    std::vector<int32_t> updates;
    std::vector<int32_t> deathUpdates;
    std::vector<std::string> events;
    int endsOfPath = 0;
    int lowHealthCalls = 0;
    std::vector<uint32_t> attackers;
    std::vector<std::vector<uint32_t>> allyCalls;
    std::vector<std::string> notices;
};

// A running action that writes down the events it hears.
class FrameTestAction : public CharacterAction {
public:
    explicit FrameTestAction(std::vector<std::string>& heard) : heard(heard) {}
    void AnimationCallback(const Name& event) override { heard.push_back(event.GetString()); }
    bool IsActive() const override { return true; }

private:
    std::vector<std::string>& heard;
};

// A character whose turning toward its attack target can be seen.
class FrameTestCharacter : public Character {
    GAME_DECLARE_CLASS(FrameTestCharacter)

public:
    bool IsRotatingTowardsTarget() const { return rotateTowardsTarget; }
};

GAME_IMPLEMENT_CLASS(FrameTestController, ControllerCombat);
GAME_IMPLEMENT_CLASS(FrameTestCharacter, Character);

namespace Test {
namespace {

// Characters standing in a world of their own, each driven by a recording controller; one of
// them is there from the start.
class CharacterFrameFixture : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        character = Make();
    }

    FrameTestCharacter* Make(std::initializer_list<std::string> lines = {},
                             const Vec3& position = Vec3(3, 0, 4))
    {
        const std::string path = "Records/Creatures/F" + std::to_string(++made) + ".dbr";
        FrameTestCharacter* spawned = Must(Spawn<FrameTestCharacter>(path, lines));
        spawned->SetPathPosition(WorldVec3(kRegion, position));
        GiveController<FrameTestController>(*spawned);
        return spawned;
    }

    static FrameTestController& ControllerOf(const Character& character)
    {
        return *ObjectManager::Instance().GetObject<FrameTestController>(
            character.GetControllerId());
    }

    int made = 0;
    FrameTestCharacter* character = nullptr;
};

using CharacterUpdateTest = CharacterFrameFixture;

TEST_F(CharacterUpdateTest, TheControllerRunsOnTheLastFrameTimeAndAnEmptyFrameResetsIt)
{
    FrameTestController& controller = ControllerOf(*character);

    gEngine->RunFrame(40);
    EXPECT_EQ(character->GetFrameTime(), 40);
    gEngine->RunFrame(40);
    character->UpdateSelf(0);
    EXPECT_EQ(character->GetFrameTime(), 0);
    character->PreAnimationUpdate(25);
    EXPECT_EQ(controller.updates, (std::vector<int32_t>{0, 40, 0}));
}

TEST_F(CharacterUpdateTest, ADeadCharacterWithoutDeathUpdatesOnlyCountsItsPlayTime)
{
    FrameTestCharacter* target = Make({}, Vec3(3, 0, 10));
    FrameTestController& controller = ControllerOf(*character);
    character->SetCurrentAttackTarget(target->GetObjectId(), WorldVec3(), -1);
    character->RotateTowardsTarget(true);
    character->SetActionState(ActionState_Attack);
    character->SetLifeState(LifeState_Dead);
    gEngine->GetWorld()->SetCoords(
        character, WorldCoords(kRegion, Coords::RotationAboutAxis(1.0f, Vec3(0, 1, 0))));
    const WorldCoords before = character->GetCoords();

    character->PreAnimationUpdate(1000);
    character->UpdateSelf(1000);
    EXPECT_TRUE(controller.updates.empty());
    EXPECT_TRUE(controller.deathUpdates.empty());
    EXPECT_EQ(character->GetCoords(), before) << "no turning, no path";
    EXPECT_EQ(character->GetPlayStats().GetPlayTimeInSeconds(), 1u);

    controller.wantsDeathUpdates = true;
    character->PreAnimationUpdate(1000);
    EXPECT_EQ(controller.deathUpdates, (std::vector<int32_t>{0}));
}

TEST_F(CharacterUpdateTest, TwoDistressCallsFiveSecondsApartAndThenNoMore)
{
    FrameTestCharacter* victim =
        Make({"maxDistressCalls = 2", "distressCallTime = 5000", "distressCallRange = 10"});
    FrameTestCharacter* ally = Make({}, Vec3(5, 0, 4));
    constexpr uint32_t kAttacker = 4242;
    auto calls = [&] { return ControllerOf(*ally).allyCalls.size(); };

    victim->UnderAttack(kAttacker); // 0 ms
    victim->UpdateSelf(1000);
    victim->UnderAttack(kAttacker); // 1000 ms
    EXPECT_EQ(calls(), 1u);
    victim->UpdateSelf(5000);
    victim->UnderAttack(kAttacker); // 6000 ms
    EXPECT_EQ(calls(), 2u);
    victim->UpdateSelf(10000);
    victim->UnderAttack(kAttacker);
    EXPECT_EQ(calls(), 2u);
    EXPECT_EQ(ControllerOf(*victim).attackers, std::vector<uint32_t>(4, kAttacker))
        << "the controller hears every attack";
}

// The death event itself is the death tests' part.
TEST_F(CharacterUpdateTest, DyingAndDeathReachTheControllerAndThePhysics)
{
    character->ImDying();
    character->ImDead();
    EXPECT_EQ(ControllerOf(*character).notices, (std::vector<std::string>{"dying", "dead"}));
    const auto& removed = gEngine->GetPhysicsEngine().GetRemovedEntities();
    ASSERT_FALSE(removed.IsEmpty());
    EXPECT_EQ(removed.GetLast(), character->GetObjectId());
}

TEST_F(CharacterUpdateTest, StoppingReportsTheEndOfPathAndWalkingNowhereDoesNothing)
{
    FrameTestCharacter* character = Make({"unarmedWalkAnim = Stroll"});
    FrameTestController& controller = ControllerOf(*character);
    character->SetActionState(ActionState_Idle);
    character->CharacterStopMoving();
    EXPECT_EQ(character->GetActionState(), ActionState_Idle);
    EXPECT_EQ(controller.endsOfPath, 1);

    character->WalkTo(WorldVec3(), 1.0f);
    EXPECT_EQ(controller.endsOfPath, 1);
    character->WalkTo(character->GetPathPosition(), 1.0f);
    EXPECT_EQ(controller.endsOfPath, 2) << "already there";
    EXPECT_EQ(character->GetActionState(), ActionState_Walk);
}

TEST_F(CharacterUpdateTest, TheLowHealthSoundPlaysOncePerDip)
{
    constexpr const char* kGasp = "Records/Sounds/Gasp.dbr";
    database.WriteRecord(kGasp, {"Class = SoundPak"});
    FrameTestCharacter* character =
        Make({"characterLife = 100", "lowHealthTriggerLevel = 30", "lowHealthResetLevel = 60",
              std::string("lowHealthSound = ") + kGasp});
    for (float life : {25.0f, 20.0f, 59.0f, 60.0f, 30.0f})
        character->PlayLowHealthSoundIfNeeded(life);
    EXPECT_EQ(FindSound(kGasp)->GetPlayRequests().GetSize(), 2u);
    EXPECT_EQ(ControllerOf(*character).lowHealthCalls, 2);
}

using CharacterStateTest = CharacterFrameFixture;

TEST_F(CharacterStateTest, ADeadRestoreHidesAndKeepsTheInitialStateForLater)
{
    character->SetInitialStateInfo(ActionState_Move, WorldVec3(kRegion, Vec3(9, 0, 9)), 0, 0);
    character->SetLifeState(LifeState_Dead);
    character->RestoreLifeState();
    EXPECT_FALSE(character->GetVisibility());
    EXPECT_TRUE(character->AreCreateAttachementsDisabled());
    EXPECT_EQ(character->GetActionHandler()->GetActionType(), 0);

    character->SetLifeState(LifeState_Alive);
    character->RestoreLifeState();
    EXPECT_EQ(character->GetActionHandler()->GetActionType(), CharacterActionType_MoveTo);
}

class CharacterOrientationTest : public CharacterFrameFixture {
protected:
    const Coords& Frame() const { return character->GetCoords().GetRegionCoords(); }

    const WorldVec3 there{kRegion, Vec3(6, 0, 1)};
};

TEST_F(CharacterOrientationTest, AShortDirectionMovesWithoutTurning)
{
    character->RotateTowards(100, Vec3(0.19f, 0, 0), there);
    EXPECT_EQ(character->GetCoords().GetPosition(), there);
    EXPECT_EQ(Frame().forward, Vec3(0, 0, 1));
}

TEST_F(CharacterOrientationTest, FacingAwayTurnsAtTheMaximumRateAndNearbyItSnaps)
{
    character->RotateTowards(100, Vec3(0, 0, -1), there);
    EXPECT_NEAR(std::acos(Dot(Frame().forward, Vec3(0, 0, 1))), 12.0f * 100 * 0.001f, 1e-5f);
    EXPECT_EQ(character->GetCoords().GetPosition(), there);

    // Facing away a quarter turn less: the frame's limit covers what is left.
    const Vec3 want = Vec3(1, 0, 1).Unit();
    gEngine->GetWorld()->SetCoords(character, WorldCoords(kRegion, Coords()));
    character->RotateTowards(100, want * 3.0f, there);
    EXPECT_NEAR(Frame().forward.x, want.x, 1e-6f);
    EXPECT_NEAR(Frame().forward.z, want.z, 1e-6f);
}

TEST_F(CharacterOrientationTest, ALookAtFrameStillTurnsTheShortWay)
{
    WorldCoords looking;
    looking.LookAtNoLean(WorldVec3(kRegion, Vec3(0, 0, 0)), WorldVec3(kRegion, Vec3(0, 0, 5)),
                         Vec3(0, 1, 0));
    gEngine->GetWorld()->SetCoords(character, looking);
    for (int frame = 0; frame < 3; ++frame)
        character->RotateTowards(50, Vec3(1, 0, 0), there);
    EXPECT_GT(Frame().forward.x, 0.9f);
}

TEST_F(CharacterOrientationTest, TheSpineBendsToItsLimitWithoutOvershooting)
{
    character->SetSpineCurve(-1.0f);
    EXPECT_NEAR(character->GetTargetSpineCurve(), -0.6981f, 1e-4f);
    character->Update_TweakPose(100);
    EXPECT_NEAR(character->GetSpineCurve(), -0.314159f, 1e-5f);
    character->Update_TweakPose(1000);
    EXPECT_FLOAT_EQ(character->GetSpineCurve(), character->GetTargetSpineCurve());
}

class CharacterAnimationEventsTest : public CharacterFrameFixture {
protected:
    void SetUp() override
    {
        CharacterFrameFixture::SetUp();
        character = Must(Spawn<FrameTestCharacter>("Records/Creatures/Walker.dbr",
                                                   {"unarmedAttackIdleAnim = Stand"}));
        controller = New<FrameTestController>();
        character->SetControllerId(controller->GetObjectId());
        character->GetActionHandler()->Execute(std::make_unique<FrameTestAction>(heard));
    }

    void Raise(const char* name, int32_t kind = 0)
    {
        character->AnimationCallback(kind, Name::Create(name));
    }

    size_t EngineEvents() const { return character->GetAnimationEvents().GetTotalCount(); }

    FrameTestController* controller = nullptr;
    std::vector<std::string> heard;
};

TEST_F(CharacterAnimationEventsTest, EventsReachSetActionControllerAndEngineInTurn)
{
    Raise("End", 1); // another kind reaches only the engine

    ASSERT_TRUE(character->GetAnimationSet()->PlayAnimation(*character, AnimationSet_AttackIdle,
                                                            Name::noName, 1.0f, false, 2));
    Raise("End"); // consumed by the set
    Raise("End");
    EXPECT_EQ(heard, std::vector<std::string>{"End"});
    EXPECT_EQ(controller->events, std::vector<std::string>{"End"});
    EXPECT_EQ(EngineEvents(), 2u);

    character->RotateTowardsTarget(true);
    Raise("StopRotation");
    EXPECT_FALSE(character->IsRotatingTowardsTarget());
    EXPECT_EQ(heard.size(), 1u) << "not for the action";
    EXPECT_EQ(controller->events.back(), "StopRotation");
    EXPECT_EQ(EngineEvents(), 3u);
}

TEST_F(CharacterAnimationEventsTest, AnEventBeforeTheSetsExistSkipsTheSet)
{
    Character early;
    early.AnimationCallback(0, Name::Create("End"));
    EXPECT_EQ(early.GetAnimationEvents().GetTotalCount(), 1u);
}

using CharacterMoveToPointTest = CharacterFrameFixture;

TEST_F(CharacterMoveToPointTest, AWalkingFriendStopsOneUnitBeyondTouchingOrStaysWhenOnTop)
{
    FrameTestCharacter* walker = Make({}, Vec3(0, 0, 0));
    FrameTestCharacter* friendly = Make({}, Vec3(10, 0, 0));
    walker->SetActionState(ActionState_Walk);
    const WorldVec3 point =
        walker->GetMoveToPoint(friendly->GetObjectId(), 0, friendly->GetPathPosition());
    ASSERT_TRUE(point.HasRegion());
    EXPECT_NEAR(point.GetRegionPosition().x, 10.0f - (0.5f + 0.5f + 1.0f), 1e-5f);
    EXPECT_NEAR(point.GetRegionPosition().z, 0.0f, 1e-5f);

    EXPECT_EQ(walker->GetMoveToPoint(walker->GetObjectId(), 0, point), walker->GetPathPosition());

    // A friend on the same spot gives no direction, so no move.
    walker->SetPathPosition(WorldVec3(kRegion, Vec3(2, 0, 2)));
    friendly->SetPathPosition(WorldVec3(kRegion, Vec3(2, 0, 2)));
    EXPECT_EQ(walker->GetMoveToPoint(friendly->GetObjectId(), 0, WorldVec3()),
              WorldVec3(kRegion, Vec3(2, 0, 2)));
}

// Counts the ends of path it is told of.
class CountingController : public ControllerBaseCharacter {
public:
    void EndOfPathReached() override { ++endsOfPath; }
    int endsOfPath = 0;
};

class CharacterActionsTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        owner = Must(Spawn("Records/Creatures/Actor.dbr",
                           {"unarmedLongIdleAnim = Loop", "unarmedPickupAnim = Bend"}));
        id = owner->GetObjectId();
    }

    CountingController& AttachController()
    {
        auto* controller = new CountingController();
        ObjectManager::Instance().RegisterObject(controller);
        controller->AttachParent(id);
        owner->SetControllerId(controller->GetObjectId());
        return *controller;
    }

    WorldVec3 At(float x, float z) const { return WorldVec3(kRegion, Vec3(x, 0.0f, z)); }

    Monster* owner = nullptr;
    uint32_t id = 0;
};

// The owner stands at (3, 0, 4); the move starts and ends at `from`, so it never runs.
TEST_F(CharacterActionsTest, MoveToPlacesTheOwnerOnlyBeyondTenAndEndsWhenItDoesNotRun)
{
    CountingController& controller = AttachController();
    for (const auto& [x, placed] : {std::pair{13.0f, false}, std::pair{13.01f, true}}) {
        owner->SetPathPosition(At(3.0f, 4.0f));
        controller.endsOfPath = 0;
        MoveToAction action(id, At(x, 4.0f), At(x, 4.0f), 0, 0, 0.0f);
        action.Execute();
        EXPECT_EQ(owner->GetPathPosition(), At(x, 4.0f)) << x;
        EXPECT_EQ(owner->GetCoords().GetPosition() == At(x, 4.0f), placed) << x;
        EXPECT_EQ(controller.endsOfPath, 1) << x;
        EXPECT_FALSE(action.IsActive()) << x;
    }
}

TEST_F(CharacterActionsTest, UseAlwaysFinishes)
{
    auto* fixedItem = new FixedItem();
    ObjectManager::Instance().RegisterObject(fixedItem);
    for (uint32_t target : {fixedItem->GetObjectId(), 9999u}) {
        UseAction action(id, target);
        action.Execute();
        EXPECT_FALSE(action.IsActive()) << target;
    }
    UseAction ownerless(9999u, fixedItem->GetObjectId());
    ownerless.Execute();
    EXPECT_FALSE(ownerless.IsActive());
}

TEST_F(CharacterActionsTest, AttackOnADeadTargetStartsNoSkill)
{
    Monster* target = Spawn("Records/Creatures/Target.dbr", {});
    target->SetLifeState(LifeState_Dead);
    AttackAction action(id, target->GetObjectId(), At(0.0f, 0.0f), 1, 0);
    action.Execute();
    EXPECT_FALSE(action.IsActive());
    EXPECT_NE(owner->GetActionState(), ActionState_Attack);
    EXPECT_FALSE(owner->GetCharacterBio().GetTaintedBio()) << "StartSkill taints the bio";
}

TEST_F(CharacterActionsTest, PlayAnimationLeavesStateTwoEvenWhenItCannotPlay)
{
    PlayAnimationAction action(id, AnimationSet_Chat, Name::noName, 1.0f, false, 0);
    action.Execute();
    EXPECT_FALSE(action.IsActive());
    EXPECT_EQ(owner->GetActionState(), static_cast<Character_ActionState>(2));
}

TEST_F(CharacterActionsTest, LongIdleWithoutATransitionLoopsWithAFreshTransitionTime)
{
    LongIdleAction action(id);
    action.Execute();
    EXPECT_TRUE(action.IsActive());
    EXPECT_EQ(action.GetPhase(), LongIdleAction::Phase_Looping);
    EXPECT_EQ(owner->GetActionState(), ActionState_Fidget);
    EXPECT_THAT(action.GetTransitionTime(), Within(3000, 20000));
}

// The pre-move block is loaded after the action's own fields and comes back with them.
TEST_F(CharacterActionsTest, APacketRebuildsTheActionWithItsPreMove)
{
    MoveToAction sent(id, At(1.0f, 2.0f), At(5.0f, 6.0f), 7, 8, 2.5f);
    sent.SetPreMoveData(At(9.0f, 9.0f), 10, 11, 0.5f);
    const std::unique_ptr<NetPacket> packet = sent.GetNetPacket();
    ASSERT_NE(packet, nullptr);
    packet->PrepareOutBuffer();
    const std::unique_ptr<NetPacket> received =
        ConnectionManager::DecodePacket(packet->GetOutBuffer(), packet->GetOutBufferSize());
    const auto* move = Must(dynamic_cast<const MoveToPacket*>(received.get()));
    const std::unique_ptr<NetPacket> again = MoveToAction(*move).GetNetPacket();
    EXPECT_EQ(again->GetPacketDescription(true), packet->GetPacketDescription(true));

    // The move before it starts where the owner's path stands.
    const std::unique_ptr<CharacterAction> pre = sent.GetPreAction();
    ASSERT_NE(pre, nullptr);
    const std::unique_ptr<NetPacket> prePacket = pre->GetNetPacket();
    const auto& preMove = static_cast<const MoveToPacket&>(*prePacket);
    EXPECT_EQ(preMove.startLocation, owner->GetPathPosition());
    EXPECT_EQ(preMove.worldLocation, At(9.0f, 9.0f));

    const std::unique_ptr<NetPacket> plain =
        MoveToAction(id, At(1.0f, 2.0f), At(5.0f, 6.0f), 7, 8, 2.5f).GetNetPacket();
    EXPECT_FALSE(static_cast<const CharacterActionPacket&>(*plain).hasPreMoveData);
}

// Writes what happens to it into a shared log; its `Execute` runs whatever the test gives it.
class LoggedAction : public CharacterAction {
public:
    LoggedAction(std::string name, std::vector<std::string>& log,
                 std::function<void()> onExecute = {})
        : name(std::move(name)), log(log), onExecute(std::move(onExecute))
    {}
    ~LoggedAction() override { log.push_back(name + " destroyed"); }

    void Execute() override
    {
        log.push_back(name + " execute");
        if (onExecute)
            onExecute();
        // Reads the action's own members after the handler had its chance to delete it.
        log.push_back(name + " returns");
    }
    void Finish() override { log.push_back(name + " finish"); }
    void AnimationCallback(const Name& /*event*/) override
    {
        log.push_back(name + " event");
        if (onExecute)
            onExecute();
        log.push_back(name + " event returns");
    }
    bool IsActive() const override { return true; }
    CharacterActionType GetType() const override { return CharacterActionType_Walk; }

private:
    std::string name;
    std::vector<std::string>& log;
    std::function<void()> onExecute;
};

class CharacterActionHandlerTest : public ::testing::Test {
protected:
    std::unique_ptr<LoggedAction> Make(const std::string& name,
                                       std::function<void()> onExecute = {})
    {
        return std::make_unique<LoggedAction>(name, log, std::move(onExecute));
    }

    // Declared first so that it outlives the handler, whose actions log as they go.
    std::vector<std::string> log;
    CharacterActionHandler handler;
};

TEST_F(CharacterActionHandlerTest, WithoutAnActionEverythingAnswersNothing)
{
    handler.Execute(nullptr);
    handler.Stop();
    EXPECT_EQ(handler.GetActionType(), CharacterActionType_None);
    EXPECT_FALSE(handler.IsActive());
    EXPECT_TRUE(log.empty());
}

TEST_F(CharacterActionHandlerTest, ActionsHandedInDuringAnExecuteRunAfterItInOrder)
{
    handler.Execute(Make("A", [this] {
        handler.Execute(Make("B"));
        handler.Execute(Make("C"));
    }));
    EXPECT_EQ(log, (std::vector<std::string>{"A execute", "A returns", "A finish", "A destroyed",
                                             "B execute", "B returns", "B finish", "B destroyed",
                                             "C execute", "C returns"}));
}

// A move that fails inside its own `Execute` stops the character, and with it the handler.
TEST_F(CharacterActionHandlerTest, StopInsideExecuteFinishesTheActionAndDeletesItAfterwards)
{
    handler.Execute(Make("A", [this] {
        handler.Stop();
        handler.Stop();
        handler.Execute(Make("B"));
    }));
    EXPECT_EQ(log, (std::vector<std::string>{"A execute", "A finish", "A returns", "A destroyed",
                                             "B execute", "B returns"}));

    log.clear();
    handler.Execute(Make("C", [this] { handler.Stop(); }));
    EXPECT_EQ(log, (std::vector<std::string>{"B finish", "B destroyed", "C execute", "C finish",
                                             "C returns", "C destroyed"}));
    EXPECT_EQ(handler.GetActionType(), CharacterActionType_None);
}

// A death handler stopping the character, or a controller handing it a new action, from inside
// an animation event of the running action.
TEST_F(CharacterActionHandlerTest, AnActionStoppedOrReplacedByItsOwnEventOutlivesTheEvent)
{
    bool running = false;
    handler.Execute(Make("A", [&] {
        if (running)
            handler.Stop();
    }));
    running = true;
    log.clear();
    handler.AnimationCallback(Name::Create("End"));
    EXPECT_EQ(log,
              (std::vector<std::string>{"A event", "A finish", "A event returns", "A destroyed"}));

    running = false;
    handler.Execute(Make("B", [&] {
        if (running)
            handler.Execute(Make("C"));
    }));
    running = true;
    log.clear();
    handler.AnimationCallback(Name::Create("End"));
    EXPECT_EQ(log, (std::vector<std::string>{"B event", "B finish", "C execute", "C returns",
                                             "B event returns", "B destroyed"}));
}

} // namespace
} // namespace Test
} // namespace GAME
