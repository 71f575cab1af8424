#include "core/GradientNoise.h"

#include "core/MathUtils.h"
#include "engine/Platform.h"

#include <cmath>
#include <utility>

namespace GAME {

namespace {

float RandomGradientComponent()
{
    return static_cast<float>(Platform::Rand() % 512 - 256) / 256.0f;
}

// Definition order is build order: the 1-D table takes the first draws at load.
const GradientNoise gNoise1D(1);
const GradientNoise gNoise2D(2);

} // namespace

GradientNoise::GradientNoise(int dimensions) : dimensions(dimensions == 2 ? 2 : 1)
{
    Build();
}

void GradientNoise::Build()
{
    for (int i = 0; i < kSize; ++i) {
        permutation[i] = static_cast<uint8_t>(i);
        Vec2& gradient = gradients[i];
        gradient.x = RandomGradientComponent();
        if (dimensions == 2)
            gradient.y = RandomGradientComponent();
        const float length = dimensions == 2
                                 ? Sqrt(gradient.x * gradient.x + gradient.y * gradient.y)
                                 : Abs(gradient.x);
        if (length > 0.0f)
            gradient = Vec2(gradient.x / length, gradient.y / length);
    }
    for (int i = kSize - 1; i > 0; --i)
        std::swap(permutation[i], permutation[Platform::Rand() % kSize]);
    for (int i = 0; i < kSize + 2; ++i) {
        permutation[kSize + i] = permutation[i];
        gradients[kSize + i] = gradients[i];
    }
}

float GradientNoise::Sample(float x) const
{
    // Every float of this size or more is a whole number, a lattice point where the noise is 0;
    // bailing out here also keeps infinities, NaNs and huge values away from the index.
    constexpr float kAllWhole = 16777216.0f;
    if (!(Abs(x) < kAllWhole))
        return 0.0f;
    const float floorX = std::floor(x);
    // Masking is the true remainder, also below zero, so negative x stays inside the table.
    const int i = static_cast<int>(floorX) & (kSize - 1);
    const float f = x - floorX;
    const float s = f * f * (3.0f - 2.0f * f);
    const float left = gradients[permutation[i]].x * f;
    const float right = gradients[permutation[i + 1]].x * (f - 1.0f);
    return left + s * (right - left);
}

const GradientNoise& GetNoiseTable1D()
{
    return gNoise1D;
}
const GradientNoise& GetNoiseTable2D()
{
    return gNoise2D;
}

float Noise1D(float x)
{
    return gNoise1D.Sample(x);
}

} // namespace GAME
