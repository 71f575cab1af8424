#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "engine/EventManager.h"
#include "engine/Trigger.h"
#include "quests/Quest.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"
#include "tests/support/QuestFixture.h"

#include "tests/support/HeardEvents.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

using Test::Heard;

class QuestLifecycle : public Test::QuestFixture {};

TEST_F(QuestLifecycle, StepEquationThatDoesNotParseNeverArms)
{
    auto design = Design("Q", 2, 1, {"Test_Now"});
    design->GetQuestStepAtIndx(0)->SetEnablingTokensFunction("raiderSlain &&");
    AddQuestFile("Quests/Q.qst", *design);
    QuestRepository& quests = Loaded();
    EXPECT_EQ(
        log.Count(1, "A quest step equation for Quest \"Q\" failed.  Quest will not function."),
        1u);
    const Quest* quest = quests.GetQuestByIndex(0);
    QuestStep* broken = quest->GetQuestStepAtIndx(0);
    QuestStep* plain = quest->GetQuestStepAtIndx(1);
    EXPECT_FALSE(broken->HasEnablingEquation());
    EXPECT_FALSE(broken->IsEnabled());
    EXPECT_TRUE(plain->IsEnabled()); // "" arms as "1"
    for (const QuestStep* step : {broken, plain})
        step->GetTriggerOfIdx(0)->GetConditionAtIdx(0)->SetSatisfied(true);
    quests.Update(33);
    EXPECT_EQ(GAME::Test::RecordingAction::fired, std::vector<std::string>{"Test_Now:0"});
    EXPECT_FALSE(broken->GetTriggerOfIdx(0)->IsDone());
}

TEST_F(QuestLifecycle, CompletesStepByStepAndAnnouncesOnce)
{
    auto design = Design("Q", 2, 1, {});
    AddQuestFile("Quests/Q.qst", *design);
    QuestRepository& quests = Loaded();
    Quest* quest = quests.GetQuestByIndex(0);
    Heard<GameEvent_QuestComplete> complete("GameEvent_QuestComplete");
    for (int s = 0; s < 2; ++s) {
        SCOPED_TRACE(s);
        EXPECT_FALSE(quest->IsComplete());
        quest->GetQuestStepAtIndx(s)->GetTriggerOfIdx(0)->GetConditionAtIdx(0)->SetSatisfied(true);
        quests.Update(33);
        EXPECT_TRUE(quest->GetQuestStepAtIndx(s)->IsComplete());
        EXPECT_FALSE(quest->GetQuestStepAtIndx(s)->IsEnabled());
    }
    EXPECT_TRUE(quest->IsComplete());
    ASSERT_EQ(complete.events.size(), 1u);
    EXPECT_EQ(complete.events[0].handle, quest->GetHandle());
    EXPECT_TRUE(complete.events[0].flagA && complete.events[0].flagB);
}

TEST_F(QuestLifecycle, SetUnsolvableTwiceAnnouncesOnce)
{
    auto design = Design("Q", 2, 2);
    AddQuestFile("Quests/Q.qst", *design);
    Quest* quest = Loaded().GetQuestByIndex(0);
    Heard<GameEvent> unsolvable("GameEvent_QuestUnsolvable");
    Heard<GameEvent_QuestComplete> complete("GameEvent_QuestComplete");
    quest->SetUnsolvable();
    quest->SetUnsolvable();
    EXPECT_EQ(unsolvable.events.size(), 1u);
    EXPECT_TRUE(complete.events.empty());
    EXPECT_TRUE(quest->IsUnsolvable() && quest->IsComplete() && quest->IsActive());
    EXPECT_TRUE(quest->GetQuestStepAtIndx(1)->IsComplete());
    EXPECT_TRUE(quest->GetQuestStepAtIndx(1)->GetTriggerOfIdx(1)->IsDone());
    EXPECT_TRUE(GAME::Test::RecordingAction::fired.empty());
}

TEST_F(QuestLifecycle, ReorderingKeepsTheEndsInPlace)
{
    auto quest = Design("Q", 3, 3);
    QuestStep* first = quest->GetQuestStepAtIndx(0);
    QuestStep* last = quest->GetQuestStepAtIndx(2);
    quest->MoveUp(first);
    quest->MoveDown(last);
    EXPECT_EQ(quest->GetIdxOfQuestStep(first), 0);
    EXPECT_EQ(quest->GetIdxOfQuestStep(last), 2);
    last->MoveUpInParent();
    EXPECT_EQ(quest->GetIdxOfQuestStep(last), 1);
    Trigger* trigger = first->GetTriggerOfIdx(2);
    first->MoveDown(trigger);
    EXPECT_EQ(first->GetIdxOfTrigger(trigger), 2);
    first->MoveUp(trigger);
    EXPECT_EQ(first->GetIdxOfTrigger(trigger), 1);
    std::unique_ptr<QuestStep> removed = last->RemoveFromParent();
    EXPECT_EQ(removed.get(), last);
    EXPECT_EQ(quest->GetStepCount(), 2);
    EXPECT_EQ(quest->GetIdxOfQuestStep(last), -1);
}

TEST_F(QuestLifecycle, RewardsOutsideTheThreeReadEmptyAndWriteNothing)
{
    Quest quest(0);
    for (int index : {0, 2}) {
        quest.SetRewardItemTag(index, "tagSword");
        quest.SetRewardGold(index, 100 + index);
        quest.SetRewardXP(index, 200 + index);
    }
    for (int index : {-1, 3, 1000}) {
        SCOPED_TRACE(index);
        quest.SetRewardItemTag(index, "tagBad");
        quest.SetRewardGold(index, 9);
        quest.SetRewardXP(index, 9);
        EXPECT_STREQ(quest.GetRewardItemTag(index), "");
        EXPECT_EQ(quest.GetRewardGold(index), 0);
        EXPECT_EQ(quest.GetRewardXP(index), 0);
    }
    EXPECT_STREQ(quest.GetRewardItemTag(2), "tagSword");
    EXPECT_EQ(quest.GetRewardGold(2), 102);
    EXPECT_EQ(quest.GetRewardXP(0), 200);
    EXPECT_STREQ(quest.GetRewardItemTag(1), "");
}

TEST_F(QuestLifecycle, CompleteQuestNowReachesTheQuestOfThatFileOnly)
{
    auto watch = Design("Watch", 2, 1);
    auto other = Design("Other", 1, 1);
    AddQuestFile("Quests/VillageWatch.qst", *watch);
    AddQuestFile("Quests/Other.qst", *other);
    QuestRepository& quests = Loaded();
    GameEvent_CompleteQuestNow event;
    event.questFile = "QUESTS\\villagewatch.qst";
    EventManager::Instance().Send("GameEvent_CompleteQuestNow", event);
    EXPECT_TRUE(quests.GetQuestByIndex(0)->IsComplete());
    EXPECT_FALSE(quests.GetQuestByIndex(1)->IsComplete());
    EXPECT_TRUE(quests.GetQuestByIndex(0)->GetQuestStepAtIndx(1)->GetTriggerOfIdx(0)->IsDone());
    EXPECT_TRUE(GAME::Test::RecordingAction::fired.empty());
}

} // namespace
} // namespace GAME
