#include "characters/CharacterActionHandler.h"
#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "tests/characters/CharacterFrameFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using CharacterStateTest = CharacterFrameFixture;

TEST_F(CharacterStateTest, ObserversAreNotAliveAndTheUnknownAreAliveButHiding)
{
    FrameTestCharacter* character = Make();
    ASSERT_NE(character, nullptr);
    EXPECT_FALSE(character->IsHiding());
    character->SetObserverMode(true);
    EXPECT_FALSE(character->IsAlive());
    character->SetObserverMode(false);
    character->SetLifeState(LifeState_Unknown);
    EXPECT_TRUE(character->IsAlive());
    EXPECT_TRUE(character->IsHiding());
    EXPECT_STREQ(Character::GetActionStateAsText(static_cast<Character_ActionState>(2)), "Illegal");
}

TEST_F(CharacterStateTest, ADeadRestoreHidesAndKeepsTheInitialStateForLater)
{
    FrameTestCharacter* character = Make();
    ASSERT_NE(character, nullptr);
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

class NameRecorder {
public:
    void OnEvent(const GameEvent_GenericEntity& event) { names.push_back(event.objectName); }
    std::vector<std::string> names;
    EventHandler<NameRecorder, GameEvent_GenericEntity> moved{"GameEvent_MoveCompleted",
                                                              &NameRecorder::OnEvent, this};
    EventHandler<NameRecorder, GameEvent_GenericEntity> animated{"GameEvent_AnimationCompleted",
                                                                 &NameRecorder::OnEvent, this};
};

TEST_F(CharacterStateTest, QuestEventsCarryTheNameAndDestroyMeLeavesTheWorld)
{
    FrameTestCharacter* character = Make();
    ASSERT_NE(character, nullptr);
    NameRecorder recorder;
    character->SendQuestMoveCompletedEvent();
    character->SendQuestAnimationCompletedEvent();
    EXPECT_EQ(recorder.names, std::vector<std::string>(2, character->GetObjectName()));

    const uint32_t id = character->GetObjectId();
    const size_t before = gEngine->GetWorld()->GetEntityCount();
    character->DestroyMe();
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_FALSE(Exists(id));
    EXPECT_EQ(gEngine->GetWorld()->GetEntityCount(), before - 1);
}

} // namespace
} // namespace GAME::Test
