#include "world/CameraRange.h"

#include "core/Helpers.h"
#include "core/MathUtils.h"

namespace GAME {

CameraRange::CameraRange(float startValue, float value0, float value1)
    : value0(value0), value1(value1)
{
    current = target = GetFraction(startValue);
}

float CameraRange::GetFraction(float value) const
{
    if (value0 != value1)
        return (value - value0) / (value1 - value0);
    // A settings record without camera limits leaves both ends at 0; every fraction then gives
    // the same value, so 0 serves and no NaN reaches the camera.
    if (value0 == 0.0f)
        return 0.0f;
    return value / value0;
}

void CameraRange::SetValues(float newValue0, float newValue1)
{
    const float value = GetValue();
    value0 = newValue0;
    value1 = newValue1;
    current = GetFraction(value);
}

bool CameraRange::Step(float factor)
{
    const float difference = target - current;
    if (Abs(difference) > threshold) {
        const float step = difference * rate * Clamp(factor, 0.0f, 1.0f);
        current += difference <= 0.0f ? Max(step, difference) : Min(step, difference);
        return true;
    }
    if (difference != 0.0f) {
        current = target;
        return true;
    }
    return false;
}

} // namespace GAME
