#pragma once

#include "characters/CharAttributeType.h"
#include "core/AttributeTotals.h"

namespace GAME {

// The sum of every source's attributes: flat values and percentage modifiers per type. Plain
// arrays, so a character's totals can be rebuilt every update without allocating.
class CharAttributeAccumulator {
public:
    void AddValue(CharAttributeType type, float value);
    void AddModifier(CharAttributeType type, float modifier);
    // The flat value raised by its modifier, a percentage of the value's magnitude; uncapped.
    // Inline, as designer formulas read a character's totals at every evaluation.
    float GetValue(CharAttributeType type) const { return totals.GetValue(type); }
    float GetModifier(CharAttributeType type) const;
    void Clear();

private:
    AttributeTotals<kCharAttributeTypeCount> totals;
};

} // namespace GAME
