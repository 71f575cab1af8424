#include "engine/Engine.h"
#include "engine/EventHandler.h"
#include "engine/EventManager.h"
#include "engine/GameTimer.h"
#include "engine/Name.h"
#include "engine/RandomUniformLocked.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace GAME::Test {
namespace {

// Captures nest in every fixture that logs, so a sink handed back is pinned there.
TEST(Engine, LogFormatsLinesOfAnyLength)
{
    GAME::Test::LogCapture log;
    const std::string longText(3000, 'x');
    gEngine->Log(Engine::LogRuntime, "%s|%d", longText.c_str(), 7);
    ASSERT_EQ(log.GetLines().size(), 1u);
    EXPECT_EQ(log.GetLines()[0].text, longText + "|7");
}

// What a peer's message causes is told at once, then at most a line a second of the session's
// clock with its number; what waits is told once its second has passed, or at the end.
TEST(Engine, APeersLinesAreToldAsACountASecondAndTheCountedOnesOnTheGameClock)
{
    GAME::Test::LogCapture log;
    static constexpr const char* kRefused = "refused %u";
    const auto peer = [](uint64_t nowMs, uint32_t number) {
        const Engine::PeerWord word(nowMs);
        gEngine->Log(Engine::LogRuntime, kRefused, number);
    };
    for (uint32_t number = 1; number <= 5; ++number)
        peer(number * 300, number);
    peer(1600, 6);
    gEngine->TellPeerLines(2000, false);
    gEngine->TellPeerLines(2000, true);
    gEngine->Log(Engine::LogRuntime, kRefused, 7u);
    gEngine->LogCounted(Engine::LogData, kRefused, 8u);
    gEngine->LogCounted(Engine::LogData, kRefused, 9u);
    gEngine->RunFrame(999);
    gEngine->RunFrame(1);
    // The game clock's count still waiting is told at the end.
    gEngine->LogCounted(Engine::LogData, kRefused, 10u);
    gEngine->TellCounts();
    const std::vector<LogCapture::Line> expected{
        {2, "refused 1"},
        {2, "refused 5 (and 3 more of its kind, 5 in all)"},
        {2, "refused 6 (6 in all)"},
        {2, "refused 7"},
        {1, "refused 8"},
        {1, "refused 9 (2 in all)"},
        {1, "refused 10 (3 in all)"}};
    EXPECT_EQ(log.GetLines(), expected);
}

TEST(Engine, SettingsStayInRange)
{
    GameInfo& info = gEngine->GetGameInfo();
    info.SetDifficulty(7);
    EXPECT_EQ(info.GetDifficulty(), 2u);
    info.SetDifficulty(0);
    Options& options = gEngine->GetOptions();
    options.SetBool(-1, true);
    options.SetBool(Options::kSwitchCount, true);
    EXPECT_FALSE(options.GetBool(-1));
    EXPECT_FALSE(options.GetBool(Options::kSwitchCount));
}

// The shared generator is used from the quest thread too: concurrent draws must not lose steps.
TEST(RandomUniformLocked, ConcurrentDrawsAdvanceTheSequenceOncePerDraw)
{
    RandomUniformLocked shared;
    shared.Seed(5);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&shared] {
            for (int i = 0; i < 1000; ++i)
                shared.IGenerate(0, 10);
        });
    for (std::thread& thread : threads)
        thread.join();
    RandomUniform alone;
    alone.Seed(5);
    for (int i = 0; i < 4000; ++i)
        alone.IGenerate(0, 10);
    EXPECT_EQ(shared.GetState(), alone.GetState());
}

TEST(GameTimer, MeasuresScaledGameTime)
{
    GameTimer timer;
    const auto frame = [&timer](int32_t ms) {
        gEngine->RunFrame(ms);
        timer.Update();
        return timer.GetElapsedTime();
    };
    EXPECT_EQ(frame(16), 16);
    gEngine->RunFrame(10);
    EXPECT_EQ(frame(-5), 10); // the clock never runs backwards
    EXPECT_EQ(timer.GetTotalElapsedTime(), 26);

    // Half speed keeps the fraction: 7.5 ms twice is 7 then 8.
    timer.SetTimeScale(0.5f);
    EXPECT_EQ(frame(15), 7);
    EXPECT_EQ(frame(15), 8);
    timer.SetTimeScale(-1.0f);
    EXPECT_EQ(frame(100), 0);
}

struct PingEvent : GameEvent {
    int value = 0;
};
struct OtherEvent : GameEvent {};

constexpr const char* kPing = "EventTestPing";

// Notes each event it hears as "<id>:<value>", then runs an optional hook.
class Listener {
public:
    Listener(int id, std::vector<std::string>& journal, bool attached = true)
        : handler(kPing, &Listener::OnPing, attached ? this : nullptr), id(id), journal(journal)
    {}

    void OnPing(const PingEvent& event)
    {
        journal.push_back(std::to_string(id) + ":" + std::to_string(event.value));
        if (hook)
            hook();
    }

    EventHandler<Listener, PingEvent> handler;
    std::function<void()> hook;

private:
    int id;
    std::vector<std::string>& journal;
};

void Send(int value)
{
    PingEvent event;
    event.value = value;
    EventManager::Instance().Send(kPing, event);
}

// A detached listener stays silent, a destroyed one is gone, and a record of the wrong kind is
// dropped with a line in the log.
TEST(EventManager, ListenersHearInRegistrationOrderWhileTheyLive)
{
    LogCapture log;
    std::vector<std::string> journal;
    {
        Listener first(1, journal);
        Listener silent(2, journal, false);
        Listener third(3, journal);
        Send(7);
        Send(8);
        EventManager::Instance().Send(kPing, OtherEvent());
    }
    Send(9);
    EXPECT_EQ(journal, (std::vector<std::string>{"1:7", "3:7", "1:8", "3:8"}));
    // Once per attached listener.
    EXPECT_EQ(log.Count(2, "Event 'EventTestPing' carried a record of another kind"), 2u);
}

TEST(EventManager, ListenersMayComeAndGoDuringASend)
{
    std::vector<std::string> journal;
    auto first = std::make_unique<Listener>(1, journal);
    auto second = std::make_unique<Listener>(2, journal);
    auto third = std::make_unique<Listener>(3, journal);
    std::unique_ptr<Listener> late;
    // The second removes the one before it and the one after it, and adds a fourth.
    second->hook = [&] {
        if (late)
            return;
        late = std::make_unique<Listener>(4, journal);
        third.reset();
        first.reset();
    };
    Send(1);
    Send(2);
    EXPECT_EQ(journal, (std::vector<std::string>{"1:1", "2:1", "2:2", "4:2"}));
}

// Names travel between machines by their words; the stream and packet tests read them back.
TEST(Name, NamesAreCaseSensitiveAndWordsOutsideTheFourOrUnknownAreEmpty)
{
    const Name end = Name::Create("End");
    EXPECT_NE(end, Name::Create("end"));
    EXPECT_EQ(Name::Create(""), Name::noName);
    EXPECT_EQ(Name::Create(nullptr), Name::noName);
    EXPECT_EQ(Name::FromWords(1, 2, 3, 4).GetString(), "");
    EXPECT_EQ(end.GetWord(4), 0u);
    EXPECT_EQ(end.GetWord(-1), 0u);
}

} // namespace
} // namespace GAME::Test
