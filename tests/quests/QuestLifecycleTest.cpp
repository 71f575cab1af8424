#include "core/GameEvents.h"

#include "engine/EventHandler.h"
#include "engine/EventManager.h"
#include "engine/Trigger.h"
#include "quests/Quest.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/QuestFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

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

using Fired = std::vector<std::string>;

class TriggerFiring : public Test::QuestFixture {
protected:
    // One quest of one step whose trigger holds the actions named, loaded.
    Trigger* LoadTrigger(const std::vector<std::string>& actions)
    {
        auto design = Design("Q", 1, 2, actions);
        AddQuestFile("Quests/Q.qst", *design);
        repository = &Loaded();
        return repository->GetQuestByIndex(0)->GetQuestStepAtIndx(0)->GetTriggerOfIdx(0);
    }
    const Fired& fired() const { return GAME::Test::RecordingAction::fired; }

    QuestRepository* repository = nullptr;
};

TEST_F(TriggerFiring, ChildIdsCarryQuestStepTriggerAndIndex)
{
    auto first = Design("A", 1, 1);
    auto second = Design("B", 1, 1);
    auto third = Design("C", 2, 4, {"Test_Now", "Test_Pay"});
    AddQuestFile("Quests/A.qst", *first);
    AddQuestFile("Quests/B.qst", *second);
    QuestRepository& quests = Loaded();
    EXPECT_EQ(quests.FindActionById(0x05000000u), nullptr); // with two quests
    AddQuestFile("Quests/C.qst", *third);
    quests.Load();
    const Trigger* trigger = quests.GetQuestByIndex(2)->GetQuestStepAtIndx(1)->GetTriggerOfIdx(3);
    EXPECT_EQ(trigger->GetId(), 0x02010300u);
    EXPECT_EQ(quests.FindActionById(0x02010301u), trigger->GetActionAtIdx(1));
    EXPECT_EQ(trigger->GetConditionAtIdx(0)->GetId(), 0x02010300u);
    for (uint32_t id : {0x05000000u, 0x02020000u, 0x02010400u, 0x02010302u, 0x03000000u}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(quests.FindActionById(id), nullptr);
    }
}

TEST_F(TriggerFiring, FiresOnceAllConditionsHoldAndRecordsTheFiring)
{
    Trigger* trigger = LoadTrigger({"Test_Now", "Test_Pay"});
    Quest* quest = repository->GetQuestByIndex(0);
    repository->Update(33);
    EXPECT_TRUE(fired().empty());
    trigger->SetInstigator(7);
    trigger->GetConditionAtIdx(0)->SetSatisfied(true);
    repository->Update(33);
    repository->Update(33);
    EXPECT_EQ(fired(), (Fired{"Test_Now:7", "Test_Pay:7"}));
    ASSERT_EQ(repository->GetFiredTriggers().size(), 1u);
    EXPECT_EQ(repository->GetFiredTriggers()[0].target, 7u);
    EXPECT_FALSE(quest->GetQuestStepAtIndx(0)->IsComplete()); // the second trigger waits
}

TEST_F(TriggerFiring, NegatedConditionHoldsWhileUnsatisfied)
{
    Trigger* trigger = LoadTrigger({"Test_Now"});
    trigger->GetConditionAtIdx(0)->SetNegate(true);
    repository->Update(33);
    EXPECT_EQ(fired(), (Fired{"Test_Now:0"}));
}

TEST_F(TriggerFiring, ReFireRunsOnlyWhatMayFireAgainEvenWhileDelaying)
{
    Trigger* trigger = LoadTrigger({"Test_Pay", "Test_Mark", "Test_Now"});
    repository->EnableDelayedActions(true);
    trigger->ReFire(9);
    EXPECT_EQ(fired(), (Fired{"Test_Mark:9:again"}));
    EXPECT_TRUE(trigger->IsDone());
    EXPECT_EQ(repository->GetNumDelayedActions(), 0u);
    EXPECT_TRUE(repository->GetFiredTriggers().empty());
}

TEST_F(TriggerFiring, FireWithoutActionsOnlyMarksDone)
{
    Trigger* trigger = LoadTrigger({"Test_Pay"});
    trigger->Fire(false);
    EXPECT_TRUE(trigger->IsDone());
    EXPECT_TRUE(fired().empty());
    EXPECT_TRUE(repository->GetFiredTriggers().empty());
}

TEST_F(TriggerFiring, DelayedActionsWaitInOrderUntilFlushed)
{
    Trigger* trigger = LoadTrigger({"Test_Pay", "Test_Now", "Test_Mark"});
    repository->EnableDelayedActions(true);
    trigger->SetInstigator(3);
    trigger->Fire(true);
    EXPECT_EQ(fired(), (Fired{"Test_Now:3"}));
    repository->Update(33);
    EXPECT_EQ(repository->GetNumDelayedActions(), 2u);
    repository->FlushDelayedActions();
    EXPECT_EQ(fired(), (Fired{"Test_Now:3", "Test_Pay:3", "Test_Mark:3"}));
    EXPECT_FALSE(repository->IsDelayedActionsEnabled());
}

TEST_F(TriggerFiring, ARemovedTriggerLeavesTheHeldActionsAndTheActiveList)
{
    Trigger* trigger = LoadTrigger({"Test_Pay"});
    QuestStep* step = repository->GetQuestByIndex(0)->GetQuestStepAtIndx(0);
    repository->EnableDelayedActions(true);
    trigger->Fire(true);
    ASSERT_EQ(repository->GetNumDelayedActions(), 1u);
    const size_t active = repository->GetActiveTriggers().size();
    step->RemoveTrigger(step->GetTriggerOfIdx(1));
    EXPECT_EQ(repository->GetActiveTriggers().size(), active - 1);
    step->RemoveTrigger(trigger);
    EXPECT_EQ(repository->GetNumDelayedActions(), 0u);
    repository->FlushDelayedActions(); // nothing freed is fired
    EXPECT_TRUE(fired().empty());
}

TEST_F(TriggerFiring, UnknownClassIsLoggedSkippedAndNeverFires)
{
    auto design = Design("Q", 1, 1, {"Test_Now"});
    AddQuestFile("Quests/Q.qst", *design, true);
    const std::string path = database.GetRoot() + "/Quests/Q.qst";
    std::string text;
    {
        std::ifstream in(path);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    text.replace(text.find("Test_Condition"), 14, "Test_Missing");
    database.WriteFile("Quests/Q.qst", text);
    QuestRepository& quests = Loaded();
    EXPECT_EQ(log.Count(1, "Trigger: unknown class (Test_Missing)"), 1u);
    Trigger* trigger = quests.GetQuestByIndex(0)->GetQuestStepAtIndx(0)->GetTriggerOfIdx(0);
    ASSERT_NE(trigger, nullptr);
    EXPECT_EQ(trigger->GetNumConditions(), 0);
    EXPECT_EQ(trigger->GetNumActions(), 1);
    quests.Update(33);
    EXPECT_TRUE(fired().empty());
}

} // namespace
} // namespace GAME
