#pragma once

#include "characters/CharAttributeCostSums.h"

#include <cstdint>

namespace GAME {

// The character attributes' share of an item's price, as the item keeps it between rolls.
class CostInfo_CharacterAttributes : public CharAttributeCostSums {
public:
    void Reset() { *this = CostInfo_CharacterAttributes(); }
    int32_t GetTotalCount() const;
    // A pair is logged unless both its value and its count are zero.
    void Dump() const;
};

// How many skill levels an item's augments give and how many augments give them.
class CostInfo_AugmentAttributes {
public:
    void Reset() { *this = CostInfo_AugmentAttributes(); }
    int32_t GetTotalCount() const { return augmentCount; }
    void Dump() const;

    int32_t augmentLevel = 0;
    int32_t augmentCount = 0;
};

// A shield's block values as its record gives them, before any affix raises them.
class CostInfo_ShieldAttributes {
public:
    void Reset() { *this = CostInfo_ShieldAttributes(); }
    void Dump() const;

    float blockChance = 0.0f;
    float blockDefense = 0.0f;
    float blockAbsorption = 0.0f;
    float blockRecoveryTime = 0.0f;
};

} // namespace GAME
