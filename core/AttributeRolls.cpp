#include "core/AttributeRolls.h"

#include "core/Helpers.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"

#include <climits>
#include <cmath>

namespace GAME {

namespace {
constexpr double kPercent = static_cast<double>(0.01f);
} // namespace

int32_t WholePercentOf(float value, float percent)
{
    return SaturateToInt(static_cast<double>(value) * static_cast<double>(percent) * kPercent);
}

float PercentOf(float value, float percent)
{
    return static_cast<float>(static_cast<double>(value) * static_cast<double>(percent) * kPercent);
}

float JitterAttributeValue(float value, float percent, RandomUniform& random)
{
    if (value == 0.0f)
        return value;
    int32_t range = WholePercentOf(value, percent);
    if (range == 0)
        range = 1;
    // A saturated range must still negate.
    range = Max(range, -INT32_MAX);
    const float result = value + static_cast<float>(random.IGenerate(-range, range));
    return std::fabs(result) < 1.0f ? value : result;
}

float ScaleAttributeValue(float value, float percent)
{
    return value + static_cast<float>(WholePercentOf(value, percent));
}

} // namespace GAME
