#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

RandomUniform SeededWith(uint32_t seed)
{
    RandomUniform generator;
    generator.Seed(seed);
    return generator;
}

TEST(ParametersCombatTest, DrawsSevenValuesInOrderAndAdvancesTheCallerBySeven)
{
    RandomUniform generator = SeededWith(12345);
    const ParametersCombat parameters(generator);

    const AttackRandoms& r = parameters.randoms;
    EXPECT_EQ(r.minimum, 0u);
    EXPECT_EQ(r.maximum, 32765u);
    const uint32_t drawn[] = {r.r0, r.r1, r.r2, r.r3, r.r4, r.r5, r.r6};
    const uint32_t expected[] = {27326, 30635, 18738, 21726, 16265, 14079, 21291};
    for (size_t i = 0; i < 7; ++i)
        EXPECT_EQ(drawn[i], expected[i]) << "r" << i;

    RandomUniform reference = SeededWith(12345);
    for (int i = 0; i < 7; ++i)
        reference.IGenerate(0, 32765);
    EXPECT_EQ(generator.GetState(), reference.GetState());
    EXPECT_EQ(generator.GetState(), 1395453353u);
}

TEST(ParametersCombatTest, StartsFromDefaultsWithTheAccumulatorSeededByTheFirstDraw)
{
    RandomUniform generator = SeededWith(12345);
    ParametersCombat parameters(generator);

    EXPECT_EQ(parameters.attackerId, 0u);
    EXPECT_EQ(parameters.style, 0);
    EXPECT_EQ(parameters.unusedWord, 0u);
    EXPECT_TRUE(parameters.auraName.empty());
    EXPECT_EQ(parameters.ragDoll.kind, 2);
    EXPECT_EQ(parameters.ragDoll.values[3], 1.0f);
    EXPECT_EQ(parameters.attributes.GetSeed(), 27326u);
    RandomUniform& rolls = parameters.attributes.GetRandomGen();
    EXPECT_EQ(rolls.IGenerate(0, 100), 40);
    EXPECT_EQ(rolls.IGenerate(0, 100), 64);
}

TEST(ParametersCombatTest, AssignmentCopiesFieldsAndRestartsTheAttributeRolls)
{
    RandomUniform shared = SeededWith(12345);
    ParametersCombat source(shared);
    source.attackerId = 9;
    source.style = ParametersCombatStyle_Projectile;
    source.auraName = "records/aura.dbr";
    source.skillManaCost = 12.5f;
    source.attributes.GetRandomGen().IGenerate(0, 100);
    source.attributes.GetRandomGen().IGenerate(0, 100);

    RandomUniform zero = SeededWith(0);
    ParametersCombat copy(zero);
    copy = source;

    EXPECT_EQ(copy.attackerId, 9u);
    EXPECT_EQ(copy.style, ParametersCombatStyle_Projectile);
    EXPECT_EQ(copy.auraName, "records/aura.dbr");
    EXPECT_EQ(copy.skillManaCost, 12.5f);
    EXPECT_EQ(copy.randoms.r6, 21291u);
    EXPECT_EQ(copy.attributes.GetSeed(), 27326u);
    // The copy repeats the source's first rolls, not its next one (27).
    EXPECT_EQ(copy.attributes.GetRandomGen().IGenerate(0, 100), 40);
    EXPECT_EQ(source.attributes.GetRandomGen().IGenerate(0, 100), 27);
}

} // namespace
} // namespace GAME
