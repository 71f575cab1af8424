#pragma once

#include "core/StringHelpers.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace GAME {

class EventHandlerInterface;
class GameEvent;

// Delivers game events by name, synchronously, to the listeners registered under that name in
// the order they registered. A listener may register or unregister listeners (itself included)
// while an event is being delivered: one removed is not called again, one added hears only
// later events.
class EventManager {
public:
    static EventManager& Instance();

    void Register(const char* eventName, EventHandlerInterface* handler);
    void Unregister(const char* eventName, EventHandlerInterface* handler);
    void Send(const char* eventName, const GameEvent& event);

    size_t GetListenerCount(const char* eventName) const;

private:
    struct Listeners {
        std::vector<EventHandlerInterface*> handlers; // null marks one removed mid-send
        int sending = 0;
        bool needsCompaction = false;
    };
    std::unordered_map<std::string, Listeners, StringViewHash, std::equal_to<>> listeners;
};

} // namespace GAME
