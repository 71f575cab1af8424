#pragma once

#include "combat/CombatAttributeAccumulator.h"

namespace GAME::Test {

// An attack that counts its chance rolls, passes or fails them on request and weighs every
// value by a fixed multiplier.
class RiggedAccumulator : public CombatAttributeAccumulator {
public:
    int rolls = 0;
    bool pass = true;
    float multiplier = 1.0f;

    bool EvaluateChance(float /*chance*/) override
    {
        ++rolls;
        return pass;
    }
    float GetChanceMultiplier(float /*value*/) override { return multiplier; }
};

} // namespace GAME::Test
