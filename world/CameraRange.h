#pragma once

namespace GAME {

// One smoothly controlled camera quantity: a fraction that runs towards its target fraction, and
// the two values that fractions 0 and 1 stand for.
class CameraRange {
public:
    CameraRange() = default;
    // Starts at rest on `startValue`.
    CameraRange(float startValue, float value0, float value1);

    float GetValue() const { return ValueAt(current); }
    float GetFraction(float value) const;
    float GetCurrentFraction() const { return current; }
    float GetTargetFraction() const { return target; }
    void SetCurrentFraction(float fraction) { current = fraction; }
    void SetTargetFraction(float fraction) { target = fraction; }

    float GetValue0() const { return value0; }
    float GetValue1() const { return value1; }
    // The controlled value stays where it was; only its fraction changes.
    void SetValues(float newValue0, float newValue1);

    // Moves the current fraction towards the target by the rate times `factor` (taken in [0, 1])
    // of the remaining difference, never past it; a difference within the threshold snaps.
    // True when the fraction changed.
    bool Step(float factor);

private:
    float ValueAt(float fraction) const { return value0 + (value1 - value0) * fraction; }

    float current = 0.0f;
    float target = 0.0f;
    float rate = 0.5f;
    float threshold = 0.001f;
    float value0 = 0.0f;
    float value1 = 0.0f;
};

} // namespace GAME
