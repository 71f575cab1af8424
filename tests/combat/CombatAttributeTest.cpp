#include "combat/CombatAttributeAccumulator.h"
#include "combat/ParametersCombat.h"

#include "characters/Character.h"
#include "combat/CombatAttributeAbsDamage_Disruption.h"
#include "combat/CombatAttributeAbsDamage_LifeLeech.h"
#include "combat/CombatAttributeAbsDamage_ManaBurn.h"
#include "combat/CombatAttributeAbsDamage_PercentLife.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatAttributeDamage_BonusPhysical.h"
#include "combat/CombatAttributeDefense.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/CombatAttributeInfluenceDamage.h"
#include "combat/CombatAttributeMod.h"
#include "combat/CombatFilter.h"
#include "combat/CombatManager.h"
#include "combat/DurationDamageManager.h"
#include "combat/DurationDamageReplication.h"
#include "combat/DurationDamageTrack.h"
#include "core/PlayStatsDamageType.h"
#include "core/RandomUniform.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "tests/support/BareCarrier.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/MadeObjects.h"
#include "tests/support/Records.h"
#include "tests/support/SeededRandom.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace GAME {
namespace {

TEST(CombatAttributeNames, TypeAndRegionNamesNeverReadPastTheirTables)
{
    EXPECT_STREQ(GetCombatAttributeTypeName(46), "Unknown");
    EXPECT_STREQ(GetCombatAttributeTypeName(-1), "Unknown");
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
}

// A defender that records what combat asks of it, with a cap on its resistances.
class RecordingDefender : public Character {
public:
    float cap = 0.0f;
    std::vector<std::string> calls;

    float GetDefenseAttributeCap() const override { return cap; }
    void CombatAddCooldownDamage(int32_t ms) override { Record("cooldown", ms); }
    void CombatExertInfluenceTaunt(float amount) override { Record("taunt", amount); }
    void CombatExertInfluenceFear(int32_t ms) override { Record("fear", ms); }
    void CombatExertInfluenceConfusion(int32_t ms) override { Record("confusion", ms); }
    void JoinMe(uint32_t casterId, int32_t ms, bool converted) override
    {
        Record("join " + std::to_string(casterId) + (converted ? " converted" : ""), ms);
    }

private:
    void Record(const std::string& what, double amount)
    {
        calls.push_back(what + " " + std::to_string(amount));
    }
};

// Loaded from its record, with its pools as full as its first update leaves them.
void Ready(Character& character, const std::string& record)
{
    character.Load(GAME::Test::Record(record));
    character.GetCharacterBio().Update(character, 0);
}

// Spent mana drains from the pool at the bio's next update; without a rate, all of it.
void Drain(Character& character)
{
    character.GetCharacterBio().Update(character, 1);
}

// The absolute and over-time totals of anything that sums its damage.
template <typename T> std::pair<float, float> Totals(T&& held)
{
    std::pair<float, float> totals{0.0f, 0.0f};
    held.GetTotalDamage(totals.first, totals.second);
    return totals;
}

// Damage taken is registered with the hub, and characters load with it, so the suites that deal
// damage or load characters run with one.
using WithGame = GAME::Test::CombatGameFixture;
using GAME::Test::Seeded;
using CombatAttributeBasePhysical = WithGame;
using CombatAttributeManaBurn = WithGame;
using CombatAttributeKinds = WithGame;
using CombatAttributeConvert = WithGame;

TEST_F(CombatAttributeBasePhysical, PierceSplitsOffAndRatioClampsAtHundred)
{
    Character attacker;
    CombatAttributeDamage_BasePhysical weapon(CombatAttributeType_Physical, 100.0f, 30.0f, true);
    EXPECT_EQ(weapon.GetType(), CombatAttributeType_PhysicalPierce);
    weapon.Process(attacker, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(weapon.GetPhysical(), 70.0f);
    EXPECT_FLOAT_EQ(weapon.GetPierce(), 30.0f);

    CombatAttributeDamage_BasePhysical piercing(CombatAttributeType_Physical, 100.0f, 80.0f, false);
    piercing.ModifyAbsoluteDamage(CombatAttributeType_PierceRatio, 50.0f); // 120 -> 100
    piercing.Process(attacker, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(piercing.GetPhysical(), 0.0f);
    EXPECT_FLOAT_EQ(piercing.GetPierce(), 100.0f);
}

TEST_F(CombatAttributeBasePhysical, ModifiersScaleFlatAndReductionsInOrder)
{
    Character attacker;
    CombatAttributeDamage_BasePhysical weapon(CombatAttributeType_Physical, 100.0f, 50.0f, false);
    weapon.ModifyAbsoluteDamage(CombatAttributeType_Physical, 20.0f); // 120
    weapon.ModifyAbsoluteDamage(CombatAttributeType_Pierce, 50.0f);   // pierce 60 -> 90
    weapon.ModifyAbsoluteDamage(CombatAttributeType_Fire, 1000.0f);
    // 60 and 90, scaled by 50 % to 30 and 45, minus flat 5, minus 10 % and 2.
    weapon.Process(attacker, 50.0f, 5.0f, 10.0f, 2.0f);
    EXPECT_FLOAT_EQ(weapon.GetPhysical(), 25.0f - 2.5f - 2.0f);
    EXPECT_FLOAT_EQ(Totals(weapon).first, 20.5f + 34.0f);

    // Reductions by part; armour only gathers its numbers for execution.
    weapon.ReduceAbsoluteDamage(CombatAttributeType_Physical, 50.0f);
    weapon.ReduceAbsoluteDamage(CombatAttributeType_PhysicalPierce, 200.0f);
    EXPECT_FLOAT_EQ(weapon.GetPhysical(), 0.0f);
    EXPECT_FLOAT_EQ(weapon.GetPierce(), 0.0f);
    weapon.ReduceAbsoluteDamage(CombatAttributeType_AbsorptionProtection, 7.0f);
    weapon.ReduceAbsoluteDamage(CombatAttributeType_AbsorptionProtection, 5.0f);
    weapon.ReduceAbsoluteDamage(CombatAttributeType_Protection, 30.0f);
    EXPECT_FLOAT_EQ(weapon.GetAbsorbed(), 12.0f);
    EXPECT_FLOAT_EQ(weapon.GetProtection(), 30.0f);
}

TEST_F(CombatAttributeBasePhysical, ExecuteDealsPhysicalAndPierceAndBluntScalesBoth)
{
    Character attacker;
    Character defender;
    Ready(defender, "characterLife = 500");
    CombatAttributeDamage_BasePhysical weapon(CombatAttributeType_Physical, 100.0f, 30.0f, true);
    weapon.Process(attacker, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(weapon.ProcessBluntDamageModifier(0.5f), 35.0f);
    EXPECT_FLOAT_EQ(weapon.GetPierce(), 15.0f);
    weapon.Execute(defender);
    EXPECT_FLOAT_EQ(defender.GetCurrentLife(), 450.0f);
}

TEST(CombatAttributeBonusPhysical, IgnoresScalingModifiersAndReductions)
{
    Character attacker;
    CombatAttributeDamage_BonusPhysical bonus(CombatAttributeType_Physical, 40.0f);
    bonus.ModifyAbsoluteDamage(CombatAttributeType_Physical, 100.0f);
    bonus.Process(attacker, 50.0f, 10.0f, 50.0f, 10.0f);
    EXPECT_FLOAT_EQ(bonus.GetValue(), 40.0f);
    bonus.ScaleDamage(50.0f);
    bonus.ReduceAbsoluteDamage(CombatAttributeType_Physical, 50.0f);
    EXPECT_FLOAT_EQ(bonus.GetValue(), 10.0f);
}

TEST(CombatAttributeDefenseCap, ResistancesAreCutToThePositiveCap)
{
    RecordingDefender defender;
    defender.cap = 50.0f;
    CombatAttributeAbsDefense fire(CombatAttributeType_Fire, 80.0f);
    fire.Process(defender, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(fire.GetDefense(), 50.0f);
    // Reduced below zero stays negative: it then adds to the damage.
    CombatAttributeAbsDefense cold(CombatAttributeType_Cold, 20.0f);
    cold.Process(defender, 0.0f, 0.0f, 50.0f, 25.0f);
    EXPECT_FLOAT_EQ(cold.GetDefense(), -15.0f);
    // Status resistances ignore the attacker's reductions but not the cap.
    CombatAttributeAbsDefenseRestricted stun(CombatAttributeType_Stun, 70.0f);
    stun.Process(defender, 0.0f, 10.0f, 50.0f, 25.0f);
    EXPECT_FLOAT_EQ(stun.GetDefense(), 50.0f);
    defender.cap = 0.0f;
    CombatAttributeAbsDefenseRestricted trap(CombatAttributeType_Trap, 70.0f);
    trap.Process(defender, 0.0f, 10.0f, 50.0f, 25.0f);
    EXPECT_FLOAT_EQ(trap.GetDefense(), 70.0f) << "a cap of 0 is no cap";
    CombatAttributeDurDefense poison(CombatAttributeType_Poison, 30.0f);
    poison.ModifyDurationDefense(CombatAttributeType_Poison, -200.0f);
    poison.Process(defender, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(poison.GetDefense(), 0.0f);
}

TEST_F(CombatAttributeManaBurn, DrainsUpToTheManaAndDealsTheRatio)
{
    Character defender;
    Ready(defender, "characterLife = 100\ncharacterMana = 200");
    defender.SetCurrentMana(50.0f);
    CombatAttributeAbsDamage_ManaBurn burn(CombatAttributeType_ManaBurn, 20.0f, 50.0f);
    burn.Execute(defender); // 20 % of 200 = 40 drained, 20 damage
    Drain(defender);
    EXPECT_FLOAT_EQ(defender.GetCurrentMana(), 10.0f);
    EXPECT_FLOAT_EQ(defender.GetCurrentLife(), 80.0f);
    burn.Execute(defender); // only 10 left to drain
    Drain(defender);
    EXPECT_FLOAT_EQ(defender.GetCurrentMana(), 0.0f);
    EXPECT_FLOAT_EQ(defender.GetCurrentLife(), 75.0f);

    EXPECT_FLOAT_EQ(Totals(burn).first, 0.0f);
    burn.ModifyAbsoluteDamage(CombatAttributeType_ManaBurn, 10.0f);
    EXPECT_FLOAT_EQ(burn.GetRatio(), 60.0f);
    EXPECT_FLOAT_EQ(burn.GetValue(), 20.0f);
    burn.ReduceAbsoluteDamage(CombatAttributeType_ManaLeach, 25.0f);
    burn.ReduceAbsoluteDamage(static_cast<CombatAttributeType>(46), 50.0f);
    EXPECT_FLOAT_EQ(burn.GetValue(), 15.0f);
    EXPECT_FLOAT_EQ(burn.GetRatio(), 30.0f);
    burn.ReduceAbsoluteDamage(static_cast<CombatAttributeType>(46), 300.0f);
    EXPECT_FLOAT_EQ(burn.GetRatio(), 0.0f);
}

TEST_F(CombatAttributeKinds, PercentLifeDisruptionLeechAndInfluences)
{
    RecordingDefender defender;
    Ready(defender, "characterLife = 200");
    CombatAttributeAbsDamage_PercentLife percent(CombatAttributeType_PercentCurrentLife, 20.0f);
    percent.ReduceAbsoluteDamage(CombatAttributeType_Life, 50.0f);
    percent.Execute(defender);
    EXPECT_FLOAT_EQ(defender.GetCurrentLife(), 180.0f);

    CombatAttributeAbsDamage_Disruption(CombatAttributeType_Disruption, 2.5f).Execute(defender);
    CombatAttributeInfluenceDamage_Taunt(CombatAttributeType_Taunt, 3.0f).Execute(defender);
    CombatAttributeInfluenceDamage_Fear(CombatAttributeType_Fear, 1.2345f).Execute(defender);
    CombatAttributeInfluenceDamage_Confusion(CombatAttributeType_Confusion, 0.0f).Execute(defender);
    EXPECT_EQ(defender.calls, (std::vector<std::string>{"cooldown 2500.000000", "taunt 3.000000",
                                                        "fear 1234.000000"}));

    CombatAttributeAbsDamage_LifeLeech(CombatAttributeType_LifeLeach, 15.0f).Execute(defender);
    CombatAttributeAbsDamage_LifeLeech(CombatAttributeType_LifeLeach, 5.0f).Execute(defender);
    EXPECT_FLOAT_EQ(defender.GetCombatManager().GetLifeLeechPercent(), 20.0f);
}

TEST_F(CombatAttributeConvert, OnlyWithinFiveLevelsOfALivingCaster)
{
    auto* caster = GAME::Test::New<Character>();
    caster->Load(GAME::Test::Record("charLevel = 5"));
    CombatAttributeInfluenceDamage_Convert convert(CombatAttributeType_Convert, 2.0f);
    convert.Process(*caster, 0.0f, 0.0f, 0.0f, 0.0f);

    RecordingDefender tooHigh;
    tooHigh.Load(GAME::Test::Record("charLevel = 11"));
    convert.Execute(tooHigh);
    EXPECT_TRUE(tooHigh.calls.empty());
    RecordingDefender defender;
    defender.Load(GAME::Test::Record("charLevel = 10"));
    convert.Execute(defender);
    ASSERT_EQ(defender.calls.size(), 1u);
    EXPECT_EQ(defender.calls[0],
              "join " + std::to_string(caster->GetObjectId()) + " converted 2000.000000");

    ObjectManager::Instance().DestroyObjectEx(caster, "test", 1);
    ObjectManager::Instance().ProcessDestroyedObjects();
    convert.Execute(defender);
    EXPECT_EQ(defender.calls.size(), 1u) << "a caster that is gone converts nobody";
}

TEST(CombatAttributeOverTime, DurationFixedAndReflexGoToTheDefendersTracks)
{
    Character defender;
    CombatAttributeDurDamage(CombatAttributeType_Poison, 10.0f, 2.0f).Execute(defender);
    CombatAttributeDurFixedDamage(CombatAttributeType_RunSpeed, 30.0f, 0.5f).Execute(defender);
    CombatAttributeReflexDamage(CombatAttributeType_Stun, 1.5f).Execute(defender);
    CombatAttributeReflexDamage(CombatAttributeType_Freeze, 0.0f).Execute(defender);
    DurationDamageManager& overTime = defender.GetDurationDamageMgr();
    overTime.EndAttack();
    ASSERT_EQ(overTime.GetTracks().size(), 1u);
    EXPECT_EQ(overTime.GetTracks()[0].GetActiveTicks(), std::vector<float>(20, 1.0f));
    EXPECT_FLOAT_EQ(overTime.GetFixedDamage(CombatAttributeType_RunSpeed), 30.0f);
    ASSERT_EQ(overTime.GetFixedTracks().size(), 2u);
    EXPECT_EQ(overTime.GetFixedTracks()[1].GetActiveTicks(), std::vector<float>(15, 1.0f));
    EXPECT_FLOAT_EQ(overTime.GetFixedDamage(CombatAttributeType_Freeze), 0.0f);

    EXPECT_EQ(Totals(CombatAttributeDurFixedDamage(CombatAttributeType_RunSpeed, 30.0f, 1.0f)),
              std::make_pair(0.0f, 0.0f));
}

std::unique_ptr<CombatAttribute> Damage(CombatAttributeType type, float value)
{
    return std::make_unique<CombatAttributeAbsDamage>(type, value);
}

std::unique_ptr<CombatAttribute> Resistance(CombatAttributeType type, float value)
{
    return std::make_unique<CombatAttributeAbsDefense>(type, value);
}

std::unique_ptr<CombatAttribute> Armour(float protection, CombatAttributeRegion region)
{
    return std::make_unique<CombatAttributeDefense_AbsorptionProtection>(50.0f, protection, region);
}

TEST(CombatAttributeAccumulatorChance, ZeroSkipsTheDrawOthersRollOnTheAttackSequence)
{
    CombatAttributeAccumulator accumulator;
    accumulator.SetSeed(1234);
    RandomUniform reference;
    reference.Seed(1234);
    EXPECT_TRUE(accumulator.EvaluateChance(0.0f));
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), reference.GetState());

    const int roll = reference.IGenerate(0, 100);
    EXPECT_TRUE(accumulator.EvaluateChance(static_cast<float>(roll)));
    EXPECT_TRUE(accumulator.EvaluateChance(100.0f));
    reference.IGenerate(0, 100);
    const int third = reference.IGenerate(0, 100);
    EXPECT_FALSE(accumulator.EvaluateChance(static_cast<float>(third) - 0.5f));
    EXPECT_FALSE(accumulator.EvaluateChance(-5.0f));
    reference.IGenerate(0, 100);
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), reference.GetState()) << "-5 still draws";
}

TEST(CombatAttributeAccumulatorDefense, ResistancesOfOneTypeMergeArmourPiecesStayApartNoneIsDamage)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDefense(Resistance(CombatAttributeType_Fire, 10.0f));
    accumulator.AddDefense(Resistance(CombatAttributeType_Cold, 5.0f));
    accumulator.AddDefense(Resistance(CombatAttributeType_Fire, 15.0f));
    accumulator.AddDefense(nullptr);
    accumulator.AddDamage(nullptr);
    EXPECT_TRUE(accumulator.IsEmpty()) << "defenses are no damage";
    accumulator.AddDefense(Armour(20.0f, CombatAttributeRegion_Head));
    accumulator.AddDefense(Armour(30.0f, CombatAttributeRegion_Legs));
    accumulator.AddDefense(
        std::make_unique<CombatAttributeDurDefense>(CombatAttributeType_Poison, 40.0f));
    EXPECT_EQ(accumulator.GetDefenses().size(), 5u);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_Fire), 25.0f);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_AbsorptionProtection),
                    50.0f);
    // Resistance over time counts nothing towards the total.
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_Poison), 0.0f);
}

TEST(CombatAttributeAccumulatorDefense, ExecuteDefenseReducesDamageAndIsSpent)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDamage(Damage(CombatAttributeType_Fire, 200.0f));
    accumulator.AddDamage(Damage(CombatAttributeType_Cold, 100.0f));
    accumulator.AddDefense(Resistance(CombatAttributeType_Fire, 25.0f));
    accumulator.ExecuteDefense();
    EXPECT_TRUE(accumulator.GetDefenses().empty());
    EXPECT_FLOAT_EQ(Totals(accumulator).first, 150.0f + 100.0f);
}

TEST(CombatAttributeAccumulatorProcess, ModifierActsOnceScaleZeroIsNoneAndFlatIsNotForElements)
{
    Character who;
    CombatAttributeAccumulator accumulator;
    accumulator.AddDamage(Damage(CombatAttributeType_Fire, 10.0f));
    accumulator.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Fire, 50.0f));
    accumulator.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Cold, 300.0f));
    accumulator.ProcessDamage(who, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(Totals(accumulator).first, 15.0f);
    accumulator.ProcessDamage(who, 0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(Totals(accumulator).first, 15.0f) << "the modifier was reset";
    accumulator.ProcessDamage(who, 200.0f, 7.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(Totals(accumulator).first, 30.0f);
    accumulator.ProcessDamage(who, 50.0f, 0.0f, 10.0f, 5.0f);
    EXPECT_FLOAT_EQ(Totals(accumulator).first, 8.5f);
    accumulator.ProcessDamage(who, -50.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(Totals(accumulator).first, 0.0f);
}

TEST(CombatAttributeAccumulatorProcess, DefenseModifiersOnlyReachTheirType)
{
    Character who;
    CombatAttributeAccumulator accumulator;
    accumulator.AddDefense(std::make_unique<CombatAttributeDefense_AbsorptionProtection>(
        40.0f, 100.0f, CombatAttributeRegion_Torso));
    accumulator.AddDefenseModifier(
        std::make_unique<CombatAttributeAbsDefenseMod>(CombatAttributeType_Protection, 20.0f));
    accumulator.AddDefenseModifier(
        std::make_unique<CombatAttributeAbsDefenseMod>(CombatAttributeType_Fire, 90.0f));
    accumulator.ProcessDefense(who, 0.0f, 10.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_AbsorptionProtection),
                    110.0f);
}

TEST(CombatAttributeAccumulatorDamage, ScaleReduceAndFilterKeepingOrder)
{
    CombatAttributeAccumulator accumulator;
    accumulator.AddDamage(Damage(CombatAttributeType_Fire, 80.0f));
    accumulator.AddDamage(
        std::make_unique<CombatAttributeReflexDamage>(CombatAttributeType_Poison, 9.0f));
    accumulator.AddDamage(
        std::make_unique<CombatAttributeDurDamage>(CombatAttributeType_Poison, 20.0f, 3.0f));
    accumulator.ScaleDamage(0.0f);
    accumulator.ScaleDamage(-50.0f);
    accumulator.ScaleDamage(50.0f);
    accumulator.ReduceDamage(25.0f);
    EXPECT_EQ(Totals(accumulator), std::make_pair(30.0f, 7.5f));

    accumulator.FilterReflectDamage();
    ASSERT_EQ(accumulator.GetDamage().size(), 2u);
    EXPECT_EQ(accumulator.GetDamage()[1]->GetType(), CombatAttributeType_Poison);
    EXPECT_FLOAT_EQ(accumulator.ProcessBluntDamageModifier(2.0f), 0.0f);
}

TEST(CombatAttributeAccumulatorCopy, ClonesEveryListReplacesTheTargetAndSurvivesItself)
{
    CombatAttributeAccumulator source;
    source.SetSeed(99);
    source.AddDamage(Damage(CombatAttributeType_Fire, 60.0f));
    source.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Fire, 10.0f));
    source.AddDefense(Resistance(CombatAttributeType_Fire, 5.0f));
    source.AddDefenseModifier(
        std::make_unique<CombatAttributeAbsDefenseMod>(CombatAttributeType_Fire, 10.0f));
    const int firstRoll = source.GetRandomGen().IGenerate(0, 100);

    CombatAttributeAccumulator copy;
    copy.AddDamage(Damage(CombatAttributeType_Cold, 1.0f));
    copy = source;
    const CombatAttributeAccumulator& alias = copy;
    copy = alias;
    EXPECT_EQ(copy.GetRandomGen().IGenerate(0, 100), firstRoll);
    ASSERT_EQ(copy.GetDamage().size(), 1u);
    EXPECT_NE(copy.GetDamage()[0].get(), source.GetDamage()[0].get());
    EXPECT_EQ(std::make_tuple(copy.GetDamageModifiers().size(), copy.GetDefenses().size(),
                              copy.GetDefenseModifiers().size()),
              std::make_tuple(1u, 1u, 1u));

    source.ScaleDamage(50.0f);
    EXPECT_FLOAT_EQ(Totals(copy).first, 60.0f);
    const CombatAttributeAccumulator constructed(copy);
    EXPECT_EQ(constructed.GetDamage().size(), 1u);
}

TEST(ParametersCombatTest, DrawsSevenValuesAdvancesTheCallerBySevenAndSeedsWithTheFirst)
{
    RandomUniform generator = Seeded(12345);
    ParametersCombat parameters(generator);

    const AttackRandoms& r = parameters.randoms;
    EXPECT_EQ((std::vector<uint32_t>{r.r0, r.r1, r.r2, r.r3, r.r4, r.r5, r.r6}),
              (std::vector<uint32_t>{27326, 30635, 18738, 21726, 16265, 14079, 21291}));
    // Seven draws on from the seed.
    EXPECT_EQ(generator.GetState(), 1395453353u);

    EXPECT_EQ(parameters.attributes.GetSeed(), 27326u);
}

TEST(ParametersCombatTest, AssignmentCopiesAndRestartsTheAttributeRollsEvenOntoItself)
{
    RandomUniform shared = Seeded(12345);
    ParametersCombat source(shared);
    source.attributes.AddDamage(
        std::make_unique<CombatAttributeAbsDamage>(CombatAttributeType_Fire, 5.0f));
    source.attributes.GetRandomGen().IGenerate(0, 100);
    source.attributes.GetRandomGen().IGenerate(0, 100);

    RandomUniform zero = Seeded(0);
    ParametersCombat copy(zero);
    copy.attributes.AddDamage(
        std::make_unique<CombatAttributeAbsDamage>(CombatAttributeType_Cold, 1.0f));
    copy = source;
    const ParametersCombat& alias = copy;
    copy = alias;

    ASSERT_EQ(copy.attributes.GetDamage().size(), 1u);
    // The copy repeats the source's first rolls, not its next one (27).
    EXPECT_EQ(copy.attributes.GetRandomGen().IGenerate(0, 100), 40);
    EXPECT_EQ(source.attributes.GetRandomGen().IGenerate(0, 100), 27);
}

TEST(DurationDamageTrack, DurationMakesTruncatedTickCountOfATenthPerSecondWithinTheCap)
{
    DurationDamageTrack shortTrack(1, CombatAttributeType_Fire);
    shortTrack.AddDamage({10.0f, 0.7f});
    EXPECT_EQ(shortTrack.GetPendingTicks(), std::vector<float>(6, 1.0f)) << "0.7f is 0.69999999";

    DurationDamageTrack twoSeconds(1, CombatAttributeType_Fire);
    twoSeconds.AddDamage({10.0f, 2.0f});
    twoSeconds.AddDamage({5.0f, 0.05f});
    EXPECT_EQ(twoSeconds.GetPendingTicks(), std::vector<float>(20, 1.0f))
        << "under a tenth of a second adds nothing";

    FixedDurationDamageTrack slow(CombatAttributeType_RunSpeed);
    slow.AddDamage({30.0f, 0.3f});
    slow.AddDamage({20.0f, 0.2f});
    EXPECT_EQ(slow.GetPendingTicks(), std::vector<float>({50.0f, 50.0f, 30.0f}))
        << "fixed levels add whole";

    // Huge or meaningless durations are capped before they become tick counts.
    DurationDamageTrack huge(1, CombatAttributeType_Poison);
    huge.AddDamage({10.0f, 1.0e30f});
    EXPECT_EQ(huge.GetPendingTicks().size(), size_t(DurationDamageTrack::kMaxTicks));
    huge.AddDamage({10.0f, std::numeric_limits<float>::infinity()});
    EXPECT_EQ(huge.GetPendingTicks().size(), size_t(DurationDamageTrack::kMaxTicks));
    EXPECT_FLOAT_EQ(huge.GetPendingTicks().back(), 2.0f);

    DurationDamageTrack none(1, CombatAttributeType_Poison);
    none.AddDamage({10.0f, std::numeric_limits<float>::quiet_NaN()});
    none.AddDamage({10.0f, -3.0f});
    EXPECT_TRUE(none.GetPendingTicks().empty());
}

TEST(DurationDamageTrack, ALaterCommitKeepsTheLargerOfEachTick)
{
    DurationDamageTrack track(1, CombatAttributeType_Poison);
    track.AddDamage({20.0f, 0.4f});
    track.CommitPending();
    track.AddDamage({50.0f, 0.3f});
    track.AddDamage({10.0f, 0.6f});
    track.CommitPending();
    EXPECT_EQ(track.GetActiveTicks(), std::vector<float>({6.0f, 6.0f, 6.0f, 2.0f, 1.0f, 1.0f}));
}

TEST(DurationDamageTrack, ATickNeedsMoreThanAHundredMillisecondsAndLongFramesMakeSeveral)
{
    DurationDamageTrack track(1, CombatAttributeType_Poison);
    track.AddDamage({10.0f, 1.0f});
    track.CommitPending();

    track.AdvanceTime(100);
    EXPECT_FLOAT_EQ(track.GetDamage(), 0.0f);
    track.ConsumeDueTicks();
    track.AdvanceTime(1);
    EXPECT_FLOAT_EQ(track.GetDamage(), 1.0f);
    track.ConsumeDueTicks();

    track.AdvanceTime(349); // 1 + 349: three ticks, 50 ms kept
    EXPECT_FLOAT_EQ(track.GetDamage(), 3.0f);
    track.ConsumeDueTicks();
    track.AdvanceTime(50);
    EXPECT_FLOAT_EQ(track.GetDamage(), 0.0f) << "50 kept + 50 is not more than 100";
    track.AdvanceTime(51);
    EXPECT_FLOAT_EQ(track.GetDamage(), 1.0f);

    track.AdvanceTime(std::numeric_limits<int32_t>::max());
    EXPECT_FLOAT_EQ(track.GetDamage(), 6.0f) << "more due than left deals what is left";
    track.ConsumeDueTicks();
    EXPECT_TRUE(track.IsFinished());
}

TEST(DurationDamageTrack, AppendTicksTakesFiniteRunsWithinTheCapOnly)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    DurationDamageTrack track(1, CombatAttributeType_Fire);
    EXPECT_FALSE(track.AppendTicks(nan, 3.0f));
    EXPECT_FALSE(track.AppendTicks(inf, 3.0f));
    EXPECT_FALSE(track.AppendTicks(2.0f, -1.0f));
    EXPECT_FALSE(track.AppendTicks(2.0f, 36001.0f));
    EXPECT_FALSE(track.AppendTicks(2.0f, nan));
    EXPECT_TRUE(track.GetActiveTicks().empty());

    EXPECT_TRUE(track.AppendTicks(2.0f, 2.9f));
    EXPECT_TRUE(track.AppendTicks(7.0f, 0.0f));
    EXPECT_EQ(track.GetActiveTicks(), std::vector<float>({2.0f, 2.0f}));
    EXPECT_TRUE(track.AppendTicks(3.0f, 36000.0f));
    EXPECT_TRUE(track.AppendTicks(3.0f, 36000.0f));
    EXPECT_EQ(track.GetActiveTicks().size(), size_t(DurationDamageTrack::kMaxTicks));
}

TEST(DurationDamageTrack, ReplicaRunsCutAtEachChangeAndLeaveOutNothing)
{
    DurationDamageTrack track(1, CombatAttributeType_Fire);
    for (const float tick : {0.0f, 0.0f, 5.0f, 5.0f, 5.0f, 2.0f, 0.0f, -1.0f, 2.0f})
        track.AppendTicks(tick, 1.0f);
    EXPECT_EQ(track.GetReplicaRuns(),
              (std::vector<DurationDamageInfo>{{5.0f, 3.0f}, {2.0f, 1.0f}, {2.0f, 1.0f}}));
    EXPECT_TRUE(DurationDamageTrack(1, CombatAttributeType_Fire).GetReplicaRuns().empty());
}

// Ticks deal their damage through the combat manager, which registers it with the hub.
class DurationDamageManagerTest : public GAME::Test::CombatGameFixture {
protected:
    void SetUp() override
    {
        CombatGameFixture::SetUp();
        victim = MakeCharacter(true);
        attacker = MakeCharacter()->GetObjectId();
    }

    // Ready: with life 100 and mana 200, the pools full.
    static Character* MakeCharacter(bool ready = false)
    {
        auto* character = GAME::Test::New<Character>();
        if (ready)
            Ready(*character, "characterLife = 100\ncharacterMana = 200");
        return character;
    }

    DurationDamageManager& Dot() { return victim->GetDurationDamageMgr(); }

    struct Hit {
        CombatAttributeType type;
        float amount;
        float seconds;
        bool fixed = false;
    };

    // One attack as the combat manager runs it: the attacker set, the damage added, the end.
    void Attack(uint32_t by, std::initializer_list<Hit> hits)
    {
        victim->GetCombatManager().SetAttacker(by);
        for (const Hit& hit : hits) {
            if (hit.fixed)
                Dot().AddFixedDamage(hit.type, hit.amount, hit.seconds);
            else
                Dot().AddDamage(hit.type, hit.amount, hit.seconds);
        }
        Dot().EndAttack();
    }

    float CreditedTo(uint32_t id) const
    {
        return gGameEngine->GetDamageByAttacker(id, victim->GetObjectId());
    }

    Character* victim = nullptr;
    uint32_t attacker = 0;
};

TEST_F(DurationDamageManagerTest, PoisonDealsTwentyTicksOfOneAndPoisonsUntilTheLast)
{
    // The tick timing is the track's.
    Attack(attacker, {{CombatAttributeType_Poison, 10.0f, 2.0f}});
    Dot().Update(1000);
    EXPECT_TRUE(Dot().IsPoisoned());
    Dot().Update(1000);
    EXPECT_FLOAT_EQ(victim->GetCurrentLife(), 80.0f);
    EXPECT_FALSE(Dot().IsPoisoned());
    EXPECT_TRUE(Dot().GetTracks().empty());
    EXPECT_FLOAT_EQ(CreditedTo(attacker), 20.0f);
}

TEST_F(DurationDamageManagerTest, EachAttackerHasItsOwnTrackAndIsCreditedWithItsTicks)
{
    const uint32_t second = MakeCharacter()->GetObjectId();
    Attack(attacker, {{CombatAttributeType_Poison, 10.0f, 1.0f}});
    Attack(second, {{CombatAttributeType_Poison, 5.0f, 1.0f}});
    ASSERT_EQ(Dot().GetTracks().size(), 2u);

    Dot().Update(1001);
    EXPECT_FLOAT_EQ(CreditedTo(attacker), 10.0f);
    EXPECT_FLOAT_EQ(CreditedTo(second), 5.0f);
    EXPECT_FLOAT_EQ(victim->GetCurrentLife(), 85.0f);
}

// Stops every hit, as a full shield does.
class StopAll final : public CombatFilter {
public:
    float ModifyDamage(float, CombatAttributeType) override { return 0.0f; }
    bool ProvidesInvulnerability(const std::vector<std::string>&) const override { return false; }
};

TEST_F(DurationDamageManagerTest, LeechTicksDrainTheirPoolAndGiveTheAttackerWhatWasThere)
{
    Character* leech = MakeCharacter(true);
    leech->SubtractLife(50.0f, PlayStatsDamageType{});
    leech->SetCurrentMana(20.0f);
    const uint32_t later = MakeCharacter()->GetObjectId();
    victim->SetCurrentMana(5.0f);
    Attack(leech->GetObjectId(), {{CombatAttributeType_ManaLeach, 80.0f, 0.1f}});
    victim->GetCombatManager().SetAttacker(later);
    Dot().Update(101);
    EXPECT_FLOAT_EQ(victim->GetCurrentLife(), 100.0f);
    EXPECT_FLOAT_EQ(CreditedTo(leech->GetObjectId()), 0.0f);
    EXPECT_EQ(victim->GetCombatManager().GetAttackerId(), later)
        << "a mana leech tick leaves the attacker alone";
    victim->GetCharacterBio().Update(*victim, 1); // spent mana drains here
    EXPECT_FLOAT_EQ(victim->GetCurrentMana(), 0.0f);
    EXPECT_FLOAT_EQ(leech->GetCurrentMana(), 25.0f) << "8 leeched from 5 gives 5";

    Attack(leech->GetObjectId(), {{CombatAttributeType_LifeLeach, 30.0f, 0.2f}});
    victim->GetCombatManager().SetAttacker(later);
    Dot().Update(101);
    EXPECT_FLOAT_EQ(victim->GetCurrentLife(), 97.0f);
    EXPECT_FLOAT_EQ(CreditedTo(leech->GetObjectId()), 3.0f);
    EXPECT_EQ(victim->GetCombatManager().GetAttackerId(), leech->GetObjectId());
    EXPECT_FLOAT_EQ(leech->GetCurrentLife(), 53.0f);

    StopAll shield;
    victim->AddCombatFilter(&shield);
    Dot().Update(100);
    victim->RemoveCombatFilter(&shield);
    EXPECT_FLOAT_EQ(victim->GetCurrentLife(), 97.0f);
    EXPECT_FLOAT_EQ(leech->GetCurrentLife(), 53.0f) << "a refused tick gives nothing";
}

TEST_F(DurationDamageManagerTest, StrongestInvoluntaryStateShowsAndTheNextTakesOver)
{
    Attack(attacker, {{CombatAttributeType_Stun, 1.0f, 1.0f, true},
                      {CombatAttributeType_Immobilize, 1.0f, 0.5f, true}});
    Dot().Update(50);
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Immobilize);
    Dot().Update(500); // the last immobilize tick is consumed after the state is chosen
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Immobilize);
    Dot().Update(1);
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Stun);
    Dot().Update(500);
    Dot().Update(1);
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Unknown);
}

TEST_F(DurationDamageManagerTest, SpeedLevelChangesAreNoticedOnceAndSlowsAreNotCapped)
{
    Attack(attacker, {{CombatAttributeType_RunSpeed, 150.0f, 0.2f, true},
                      {CombatAttributeType_OffensiveAbility, 130.0f, 0.2f, true}});
    EXPECT_FLOAT_EQ(Dot().GetFixedDamage(CombatAttributeType_RunSpeed), 150.0f);
    // The level runs out after it is read at 202 ms, noticed at the next update.
    const std::pair<int32_t, bool> steps[] = {{1, true}, {1, false}, {200, false}, {1, true}};
    for (const auto& [ms, noticed] : steps) {
        Dot().Update(ms);
        EXPECT_EQ(Dot().GetSpeedUpdate(), noticed) << ms;
    }
    EXPECT_FLOAT_EQ(Dot().GetFixedDamage(CombatAttributeType_RunSpeed), 0.0f);
}

TEST_F(DurationDamageManagerTest, NothingLandsOnAnInvincibleOwnerOrWithoutAmountOrDuration)
{
    Dot().AddDamage(CombatAttributeType_Fire, 0.0f, 2.0f);
    Dot().AddDamage(CombatAttributeType_Fire, 10.0f, -1.0f);
    Dot().AddFixedDamage(CombatAttributeType_Stun, 1.0f, 0.0f);
    Dot().AddDamage(static_cast<CombatAttributeType>(46), 10.0f, 2.0f); // no such kind
    Dot().AddFixedDamage(static_cast<CombatAttributeType>(-1), 1.0f, 2.0f);
    victim->SetInvincible(true);
    Dot().AddDamage(CombatAttributeType_Fire, 10.0f, 2.0f);
    Dot().AddFixedDamage(CombatAttributeType_Stun, 1.0f, 2.0f);
    EXPECT_TRUE(Dot().GetTracks().empty());
    EXPECT_TRUE(Dot().GetFixedTracks().empty());
}

TEST_F(DurationDamageManagerTest, DelayedClearEmptiesAfterTwoHundredFiftyMsThenEndsTheState)
{
    Attack(attacker, {{CombatAttributeType_Poison, 10.0f, 5.0f},
                      {CombatAttributeType_Freeze, 1.0f, 5.0f, true}});
    Dot().Update(1);
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Freeze);
    Dot().DelayedClearHack();
    Dot().Update(100);
    Dot().Update(100);
    EXPECT_EQ(Dot().GetTracks().size(), 1u);
    Dot().Update(50);
    EXPECT_TRUE(Dot().GetTracks().empty());
    EXPECT_TRUE(Dot().GetFixedTracks().empty());
    Dot().Update(1);
    EXPECT_EQ(Dot().GetInvoluntaryEffect(), CombatAttributeType_Unknown);

    Attack(attacker, {{CombatAttributeType_Poison, 10.0f, 5.0f}});
    Dot().Update(1000);
    EXPECT_EQ(Dot().GetTracks().size(), 1u) << "the countdown is spent until armed again";
}

std::vector<uint8_t> Encode(const std::function<void(NetPacketOutBuffer&)>& write)
{
    GAME::Test::BareCarrier carrier;
    NetPacketOutBuffer out(carrier);
    write(out);
    out.Done();
    return std::vector<uint8_t>(carrier.GetOutBuffer() + NetPacketHeader::kSize,
                                carrier.GetOutBuffer() + carrier.GetOutBufferSize());
}

// Little-endian words, floats by their bits.
std::vector<uint8_t> Words(std::initializer_list<uint32_t> words)
{
    std::vector<uint8_t> bytes;
    for (const uint32_t word : words)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(word >> (8 * i)));
    return bytes;
}

uint32_t Bits(float value)
{
    return std::bit_cast<uint32_t>(value);
}

struct ReadResult {
    bool ok = false;
    bool failed = false;
    std::vector<DurationDamageReplication> damage;
    std::vector<FixedDurationDamageReplication> fixed;
};

// Reads both counted lists as replication data carries them.
ReadResult ReadBoth(const std::vector<uint8_t>& bytes)
{
    GAME::Test::BareCarrier carrier;
    ReadResult result;
    NetPacketInBuffer in(carrier, bytes.data(), static_cast<int>(bytes.size()));
    result.ok = DurationDamageReplication::ReadList(in, result.damage) &&
                FixedDurationDamageReplication::ReadList(in, result.fixed);
    result.failed = in.HasFailed();
    return result;
}

TEST_F(DurationDamageManagerTest, TicksReplicateAsRunsInTwentyEightBytesAndRebuildEqual)
{
    constexpr uint32_t kAttacker = 0x01020304;
    Attack(kAttacker, {{CombatAttributeType_Poison, 20.0f, 0.4f},
                       {CombatAttributeType_Stun, 1.0f, 0.3f, true}});
    Attack(kAttacker, {{CombatAttributeType_Poison, 50.0f, 0.3f}});
    ASSERT_EQ(Dot().GetTracks()[0].GetActiveTicks(), (std::vector<float>{5.0f, 5.0f, 5.0f, 2.0f}));

    std::vector<DurationDamageReplication> damage;
    std::vector<FixedDurationDamageReplication> fixed;
    Dot().GetDamageReplica(damage);
    Dot().GetFixedDamageReplica(fixed);
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage[0].runs, (std::vector<DurationDamageInfo>{{5.0f, 3.0f}, {2.0f, 1.0f}}));
    const std::vector<uint8_t> record =
        Encode([&](NetPacketOutBuffer& out) { damage[0].Write(out); });
    EXPECT_EQ(record, Words({7, kAttacker, 2, Bits(5.0f), Bits(3.0f), Bits(2.0f), Bits(1.0f)}));
    EXPECT_EQ(Encode([&](NetPacketOutBuffer& out) { fixed[0].Write(out); }),
              Words({34, 1, Bits(1.0f), Bits(3.0f)}));

    const ReadResult read = ReadBoth(Encode([&](NetPacketOutBuffer& out) {
        DurationDamageReplication::WriteList(out, damage);
        FixedDurationDamageReplication::WriteList(out, fixed);
    }));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.damage, damage);
    EXPECT_EQ(read.fixed, fixed);

    Character* receiver = MakeCharacter();
    DurationDamageManager& rebuilt = receiver->GetDurationDamageMgr();
    rebuilt.SetDamageReplica(read.damage);
    rebuilt.SetFixedDamageReplica(read.fixed);
    ASSERT_EQ(rebuilt.GetTracks().size(), 1u);
    EXPECT_EQ(rebuilt.GetTracks()[0].GetAttackerId(), kAttacker);
    EXPECT_EQ(rebuilt.GetTracks()[0].GetActiveTicks(), Dot().GetTracks()[0].GetActiveTicks());
    EXPECT_EQ(rebuilt.GetFixedTracks()[0].GetActiveTicks(), std::vector<float>(3, 1.0f));

    rebuilt.SetDamageReplica(read.damage);
    EXPECT_EQ(rebuilt.GetTracks()[0].GetActiveTicks().size(), 8u) << "replicas add";
}

TEST_F(DurationDamageManagerTest, ALyingListIsRefusedWholeAndCountsOfZeroOrLessReadAsNone)
{
    const ReadResult none = ReadBoth(Words({1, 7, 9, 0xFFFFFFFB, 0x80000000}));
    ASSERT_TRUE(none.ok);
    ASSERT_EQ(none.damage.size(), 1u);
    EXPECT_TRUE(none.damage[0].runs.empty());
    EXPECT_TRUE(none.fixed.empty());

    // A good first record, the second given, and no fixed records.
    const auto withSecond = [](std::initializer_list<uint32_t> second) {
        std::vector<uint8_t> bytes = Words({2, 7, 9, 1, Bits(2.0f), Bits(3.0f)});
        for (const std::vector<uint8_t>& tail : {Words(second), Words({0})})
            bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<std::vector<uint8_t>> lies = {
        withSecond({6, 9, 1000, Bits(1.0f), Bits(1.0f)}),  // more runs than bytes
        withSecond({46, 9, 1, Bits(1.0f), Bits(1.0f)}),    // no such kind
        withSecond({0xFFFFFFFF, 9, 0}),                    // nor this
        withSecond({6, 9, 1, Bits(nan), Bits(1.0f)}),      // amount not a number
        withSecond({6, 9, 1, Bits(inf), Bits(1.0f)}),      // nor finite
        withSecond({6, 9, 1, Bits(1.0f), Bits(-1.0f)}),    // negative length
        withSecond({6, 9, 1, Bits(1.0f), Bits(36001.0f)}), // past the cap
        Words({1, 6, 9, 1, Bits(1.0f)}),                   // a run cut short
        Words({1000, 7, 9, 0}),                            // more records than bytes
        Words({0, 1, 46, 0}),                              // a fixed record of no kind
    };
    for (size_t i = 0; i < lies.size(); ++i) {
        const ReadResult read = ReadBoth(lies[i]);
        EXPECT_FALSE(read.ok) << "lie " << i;
        EXPECT_TRUE(read.failed) << "lie " << i;
        EXPECT_TRUE(read.damage.empty()) << "lie " << i;
        EXPECT_TRUE(read.fixed.empty()) << "lie " << i;
    }
    const ReadResult truth = ReadBoth(withSecond({6, 9, 1, Bits(1.0f), Bits(36000.0f)}));
    EXPECT_TRUE(truth.ok);
    EXPECT_EQ(truth.damage.size(), 2u);
}

TEST_F(DurationDamageManagerTest, ReplicasWithAnInvalidRecordApplyNothing)
{
    std::vector<DurationDamageReplication> damage = {
        {CombatAttributeType_Fire, 9, {{2.0f, 3.0f}}},
        {static_cast<CombatAttributeType>(46), 9, {{2.0f, 3.0f}}},
    };
    EXPECT_FALSE(Dot().SetDamageReplica(damage));
    EXPECT_TRUE(Dot().GetTracks().empty());
    EXPECT_FALSE(Dot().SetFixedDamageReplica(
        {{CombatAttributeType_Stun, {{1.0f, 2.0f}}}, {CombatAttributeType_Trap, {{1.0f, -2.0f}}}}));
    EXPECT_TRUE(Dot().GetFixedTracks().empty());

    damage.pop_back();
    damage.push_back({CombatAttributeType_Fire, 9, {{4.0f, 36000.0f}}});
    Dot().SetDamageReplica(damage);
    ASSERT_EQ(Dot().GetTracks().size(), 1u) << "one kind and attacker, one track";
    EXPECT_EQ(Dot().GetTracks()[0].GetActiveTicks().size(), size_t(DurationDamageTrack::kMaxTicks));
}

TEST_F(DurationDamageManagerTest, ReplicaListsPastTheTickCapApplyNothing)
{
    // Thousands of records of an hour each are what hostile data looks like.
    std::vector<DurationDamageReplication> flood;
    for (uint32_t id = 0; id < 3300; ++id)
        flood.push_back({CombatAttributeType_Fire, id, {{1.0f, 36000.0f}}});
    EXPECT_FALSE(Dot().SetDamageReplica(flood));
    EXPECT_TRUE(Dot().GetTracks().empty());

    const DurationDamageReplication oneTick{CombatAttributeType_Cold, 10, {{1.0f, 1.0f}}};
    std::vector<DurationDamageReplication> full = {
        {CombatAttributeType_Fire, 9, {{1.0f, 36000.0f}}},
        {CombatAttributeType_Poison, 9, {{1.0f, 35999.0f}, {2.0f, 1.0f}}}};
    full.push_back(oneTick);
    EXPECT_FALSE(Dot().SetDamageReplica(full));
    EXPECT_TRUE(Dot().GetTracks().empty());
    full.pop_back();
    EXPECT_TRUE(Dot().SetDamageReplica(full));
    EXPECT_EQ(Dot().GetTracks().size(), 2u);
    EXPECT_FALSE(Dot().SetDamageReplica({oneTick})) << "the ticks held count";
    EXPECT_EQ(Dot().GetTracks().size(), 2u);

    EXPECT_FALSE(Dot().SetFixedDamageReplica({{CombatAttributeType_Stun, {{1.0f, 36000.0f}}},
                                              {CombatAttributeType_Trap, {{1.0f, 36000.0f}}},
                                              {CombatAttributeType_Freeze, {{1.0f, 1.0f}}}}));
    EXPECT_TRUE(Dot().GetFixedTracks().empty());
}

} // namespace
} // namespace GAME
