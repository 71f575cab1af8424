#pragma once

#include "engine/Name.h"

#include <cstdint>

namespace GAME {

// A trigger that fired, kept so that loading the game can fire its actions again: the quest's
// handle, the step and trigger within it, and the target the trigger fired at.
struct QuestTriggerEntry {
    Name questName;
    int32_t stepIndex = 0;
    int32_t triggerIndex = 0;
    uint32_t target = 0;

    bool operator==(const QuestTriggerEntry& other) const
    {
        return questName == other.questName && stepIndex == other.stepIndex &&
               triggerIndex == other.triggerIndex && target == other.target;
    }
};

} // namespace GAME
