#include "ai/SlotManager.h"

#include "characters/Character.h"
#include "engine/Engine.h"

#include <algorithm>

namespace GAME {

SlotManager::SlotManager(Character* owner) : owner(owner) {}

void SlotManager::SetNumSlots(uint32_t count)
{
    if (count > kMaxSlots) {
        gEngine->Log(Engine::LogData, "SlotManager: %u slots asked for %s, keeping %u", count,
                     owner != nullptr ? owner->GetObjectName().c_str() : "(no owner)", kMaxSlots);
        count = kMaxSlots;
    }
    occupants.assign(count, 0);
    positions.assign(count, WorldVec3());
    radius = 0.0f;
}

void SlotManager::ReleaseSlot(uint32_t id)
{
    const auto held = std::find(occupants.begin(), occupants.end(), id);
    if (held != occupants.end())
        *held = 0;
}

uint32_t SlotManager::GetSlotHolder(uint32_t index) const
{
    return index < occupants.size() ? occupants[index] : 0;
}

} // namespace GAME
