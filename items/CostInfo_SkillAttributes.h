#pragma once

#include <cstdint>

namespace GAME {

// What the skill attributes rolled onto an item add to its price: the item's own values, the
// affixes' values and how many affixes gave one, and the summed modifiers.
class CostInfo_SkillAttributes {
public:
    void Reset();
    int32_t GetTotalCount() const { return bonusCount; }
    // For designers tuning the cost equations: the non-zero fields at information level.
    void Dump() const;

    float base = 0.0f;
    float bonus = 0.0f;
    float modifier = 0.0f;
    int32_t bonusCount = 0;
};

} // namespace GAME
