#include "core/RandomUniform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
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
    for (uint32_t expected : {282475249u, 1622647863u, 947787490u, 1578127215u}) {
        generator.IGenerate(0, 100);
        EXPECT_EQ(generator.GetState(), expected);
    }
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
    generator.Seed(7);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(generator.IGenerate(0, 0), 0);

    // u just under and just over one half (1073741824 is no state two steps can reach).
    ASSERT_NO_FATAL_FAILURE(SeedSoNextStateIs(generator, 1073741823u));
    EXPECT_EQ(generator.IGenerate(0, 1), 0);
    ASSERT_NO_FATAL_FAILURE(SeedSoNextStateIs(generator, 1073741825u));
    EXPECT_EQ(generator.IGenerate(0, 1), 1);

    // u = 0.05: -3 + 0.1 + 0.5 = -2.4, and the conversion truncates toward zero.
    ASSERT_NO_FATAL_FAILURE(SeedSoNextStateIs(generator, 107374182u));
    EXPECT_EQ(generator.IGenerate(-3, -1), -2);

    // u = 0.8: -3 + 1.6 + 0.5 = -0.9 truncates to 0, past max; the result is held at max.
    ASSERT_NO_FATAL_FAILURE(SeedSoNextStateIs(generator, 1717986919u));
    EXPECT_EQ(generator.IGenerate(-3, -1), -1);
}

TEST(RandomUniform, FGenerateStaysBelowMax)
{
    RandomUniform generator;
    generator.Seed(3);
    EXPECT_EQ(generator.FGenerate(2.0f, 2.0f), 2.0f);
    for (int i = 0; i < 100000; ++i) {
        const float value = generator.FGenerate(0.0f, 1.0f);
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
    }
    // The largest state: the double is below 1 but rounds to 1.0f when narrowed.
    ASSERT_NO_FATAL_FAILURE(SeedSoNextStateIs(generator, 2147483646u));
    EXPECT_EQ(generator.FGenerate(0.0f, 1.0f), std::nextafter(1.0f, 0.0f));
}

} // namespace
} // namespace GAME
