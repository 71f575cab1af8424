#pragma once

#include "engine/LoadTable.h"

#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

namespace GAME {

// Reads one per-level list of a skill record into `member` of every level's entry; entry i
// serves level i + 1. A designer writes a value once when it does not change, so a list shorter
// than the skill's levels lends its last entry to every level past its end: "skillManaCost = 7"
// costs 7 at every level. An absent key or a value that is not a number reads as 0. The key is
// looked up once and each entry read once, however many levels there are.
template <typename Entry, typename T>
void ReadSkillLevels(const LoadTable& table, const char* key, T Entry::*member,
                     std::vector<Entry>& levels)
{
    static_assert(std::is_same_v<T, float> || std::is_same_v<T, int32_t>);
    if (levels.empty())
        return;
    const LoadTable::Values values = table.GetValues(key);
    T value = T();
    for (size_t position = 0; position < levels.size(); ++position) {
        if (position < values.size()) {
            const std::string_view text = values[position];
            bool parsed = false;
            if constexpr (std::is_same_v<T, float>)
                parsed = LoadTable::ParseFloat(text, value);
            else
                parsed = LoadTable::ParseInt(text, value);
            if (!parsed)
                value = T();
        }
        levels[position].*member = value;
    }
}

} // namespace GAME
