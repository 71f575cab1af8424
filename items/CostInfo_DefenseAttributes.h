#pragma once

#include <cstdint>

namespace GAME {

// What the defense attributes rolled onto an item add to its price: one sum per kind of
// defense and how many attributes gave one.
class CostInfo_DefenseAttributes {
public:
    void Reset();
    int32_t GetTotalCount() const { return count; }
    // For designers tuning the cost equations: the non-zero fields at information level.
    void Dump() const;

    float armor = 0.0f;
    float base = 0.0f;
    float baseDuration = 0.0f;
    float mod = 0.0f;
    float modDuration = 0.0f;
    int32_t count = 0;
};

} // namespace GAME
