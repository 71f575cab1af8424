#include "quests/QuestRepository.h"

#include "engine/EventHandler.h"
#include "engine/EventManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace GAME {
namespace {

void Announce(const char* quest, int32_t region, const wchar_t* text, bool simulated = false)
{
    GameEvent_Reward event;
    event.simulated = simulated;
    event.reward.questName = Name::Create(quest);
    event.reward.region = region;
    event.reward.locationTag = "tagLocation";
    event.reward.text = text;
    EventManager::Instance().Send("GameEvent_Reward", event);
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
};

TEST_F(QuestRepositoryTest, OneInstanceUntilDestroyedThenAFreshOneListening)
{
    QuestRepository& first = QuestRepository::Get();
    EXPECT_EQ(&QuestRepository::Get(), &first);
    first.EnableDebugging(true);
    QuestRepository::Destroy();
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_Reward"), 0u);
    EXPECT_FALSE(QuestRepository::Get().IsDebuggingEnabled());
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_Reward"), 1u);
}

TEST_F(QuestRepositoryTest, RecordsRewardsAndReplaysEachOnceAsSimulated)
{
    QuestRepository& quests = QuestRepository::Get();
    Announce("Quests/Q1.qst", 2, L"first");
    Announce("Quests/Q1.qst", 2, L"replayed", true);
    Announce("Quests/Q2.qst", 5, L"second");
    ASSERT_EQ(quests.GetRewards().size(), 2u);
    EXPECT_EQ(quests.GetRewards()[0].locationTag, "tagLocation");

    Listener<GameEvent_Reward> listener("GameEvent_Reward");
    // A reward announced during the replay is recorded, and not replayed in the same pass.
    listener.hook = [&] {
        if (listener.heard.size() == 1)
            Announce("Quests/Q3.qst", 1, L"during");
    };
    quests.SimulateRewards();

    ASSERT_EQ(listener.heard.size(), 3u);
    EXPECT_TRUE(listener.heard[0].simulated);
    EXPECT_EQ(listener.heard[0].reward.text, L"first");
    EXPECT_FALSE(listener.heard[1].simulated);
    EXPECT_TRUE(listener.heard[2].simulated);
    EXPECT_EQ(listener.heard[2].reward.region, 5);
    EXPECT_EQ(listener.heard[2].reward.questName, Name::Create("Quests/Q2.qst"));
    ASSERT_EQ(quests.GetRewards().size(), 3u);
    EXPECT_EQ(quests.GetRewards()[2].text, L"during");
}

TEST_F(QuestRepositoryTest, AFiredTriggerIsRecordedOncePerTargetAndKeptWhileItsQuestIsNotHeld)
{
    QuestRepository& quests = QuestRepository::Get();
    const Name quest = Name::Create("Quests/Q1.qst");
    quests.AddTrigger(quest, 1, 2, 0);
    quests.AddTrigger(quest, 1, 2, 0);
    quests.AddTrigger(quest, 1, 2, 0x10000005);
    quests.AddTrigger(quest, 2, 2, 0);
    ASSERT_EQ(quests.GetFiredTriggers().size(), 3u);
    EXPECT_EQ(quests.GetFiredTriggers()[1].target, 0x10000005u);
    quests.FireTriggers();
    EXPECT_EQ(quests.GetFiredTriggers().size(), 3u);
    EXPECT_EQ(quests.GetQuest(quest), nullptr);
}

TEST_F(QuestRepositoryTest, ResetForgetsTheQuestStateButDebuggingAndAnnouncesIt)
{
    QuestRepository& quests = QuestRepository::Get();
    const Name quest = Name::Create("Quests/Q1.qst");
    quests.AddActiveQuest(quest);
    quests.AddActiveQuest(quest);
    EXPECT_EQ(quests.GetActiveQuestList(), std::vector<Name>{quest});
    quests.AddTrigger(quest, 0, 0, 0);
    Announce("Quests/Q1.qst", 1, L"gold");
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
