#pragma once

#include <cstdint>

namespace GAME {

// The seeded generator behind every roll that machines must agree on. Its step wraps the
// product to 32 bits before the remainder, so it is not the textbook minimal-standard
// generator; peers agree only because every one of them wraps the same way.
class RandomUniform {
public:
    RandomUniform() = default;
    virtual ~RandomUniform() = default;
    RandomUniform(const RandomUniform&) = default;
    RandomUniform& operator=(const RandomUniform&) = default;

    virtual void Seed(uint32_t seed);
    // In [min, max]; for a range above zero each end has half the weight of an inner value.
    // The conversion truncates toward zero, so below zero the values shift up by one half.
    virtual int IGenerate(int min, int max);
    // In [min, max).
    virtual float FGenerate(float min, float max);

    uint32_t GetState() const { return state; }

    static uint32_t Step(uint32_t value)
    {
        return static_cast<uint32_t>(value * 16807u) % 2147483647u;
    }

protected:
    // Zero until seeded, so an unseeded generator is predictable rather than undefined.
    uint32_t state = 0;
};

} // namespace GAME
