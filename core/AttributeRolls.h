#pragma once

#include <cstdint>
#include <vector>

namespace GAME {

class RandomUniform;

// The arithmetic that every attribute kind (character, skill, damage, defense) shares when loot
// is made: whole-unit percentages, jitter and scaling, and per-level record lists. One copy, so
// an item's stores roll and scale alike and every machine gets the same item from the same seed.

// Whole units of `percent` percent of `value`: the single-precision hundredth, multiplied out
// unrounded (10 percent of 100 is 9.9999998, so 9), truncated toward zero and saturated, since
// record values can be anything.
int32_t WholePercentOf(float value, float percent);

// `percent` percent of `value` by the same rule, kept fractional (prices weigh by chances).
float PercentOf(float value, float percent);

// `value` moved by a whole number drawn from ±(percent of it, at least 1). A zero value stays
// and draws nothing; a roll that would leave less than one unit keeps the value, so jitter never
// empties an attribute.
float JitterAttributeValue(float value, float percent, RandomUniform& random);

// `value` plus its whole-unit percentage.
float ScaleAttributeValue(float value, float percent);

// Entry i of a per-level list is level i + 1; level 0 and an empty list read 0, and a level past
// the end reads the last entry.
template <typename T> T GetLevelEntry(const std::vector<T>& list, uint32_t level)
{
    if (level == 0 || list.empty())
        return T{};
    return list[level <= list.size() ? level - 1 : list.size() - 1];
}

} // namespace GAME
