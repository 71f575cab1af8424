#pragma once

#include "engine/EventHandler.h"

#include <vector>

namespace GAME::Test {

// Keeps every event of one name sent while it lives.
template <typename Event> struct Heard {
    explicit Heard(const char* name) : handler(name, &Heard::On, this) {}
    void On(const Event& event) { events.push_back(event); }
    std::vector<Event> events;
    EventHandler<Heard, Event> handler;
};

} // namespace GAME::Test
