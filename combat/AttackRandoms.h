#pragma once

#include <cstdint>

namespace GAME {

class RandomUniform;

// The seven numbers drawn for one hit on one target. Every machine draws them from the same
// shared seed, so each later roll of the hit comes out alike everywhere.
class AttackRandoms {
public:
    static constexpr uint32_t kDefaultMinimum = 0;
    static constexpr uint32_t kDefaultMaximum = 32765;

    AttackRandoms() = default;
    AttackRandoms(uint32_t minimumValue, uint32_t maximumValue)
        : minimum(minimumValue), maximum(maximumValue)
    {}
    virtual ~AttackRandoms() = default;
    AttackRandoms(const AttackRandoms&) = default;
    AttackRandoms& operator=(const AttackRandoms&) = default;

    // Always all seven, even those nobody reads, so the caller's generator moves by exactly
    // seven per target and later targets see the same values on every machine.
    void Fill(RandomUniform& generator);

    uint32_t minimum = kDefaultMinimum;
    uint32_t maximum = kDefaultMaximum;
    uint32_t r0 = 0; // the accumulator's generator
    uint32_t r1 = 0;
    uint32_t r2 = 0; // the defender's avoidance and block rolls
    uint32_t r3 = 0; // the retaliation record built from this hit
    uint32_t r4 = 0;
    uint32_t r5 = 0;
    uint32_t r6 = 0;
};

} // namespace GAME
