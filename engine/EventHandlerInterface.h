#pragma once

namespace GAME {

class GameEvent;

// A listener registered with the event manager under one event name.
class EventHandlerInterface {
public:
    // Called by the event manager for each event sent under the listener's name.
    virtual void HandleEvent(const GameEvent& event) = 0;
    // Sends an event under the listener's own name to every listener of that name.
    virtual void SendEvent(const GameEvent* event) = 0;
    virtual const char* GetOwnerTypeName() const = 0;
    virtual ~EventHandlerInterface() = default;
};

} // namespace GAME
