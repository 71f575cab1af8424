#include "combat/ParametersCombat.h"
#include "combat/CombatAttributeDamage.h"
#include "core/RandomUniform.h"

#include <gtest/gtest.h>

#include <memory>

namespace GAME {
namespace {

RandomUniform SeededWith(uint32_t seed)
{
    RandomUniform generator;
    generator.Seed(seed);
    return generator;
}

TEST(ParametersCombatTest, DrawsSevenValuesAdvancesTheCallerBySevenAndSeedsWithTheFirst)
{
    RandomUniform generator = SeededWith(12345);
    ParametersCombat parameters(generator);

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

    EXPECT_EQ(parameters.attributes.GetSeed(), 27326u);
    EXPECT_EQ(parameters.attributes.GetRandomGen().IGenerate(0, 100), 40);
    EXPECT_EQ(parameters.attributes.GetRandomGen().IGenerate(0, 100), 64);
}

TEST(ParametersCombatTest, AssignmentCopiesAndRestartsTheAttributeRollsEvenOntoItself)
{
    RandomUniform shared = SeededWith(12345);
    ParametersCombat source(shared);
    source.auraName = "records/aura.dbr";
    source.attributes.AddDamage(
        std::make_unique<CombatAttributeAbsDamage>(CombatAttributeType_Fire, 5.0f));
    source.attributes.GetRandomGen().IGenerate(0, 100);
    source.attributes.GetRandomGen().IGenerate(0, 100);

    RandomUniform zero = SeededWith(0);
    ParametersCombat copy(zero);
    copy.attributes.AddDamage(
        std::make_unique<CombatAttributeAbsDamage>(CombatAttributeType_Cold, 1.0f));
    copy = source;
    const ParametersCombat& alias = copy;
    copy = alias;

    EXPECT_EQ(copy.auraName, "records/aura.dbr");
    EXPECT_EQ(copy.randoms.r6, 21291u);
    ASSERT_EQ(copy.attributes.GetDamage().size(), 1u);
    EXPECT_EQ(copy.attributes.GetDamage()[0]->GetType(), CombatAttributeType_Fire);
    EXPECT_EQ(copy.attributes.GetSeed(), 27326u);
    // The copy repeats the source's first rolls, not its next one (27).
    EXPECT_EQ(copy.attributes.GetRandomGen().IGenerate(0, 100), 40);
    EXPECT_EQ(source.attributes.GetRandomGen().IGenerate(0, 100), 27);
}

} // namespace
} // namespace GAME
