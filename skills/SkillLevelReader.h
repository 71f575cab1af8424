#pragma once

#include "engine/LoadTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace GAME {

// Reads one level's entry of a skill record's per-level lists. A designer writes a value once
// when it does not change, so a list shorter than the skill's levels lends its last entry to
// every level past its end: "skillManaCost = 7" costs 7 at every level.
class SkillLevelReader {
public:
    // Position i serves level i + 1.
    SkillLevelReader(const LoadTable& table, uint32_t position) : table(table), position(position)
    {}

    float Float(const char* key) const { return table.GetFloatAt(key, EntryOf(key)); }
    int32_t Int(const char* key) const { return table.GetIntAt(key, EntryOf(key)); }

private:
    size_t EntryOf(const char* key) const
    {
        const size_t count = table.GetValueCount(key);
        return count == 0 ? 0 : std::min<size_t>(position, count - 1);
    }

    const LoadTable& table;
    uint32_t position;
};

} // namespace GAME
