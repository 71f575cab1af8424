#pragma once

#include <cmath>
#include <cstdint>

namespace GAME {

// Flat values and percentage modifiers per attribute type, summed from every source. The
// character and skill accumulators both total this way; a type past the table (from a record or
// a command) is ignored rather than written or read past it.
template <uint32_t Count> class AttributeTotals {
public:
    void AddValue(uint32_t type, float value)
    {
        if (type < Count)
            values[type] += value;
    }
    void AddModifier(uint32_t type, float modifier)
    {
        if (type < Count)
            modifiers[type] += modifier;
    }
    // The flat value raised by its modifier, a percentage of the value's magnitude; uncapped.
    float GetValue(uint32_t type) const
    {
        if (type >= Count)
            return 0.0f;
        return values[type] + std::fabs(values[type]) * modifiers[type] * 0.01f;
    }
    float GetModifier(uint32_t type) const { return type < Count ? modifiers[type] : 0.0f; }
    void Clear() { *this = AttributeTotals(); }

private:
    float values[Count] = {};
    float modifiers[Count] = {};
};

} // namespace GAME
