#pragma once

#include "combat/CombatAttributeAccumulator.h"
#include "tests/support/ScriptedRandom.h"

namespace GAME::Test {

// An attack whose every chance and value draw comes from a script.
class ScriptedAccumulator : public CombatAttributeAccumulator {
public:
    ScriptedRandom random;
    RandomUniform& GetRandomGen() override { return random; }
};

} // namespace GAME::Test
