#pragma once

#include <cstdint>

namespace GAME {

// The address of one quest condition: quest, step, trigger and condition index, packed most
// significant byte first into the condition's own id.
struct ConditionId {
    uint8_t questIndex = 0xFF;
    uint8_t stepIndex = 0xFF;
    uint8_t triggerIndex = 0xFF;
    uint8_t conditionIndex = 0xFF;

    static ConditionId FromWord(uint32_t word)
    {
        return ConditionId{uint8_t(word >> 24), uint8_t(word >> 16), uint8_t(word >> 8),
                           uint8_t(word)};
    }
    uint32_t ToWord() const
    {
        return uint32_t(questIndex) << 24 | uint32_t(stepIndex) << 16 |
               uint32_t(triggerIndex) << 8 | conditionIndex;
    }
    bool operator<(const ConditionId& other) const { return ToWord() < other.ToWord(); }
    bool operator==(const ConditionId& other) const { return ToWord() == other.ToWord(); }
};

} // namespace GAME
