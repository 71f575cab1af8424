#pragma once

#include <cstdint>

namespace GAME {

// What the damage attributes rolled onto an item add to its price. The stores' attributes add
// their level-1 worth into it; the item's cost equation reads the fields.
struct CostInfo_DamageAttributes {
    CostInfo_DamageAttributes() = default;
    virtual ~CostInfo_DamageAttributes() = default;
    CostInfo_DamageAttributes(const CostInfo_DamageAttributes&) = default;
    CostInfo_DamageAttributes& operator=(const CostInfo_DamageAttributes&) = default;

    void Reset();
    int32_t GetTotalCount() const { return count; }
    // Writes the non-zero figures to the log for designers tuning the cost equations.
    virtual void Dump() const;

    float avgBase = 0.0f;
    float avgPierceRatio = 0.0f;
    float avgBonus = 0.0f;
    float avgOverTime = 0.0f;
    float mod = 0.0f;
    float modDur = 0.0f;
    int32_t count = 0;

protected:
    // The figure lines under a heading; retaliation has no base damage and leaves that line out.
    void DumpFields(const char* heading, bool withBase) const;
};

} // namespace GAME
