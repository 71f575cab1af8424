#include "engine/EventManager.h"

#include "engine/EventHandler.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace GAME::Test {
namespace {

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
    EXPECT_EQ(EventManager::Instance().GetListenerCount(kPing), 0u);
    Send(9);
    EXPECT_EQ(journal, (std::vector<std::string>{"1:7", "3:7", "1:8", "3:8"}));
    // Once per attached listener.
    EXPECT_EQ(log.GetLines().size(), 2u);
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
    EXPECT_EQ(EventManager::Instance().GetListenerCount(kPing), 2u);
    Send(2);
    EXPECT_EQ(journal, (std::vector<std::string>{"1:1", "2:1", "2:2", "4:2"}));
}

} // namespace
} // namespace GAME::Test
