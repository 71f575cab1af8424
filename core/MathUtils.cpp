#include "core/MathUtils.h"

#include <cmath>
#include <limits>

namespace GAME {

const float gPositiveInfinity = std::numeric_limits<float>::infinity();
const float gQuietNaN = std::numeric_limits<float>::quiet_NaN();

float Abs(float value)
{
    return std::fabs(value);
}
float Sqrt(float value)
{
    return std::sqrt(value);
}
float Sin(float radians)
{
    return std::sin(radians);
}
float Cos(float radians)
{
    return std::cos(radians);
}
float Tan(float radians)
{
    return std::tan(radians);
}
bool IsFinite(float value)
{
    return std::isfinite(value);
}

} // namespace GAME
