#include "characters/Character.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDefense.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/CombatAttributeMod.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

TEST(CombatAttributeNames, TypeAndRegionNamesNeverReadPastTheirTables)
{
    EXPECT_STREQ(GetCombatAttributeTypeName(CombatAttributeType_ManaBurn),
                 "CombatAttributeType_ManaBurn         ");
    EXPECT_STREQ(GetCombatAttributeTypeName(46), "Unknown");
    EXPECT_STREQ(GetCombatAttributeTypeName(-1), "Unknown");
    EXPECT_STREQ(GetCombatAttributeRegionName(CombatAttributeRegion_Legs), "Legs");
    EXPECT_STREQ(GetCombatAttributeRegionName(static_cast<CombatAttributeRegion>(6)),
                 "Unknown Region");
    EXPECT_STREQ(GetCombatAttributeRegionName(static_cast<CombatAttributeRegion>(-1)),
                 "Unknown Region");
}

TEST(CombatAttributeArmour, GuardsOnlyItsRegionUnlessEitherIsFullyProtected)
{
    CombatAttributeDefense_AbsorptionProtection head(50.0f, 40.0f, CombatAttributeRegion_Head);
    CombatAttributeAbsDamage fire(CombatAttributeType_Fire, 10.0f);
    head.Execute(&fire, CombatAttributeRegion_Head);
    head.Execute(nullptr, CombatAttributeRegion_Head);
    EXPECT_FLOAT_EQ(fire.GetValue(), 10.0f);

    CombatAttributeAbsDamage protection(CombatAttributeType_Protection, 100.0f);
    head.Execute(&protection, CombatAttributeRegion_Legs);
    EXPECT_FLOAT_EQ(protection.GetValue(), 100.0f);
    head.Execute(&protection, CombatAttributeRegion_FullyProtected);
    EXPECT_FLOAT_EQ(protection.GetValue(), 60.0f);
    head.Execute(&protection, CombatAttributeRegion_Head);
    EXPECT_FLOAT_EQ(protection.GetValue(), 36.0f);
}

TEST(CombatAttributeArmour, ProcessStaysNegativeAndModifiesByType)
{
    Character defender;
    CombatAttributeDefense_AbsorptionProtection armour(20.0f, 10.0f, CombatAttributeRegion_Torso);
    armour.ModifyAbsoluteDefense(CombatAttributeType_Absorption, 50.0f);
    armour.ModifyAbsoluteDefense(CombatAttributeType_Protection, 100.0f);
    armour.Process(defender, 0.0f, 30.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(armour.GetAbsorption(), 30.0f);
    EXPECT_FLOAT_EQ(armour.GetProtection(), -10.0f);
    armour.Process(defender, -50.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(armour.GetProtection(), -10.0f) << "modifiers are spent, no negative scale";
}

TEST(CombatAttributeDuration, ModifierReductionAndResistance)
{
    Character attacker;
    CombatAttributeDurDamage poison(CombatAttributeType_Poison, 10.0f, 4.0f);
    CombatAttributeDurDamageMod(CombatAttributeType_Poison, 50.0f, -25.0f)
        .Execute(&poison, CombatAttributeRegion_Torso);
    CombatAttributeDurDamageMod(CombatAttributeType_Fire, 900.0f, 900.0f)
        .Execute(&poison, CombatAttributeRegion_Torso);
    poison.Process(attacker, 200.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(poison.GetValue(), 30.0f);
    EXPECT_FLOAT_EQ(poison.GetDuration(), 3.0f);

    CombatAttributeDurDefense resistance(CombatAttributeType_Poison, 50.0f);
    resistance.Execute(&poison, CombatAttributeRegion_Torso);
    EXPECT_FLOAT_EQ(poison.GetDuration(), 1.5f);
    poison.ReduceDurationDamage(CombatAttributeType_Poison, 0.0f);
    poison.ReduceDurationDamage(CombatAttributeType_Poison, 300.0f);
    EXPECT_FLOAT_EQ(poison.GetDuration(), 0.0f);
}

TEST(CombatAttributeMisc, ReflectTotalHasNoFloorAndNeverMerges)
{
    Character defender;
    CombatAttributeDefenseMisc reflect(CombatAttributeType_Reflect, 20.0f);
    CombatAttributeDefenseMisc other(CombatAttributeType_Reflect, 5.0f);
    EXPECT_FALSE(reflect.MergeDefense(&other));
    reflect.ModifyAbsoluteDefense(CombatAttributeType_Reflect, 50.0f);
    reflect.Process(defender, 0.0f, 0.0f, 50.0f, 40.0f);
    float absolute = 0.0f;
    float overTime = 0.0f;
    reflect.GetTotalDefense(absolute, overTime);
    EXPECT_FLOAT_EQ(absolute, -25.0f);
    EXPECT_FLOAT_EQ(overTime, 0.0f);
}

} // namespace
} // namespace GAME
