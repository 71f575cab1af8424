#pragma once

#include <cstdint>

namespace GAME {

// What the character attributes rolled onto an item add to its price: one (sum, count) pair per
// kind of attribute, in the order of the item's cost record. Kept apart from that record so the
// attributes need nothing of the item classes; the cost record extends it.
struct CharAttributeCostSums {
    float primaryAtt = 0.0f;
    int32_t primaryAttCount = 0;
    float secondaryAtt = 0.0f;
    int32_t secondaryAttCount = 0;
    float bonus = 0.0f;
    int32_t bonusCount = 0;
    float primaryMod = 0.0f;
    int32_t primaryModCount = 0;
    float secondaryMod = 0.0f;
    int32_t secondaryModCount = 0;
    float bonusMod = 0.0f;
    int32_t bonusModCount = 0;
    float attackSpeed = 0.0f;
    int32_t attackSpeedCount = 0;
    float otherSpeed = 0.0f;
    int32_t otherSpeedCount = 0;
    float attackSpeedMod = 0.0f;
    int32_t attackSpeedModCount = 0;
    float otherSpeedMod = 0.0f;
    int32_t otherSpeedModCount = 0;
};

} // namespace GAME
