#include "core/RandomUniform.h"

#include <cmath>

namespace GAME {

namespace {
// The double nearest 1 / 2147483647.
constexpr double kUnit = 4.656612875245797e-10;
} // namespace

void RandomUniform::Seed(uint32_t seed)
{
    state = Step(seed);
}

int RandomUniform::IGenerate(int min, int max)
{
    state = Step(state);
    const double u = static_cast<double>(state) * kUnit;
    const int value = static_cast<int>(
        static_cast<double>(min) + (static_cast<double>(max) - static_cast<double>(min)) * u + 0.5);
    // Truncation toward zero can step past max when the range ends below zero (-3..-1 gives 0
    // at high u); every in-range result is left exactly as peers compute it.
    if (min <= max && value > max)
        return max;
    return value;
}

float RandomUniform::FGenerate(float min, float max)
{
    state = Step(state);
    const double u = static_cast<double>(state) * kUnit;
    const float value = static_cast<float>(
        (static_cast<double>(max) - static_cast<double>(min)) * u + static_cast<double>(min));
    // The sum stays below max in double; narrowing to float can round the last few states up
    // onto max, which callers treat as out of range.
    if (max > min && value >= max)
        return std::nextafter(max, min);
    return value;
}

} // namespace GAME
