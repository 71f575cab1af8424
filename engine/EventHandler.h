#pragma once

#include "engine/Engine.h"
#include "engine/EventHandlerInterface.h"
#include "engine/EventManager.h"
#include "engine/GameEvent.h"

#include <string>
#include <typeinfo>

namespace GAME {

// A listener member of its owner: registers under the event name when built, forwards each
// event to the owner's handler while the back pointer is set, unregisters when destroyed.
template <typename Owner, typename Event> class EventHandler : public EventHandlerInterface {
public:
    using Callback = void (Owner::*)(const Event&);

    EventHandler(const char* eventName, Callback callback, Owner* owner = nullptr)
        : name(eventName != nullptr ? eventName : ""), callback(callback), owner(owner)
    {
        EventManager::Instance().Register(name.c_str(), this);
    }

    ~EventHandler() override { EventManager::Instance().Unregister(name.c_str(), this); }

    EventHandler(const EventHandler&) = delete;
    EventHandler& operator=(const EventHandler&) = delete;

    void SetOwner(Owner* newOwner) { owner = newOwner; }
    Owner* GetOwner() const { return owner; }
    const std::string& GetEventName() const { return name; }

    void HandleEvent(const GameEvent& event) override
    {
        if (owner == nullptr || callback == nullptr)
            return;
        // A record of the wrong kind under this name is the sender's fault; drop it.
        const Event* typed = dynamic_cast<const Event*>(&event);
        if (typed == nullptr) {
            gEngine->Log(Engine::LogRuntime, "Event '%s' carried a record of another kind",
                         name.c_str());
            return;
        }
        (owner->*callback)(*typed);
    }

    void SendEvent(const GameEvent* event) override
    {
        if (event != nullptr)
            EventManager::Instance().Send(name.c_str(), *event);
    }

    const char* GetOwnerTypeName() const override { return typeid(Owner).name(); }

private:
    std::string name;
    Callback callback;
    Owner* owner;
};

} // namespace GAME
