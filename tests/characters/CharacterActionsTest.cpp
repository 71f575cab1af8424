#include "ai/ControllerBaseCharacter.h"
#include "characters/AttackAction.h"
#include "characters/CharacterActionHandler.h"
#include "characters/LongIdleAction.h"
#include "characters/MoveToAction.h"
#include "characters/PlayAnimationAction.h"
#include "characters/UseAction.h"
#include "engine/CharacterActionPacket.h"
#include "engine/ConnectionManager.h"
#include "engine/Name.h"
#include "multiplayer/CharacterActionPackets.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/combat/DeathFixture.h"
#include "world/FixedItem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

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
    float GetBlendTime() const override { return 250.0f; }
    CharacterActionType GetType() const override { return CharacterActionType_Walk; }
    std::string ToString() const override { return name; }

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
} // namespace GAME::Test
