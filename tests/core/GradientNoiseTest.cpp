#include "core/GradientNoise.h"

#include "core/MathUtils.h"
#include "engine/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace GAME {
namespace {

GradientNoise SeededTable(uint32_t seed, int dimensions)
{
    Platform::SRand(seed);
    return GradientNoise(dimensions);
}

TEST(GradientNoise, SeededTablesArePinned)
{
    const GradientNoise line = SeededTable(1, 1);
    const int permutation[] = {0, 218, 160, 222, 43, 220, 252, 116};
    const float gradients[] = {-1.0f, -1.0f, -1.0f, 1.0f, -1.0f, 1.0f, -1.0f, -1.0f};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(line.GetPermutation()[i], permutation[i]) << i;
        EXPECT_EQ(line.GetGradients()[i].x, gradients[i]) << i;
    }
    // Its draw was exactly 256 (mod 512): a zero gradient has no sign to keep.
    EXPECT_EQ(line.GetGradients()[211].x, 0.0f);
    EXPECT_EQ(line.Sample(0.25f), -0.09375f);
    EXPECT_EQ(line.Sample(-0.5f), 0.5f);
    EXPECT_FLOAT_EQ(line.Sample(17.3f), 0.38639918f);
    EXPECT_FLOAT_EQ(line.Sample(-3.6f), 0.47040004f);

    const GradientNoise plane = SeededTable(1, 2);
    EXPECT_EQ(plane.GetPermutation()[0], 185);
    EXPECT_FLOAT_EQ(plane.GetGradients()[0].x, -0.6973099f);
    EXPECT_FLOAT_EQ(plane.GetGradients()[0].y, -0.7167697f);
}

// Tables are built from the shared generator, so every peer must draw exactly as many values.
TEST(GradientNoise, TablesAreExtendedPermutationsOfUnitGradients)
{
    for (auto [dimensions, draws] : {std::pair{1, 256 + 255}, std::pair{2, 512 + 255}}) {
        SCOPED_TRACE(dimensions);
        Platform::SRand(5);
        for (int i = 0; i < draws; ++i)
            Platform::Rand();
        const int next = Platform::Rand();
        const GradientNoise table = SeededTable(5, dimensions);
        EXPECT_EQ(Platform::Rand(), next); // one draw per component, then one per swap

        const auto& permutation = table.GetPermutation();
        const auto& gradients = table.GetGradients();
        std::vector<int> sorted(permutation.begin(), permutation.begin() + GradientNoise::kSize);
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < GradientNoise::kSize; ++i)
            EXPECT_EQ(sorted[i], i);
        for (int i = 0; i < GradientNoise::kSize + 2; ++i) {
            EXPECT_EQ(permutation[GradientNoise::kSize + i], permutation[i]);
            EXPECT_EQ(gradients[GradientNoise::kSize + i], gradients[i]);
        }
        for (const Vec2& g : gradients) {
            const float length = Sqrt(g.x * g.x + g.y * g.y);
            EXPECT_TRUE(length == 0.0f || Abs(length - 1.0f) < 1e-6f) << length;
        }
    }
}

TEST(GradientNoise, ZeroOnTheLatticeAndAQuarterOfTheStepBetween)
{
    const GradientNoise table = SeededTable(1, 1);
    const auto gradient = [&](int cell) {
        return table.GetGradients()[table.GetPermutation()[cell & 255]].x;
    };
    std::vector<int> cells = {-8388608, 8388606}; // the largest with a half in a float
    for (int k = -700; k < 700; ++k)
        cells.push_back(k);
    for (int k : cells) {
        const float x = static_cast<float>(k);
        EXPECT_EQ(table.Sample(x), 0.0f) << k;
        // At f = 0.5 the smoothing weight is 0.5 too, leaving a quarter of the difference.
        EXPECT_EQ(table.Sample(x + 0.5f), 0.25f * (gradient(k) - gradient(k + 1))) << k;
    }
    for (float x : {3.25f, 0.5f, 255.75f})
        EXPECT_EQ(table.Sample(x - 256.0f), table.Sample(x)) << x;
}

TEST(GradientNoise, NonFiniteAndHugeInputsGiveZero)
{
    const GradientNoise table = SeededTable(1, 1);
    for (float x : {gPositiveInfinity, -gPositiveInfinity, gQuietNaN, 1e30f, -3e38f, 16777216.0f})
        EXPECT_EQ(table.Sample(x), 0.0f) << x;
}

} // namespace
} // namespace GAME
