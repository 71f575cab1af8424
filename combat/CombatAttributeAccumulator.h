#pragma once

#include "core/RandomUniform.h"

#include <cstdint>

namespace GAME {

// The combat attributes of one attack. For now the type that the attribute stores hand their
// attributes to, and the attack's seeded generator; the attribute lists, the hit region and the
// steps that act on the defender arrive with the combat attributes themselves.
class CombatAttributeAccumulator {
public:
    CombatAttributeAccumulator() = default;
    virtual ~CombatAttributeAccumulator() = default;
    CombatAttributeAccumulator(const CombatAttributeAccumulator&) = delete;

    // A copy restarts the source's sequence from its seed rather than continuing it, so every
    // machine's copy of a hit rolls the same values whenever it was taken.
    CombatAttributeAccumulator& operator=(const CombatAttributeAccumulator& other)
    {
        if (this != &other)
            SetSeed(other.seed);
        return *this;
    }

    void SetSeed(uint32_t value)
    {
        seed = value;
        generator.Seed(value);
    }
    uint32_t GetSeed() const { return seed; }
    virtual RandomUniform& GetRandomGen() { return generator; }

private:
    RandomUniform generator;
    uint32_t seed = 0;
};

} // namespace GAME
