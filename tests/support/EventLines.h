#pragma once

#include "engine/EventHandler.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {

// Every event of the kinds it hears, in the order sent, as one line: the kind's word and the two
// ids the event names ("attach 7 12").
class EventLines {
public:
    template <typename Event>
    void Hear(const char* eventName, const char* word, uint32_t Event::*first,
              uint32_t Event::*second)
    {
        hooks.push_back(std::make_unique<Hook<Event>>(eventName, [=, this](const Event& event) {
            lines.push_back(std::string(word) + " " + std::to_string(event.*first) + " " +
                            std::to_string(event.*second));
        }));
    }

    std::vector<std::string> lines;

private:
    struct AnyHook {
        virtual ~AnyHook() = default;
    };
    template <typename Event> struct Hook : AnyHook {
        Hook(const char* name, std::function<void(const Event&)> tell)
            : tell(std::move(tell)), handler(name, &Hook::On, this)
        {}
        void On(const Event& event) { tell(event); }
        std::function<void(const Event&)> tell;
        EventHandler<Hook, Event> handler;
    };
    std::vector<std::unique_ptr<AnyHook>> hooks;
};

} // namespace GAME::Test
