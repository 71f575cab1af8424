#pragma once

#include "core/GameEvents.h"
#include "engine/EventManager.h"

#include <cstdint>
#include <string>

namespace GAME::Test {

// Sends the event an object of that record sends when it appears.
template <class Event> void AnnounceAs(const char* type, const std::string& name, uint32_t id)
{
    Event event;
    event.objectName = name;
    event.objectId = id;
    EventManager::Instance().Send(type, event);
}

inline void Announce(const std::string& name, uint32_t id)
{
    AnnounceAs<GameEvent_CreatureInitialUpdate>("GameEvent_CreatureInitialUpdate", name, id);
}

inline void AnnounceFixedItem(const std::string& name, uint32_t id)
{
    AnnounceAs<GameEvent_FixedItemSpawn>("GameEvent_FixedItemSpawn", name, id);
}

inline void AnnounceEntity(const std::string& name, uint32_t id)
{
    AnnounceAs<GameEvent_GenericEntity>("GameEvent_GenericEntityInitialUpdate", name, id);
}

} // namespace GAME::Test
