#include "engine/EventManager.h"

#include "engine/EventHandlerInterface.h"

#include <algorithm>

namespace GAME {

EventManager& EventManager::Instance()
{
    static EventManager manager;
    return manager;
}

void EventManager::Register(const char* eventName, EventHandlerInterface* handler)
{
    if (eventName == nullptr || handler == nullptr)
        return;
    listeners[eventName].handlers.push_back(handler);
}

void EventManager::Unregister(const char* eventName, EventHandlerInterface* handler)
{
    if (eventName == nullptr || handler == nullptr)
        return;
    auto found = listeners.find(std::string_view(eventName));
    if (found == listeners.end())
        return;
    Listeners& entry = found->second;
    auto it = std::find(entry.handlers.begin(), entry.handlers.end(), handler);
    if (it == entry.handlers.end())
        return;
    if (entry.sending > 0) {
        *it = nullptr;
        entry.needsCompaction = true;
    } else {
        entry.handlers.erase(it);
    }
}

void EventManager::Send(const char* eventName, const GameEvent& event)
{
    if (eventName == nullptr)
        return;
    auto found = listeners.find(std::string_view(eventName));
    if (found == listeners.end())
        return;
    // Map nodes are stable, so the entry survives listeners registering under other names.
    Listeners& entry = found->second;
    const size_t count = entry.handlers.size();
    ++entry.sending;
    for (size_t i = 0; i < count; ++i) {
        if (EventHandlerInterface* handler = entry.handlers[i])
            handler->HandleEvent(event);
    }
    if (--entry.sending == 0 && entry.needsCompaction) {
        entry.handlers.erase(std::remove(entry.handlers.begin(), entry.handlers.end(), nullptr),
                             entry.handlers.end());
        entry.needsCompaction = false;
    }
}

size_t EventManager::GetListenerCount(const char* eventName) const
{
    if (eventName == nullptr)
        return 0;
    auto found = listeners.find(std::string_view(eventName));
    if (found == listeners.end())
        return 0;
    return std::count_if(found->second.handlers.begin(), found->second.handlers.end(),
                         [](EventHandlerInterface* h) { return h != nullptr; });
}

} // namespace GAME
