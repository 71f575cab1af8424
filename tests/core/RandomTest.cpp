#include "core/GradientNoise.h"
#include "core/MathUtils.h"
#include "core/RandomHelpers.h"
#include "core/RandomUniform.h"
#include "engine/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace GAME {
namespace {

constexpr uint32_t InverseOfMultiplier()
{
    // Newton's iteration doubles the correct low bits each round; 16807 is odd, so it converges.
    uint32_t inverse = 16807u;
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - 16807u * inverse;
    return inverse;
}
static_assert(16807u * InverseOfMultiplier() == 1u);

// Every value whose step is `target`: the wrapped product is `target` or `target` plus the modulus.
std::vector<uint32_t> Predecessors(uint32_t target)
{
    std::vector<uint32_t> found;
    for (uint64_t product : {uint64_t{target}, uint64_t{target} + 2147483647u}) {
        if (product > UINT32_MAX)
            continue;
        const uint32_t candidate = static_cast<uint32_t>(product) * InverseOfMultiplier();
        if (RandomUniform::Step(candidate) == target)
            found.push_back(candidate);
    }
    return found;
}

// Seeds so that the next draw uses `target` as its state; fails if no seed leads there.
void SeedSoNextStateIs(RandomUniform& generator, uint32_t target)
{
    for (uint32_t state : Predecessors(target)) {
        for (uint32_t seed : Predecessors(state)) {
            generator.Seed(seed);
            ASSERT_EQ(RandomUniform::Step(generator.GetState()), target);
            return;
        }
    }
    FAIL() << "no seed leads to state " << target;
}

TEST(RandomUniform, StatesFollowTheWrappedStep)
{
    RandomUniform generator;
    EXPECT_EQ(generator.GetState(), 0u); // unseeded is predictable

    generator.Seed(1);
    EXPECT_EQ(generator.GetState(), 16807u);
    for (int i = 0; i < 4; ++i)
        generator.IGenerate(0, 100);
    EXPECT_EQ(generator.GetState(), 1578127215u);
    generator.Seed(2147483647u);
    EXPECT_EQ(generator.GetState(), 2147466841u);

    generator.Seed(0);
    EXPECT_EQ(generator.IGenerate(3, 9), 3);
    EXPECT_EQ(generator.FGenerate(2.0f, 5.0f), 2.0f);
    EXPECT_EQ(generator.GetState(), 0u);
}

TEST(RandomUniform, IGenerateRoundsHalfUp)
{
    RandomUniform generator;
    struct Row {
        uint32_t state;
        int min, max, expected;
    };
    const Row rows[] = {
        // u just under and just over one half (1073741824 is no state two steps can reach).
        {1073741823u, 0, 1, 0},
        {1073741825u, 0, 1, 1},
        // u = 0.05: -3 + 0.1 + 0.5 = -2.4, and the conversion truncates toward zero.
        {107374182u, -3, -1, -2},
        // u = 0.8: -3 + 1.6 + 0.5 = -0.9 truncates to 0, past max; the result is held at max.
        {1717986919u, -3, -1, -1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state);
        ASSERT_NO_FATAL_FAILURE(SeedSoNextStateIs(generator, row.state));
        EXPECT_EQ(generator.IGenerate(row.min, row.max), row.expected);
    }
}

TEST(RandomUniform, FGenerateStaysBelowMax)
{
    RandomUniform generator;
    generator.Seed(3);
    EXPECT_EQ(generator.FGenerate(2.0f, 2.0f), 2.0f);
    // The largest state: the double is below 1 but rounds to 1.0f when narrowed.
    ASSERT_NO_FATAL_FAILURE(SeedSoNextStateIs(generator, 2147483646u));
    EXPECT_EQ(generator.FGenerate(0.0f, 1.0f), std::nextafter(1.0f, 0.0f));
}

// A seed whose first draw is `wanted`; the seeded state moves by 214013 per seed, so one is near.
uint32_t SeedFirstDrawing(int wanted)
{
    for (uint32_t seed = 0; seed < 1000000; ++seed) {
        Platform::SRand(seed);
        if (Platform::Rand() == wanted)
            return seed;
    }
    ADD_FAILURE() << "no seed draws " << wanted;
    return 0;
}

TEST(RandomHelpers, RandomFloatAndIntStayWithinBounds)
{
    Platform::SRand(7);
    EXPECT_EQ(RandomFloat(2.5f, 2.5f), 2.5f);
    // Both ends are reachable and land exactly on the bounds.
    Platform::SRand(SeedFirstDrawing(Platform::kRandMax));
    EXPECT_EQ(RandomFloat(0.0f, 1.0f), 1.0f);
    Platform::SRand(SeedFirstDrawing(0));
    EXPECT_EQ(RandomFloat(0.0f, 1.0f), 0.0f);

    EXPECT_EQ(RandomInt(5, 5), 5);
    for (int i = 0; i < 1000; ++i) {
        const int reversed = RandomInt(9, 3);
        ASSERT_GE(reversed, 3);
        ASSERT_LE(reversed, 9);
    }
    // The range (2^32) only fits in 64 bits.
    for (int i = 0; i < 1000; ++i)
        RandomInt(INT_MIN, INT_MAX);
}

GradientNoise SeededTable(uint32_t seed, int dimensions)
{
    Platform::SRand(seed);
    return GradientNoise(dimensions);
}

// The noise only moves lights and bolts: one table of one seed is pinned.
TEST(GradientNoise, ASeededTableIsPinned)
{
    const GradientNoise line = SeededTable(1, 1);
    // Its draw was exactly 256 (mod 512): a zero gradient has no sign to keep.
    EXPECT_EQ(line.GetGradients()[211].x, 0.0f);
    EXPECT_EQ(line.Sample(0.25f), -0.09375f);
    EXPECT_EQ(line.Sample(-0.5f), 0.5f);
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

TEST(GradientNoise, ZeroOnTheLatticeAQuarterOfTheStepBetweenAndZeroForHugeInputs)
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
    for (float x : {gPositiveInfinity, -gPositiveInfinity, gQuietNaN, 1e30f, -3e38f, 16777216.0f})
        EXPECT_EQ(table.Sample(x), 0.0f) << x;
}

} // namespace
} // namespace GAME
