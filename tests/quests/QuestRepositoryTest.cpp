#include "quests/QuestRepository.h"

#include "engine/EventHandler.h"
#include "engine/EventManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace GAME {
namespace {

GameEvent_Reward MakeReward(const char* quest, int32_t region, const wchar_t* text,
                            bool simulated = false)
{
    GameEvent_Reward event;
    event.simulated = simulated;
    event.reward.questName = Name::Create(quest);
    event.reward.region = region;
    event.reward.locationTag = "tagLocation";
    event.reward.titleTag = "tagTitle";
    event.reward.text = text;
    return event;
}

// Hears an event as any other listener of the game would.
template <typename Event> class Listener {
public:
    explicit Listener(const char* name) : handler(name, &Listener::On, this) {}
    void On(const Event& event)
    {
        heard.push_back(event);
        if (hook)
            hook();
    }

    EventHandler<Listener, Event> handler;
    std::vector<Event> heard;
    std::function<void()> hook;
};

class QuestRepositoryTest : public ::testing::Test {
protected:
    void TearDown() override { QuestRepository::Destroy(); }

    static void Announce(const GameEvent_Reward& event)
    {
        EventManager::Instance().Send("GameEvent_Reward", event);
    }
};

TEST_F(QuestRepositoryTest, OneInstanceUntilDestroyed)
{
    QuestRepository& first = QuestRepository::Get();
    EXPECT_EQ(&QuestRepository::Get(), &first);
    first.EnableDelayedActions(true);
    first.EnableDebugging(true);
    EXPECT_TRUE(first.IsDelayedActionsEnabled());
    EXPECT_TRUE(first.IsDebuggingEnabled());

    QuestRepository::Destroy();
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_Reward"), 0u);
    QuestRepository& fresh = QuestRepository::Get();
    EXPECT_FALSE(fresh.IsDelayedActionsEnabled());
    EXPECT_FALSE(fresh.IsDebuggingEnabled());
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_Reward"), 1u);
}

TEST_F(QuestRepositoryTest, RecordsRewardsAndReplaysEachOnceAsSimulated)
{
    QuestRepository& quests = QuestRepository::Get();
    Announce(MakeReward("Quests/Q1.qst", 2, L"first"));
    Announce(MakeReward("Quests/Q1.qst", 2, L"replayed", true));
    Announce(MakeReward("Quests/Q2.qst", 5, L"second"));
    ASSERT_EQ(quests.GetRewards().size(), 2u);
    EXPECT_EQ(quests.GetRewards()[0].locationTag, "tagLocation");
    EXPECT_EQ(quests.GetRewards()[0].titleTag, "tagTitle");

    Listener<GameEvent_Reward> listener("GameEvent_Reward");
    // A reward announced during the replay is recorded, and not replayed in the same pass.
    listener.hook = [&] {
        if (listener.heard.size() == 1)
            Announce(MakeReward("Quests/Q3.qst", 1, L"during"));
    };
    quests.SimulateRewards();

    ASSERT_EQ(listener.heard.size(), 3u);
    EXPECT_TRUE(listener.heard[0].simulated);
    EXPECT_EQ(listener.heard[0].reward.text, L"first");
    EXPECT_FALSE(listener.heard[1].simulated);
    EXPECT_EQ(listener.heard[1].reward.text, L"during");
    EXPECT_TRUE(listener.heard[2].simulated);
    EXPECT_EQ(listener.heard[2].reward.region, 5);
    EXPECT_EQ(listener.heard[2].reward.questName, Name::Create("Quests/Q2.qst"));

    ASSERT_EQ(quests.GetRewards().size(), 3u);
    EXPECT_EQ(quests.GetRewards()[2].text, L"during");
}

TEST_F(QuestRepositoryTest, AFiredTriggerIsRecordedOncePerTarget)
{
    QuestRepository& quests = QuestRepository::Get();
    const Name quest = Name::Create("Quests/Q1.qst");
    quests.AddTrigger(quest, 1, 2, 0);
    quests.AddTrigger(quest, 1, 2, 0);
    quests.AddTrigger(quest, 1, 2, 0x10000005);
    quests.AddTrigger(quest, 2, 2, 0);
    ASSERT_EQ(quests.GetFiredTriggers().size(), 3u);
    EXPECT_EQ(quests.GetFiredTriggers()[1].target, 0x10000005u);
    EXPECT_EQ(quests.GetFiredTriggers()[2].stepIndex, 2);

    // The recorded quests are not held, so the replay skips every entry and keeps them.
    quests.FireTriggers();
    EXPECT_EQ(quests.GetFiredTriggers().size(), 3u);
    EXPECT_FALSE(quests.IsQuestActive(quest));
    EXPECT_EQ(quests.GetQuest(quest), nullptr);
    EXPECT_EQ(quests.FindActionById(0x00010203), nullptr);

    quests.ClearTriggers();
    EXPECT_TRUE(quests.GetFiredTriggers().empty());
}

TEST_F(QuestRepositoryTest, ResetForgetsTheQuestStateAndAnnouncesIt)
{
    QuestRepository& quests = QuestRepository::Get();
    const Name quest = Name::Create("Quests/Q1.qst");
    quests.AddActiveQuest(quest);
    quests.AddActiveQuest(quest);
    EXPECT_EQ(quests.GetActiveQuestList(), std::vector<Name>{quest});
    quests.AddTrigger(quest, 0, 0, 0);
    Announce(MakeReward("Quests/Q1.qst", 1, L"gold"));
    quests.EnableDelayedActions(true);
    quests.EnableDebugging(true);
    quests.Update(16);

    Listener<GameEvent> listener("GameEvent_QuestReset");
    quests.Reset();
    EXPECT_EQ(listener.heard.size(), 1u);
    EXPECT_TRUE(quests.GetActiveQuestList().empty());
    EXPECT_TRUE(quests.GetFiredTriggers().empty());
    EXPECT_TRUE(quests.GetRewards().empty());
    EXPECT_FALSE(quests.IsDelayedActionsEnabled());
    EXPECT_TRUE(quests.IsDebuggingEnabled());
}

} // namespace
} // namespace GAME
