#pragma once

namespace GAME {

// The base of every event record sent through the event manager. Senders fill a record of the
// event's own kind; listeners receive it by the event's name.
class GameEvent {
public:
    virtual ~GameEvent() = default;
};

} // namespace GAME
