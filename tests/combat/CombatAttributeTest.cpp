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
#include "combat/CombatManager.h"
#include "combat/DurationDamageManager.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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
    auto* caster = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
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

TEST(CombatAttributeOverTime, DurationFixedAndReflexGoToTheDefendersTracksUnlessInvincible)
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

    Character invincible;
    invincible.SetInvincible(true);
    CombatAttributeDurDamage(CombatAttributeType_Fire, 10.0f, 2.0f).Execute(invincible);
    EXPECT_TRUE(invincible.GetDurationDamageMgr().GetTracks().empty());
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
    EXPECT_FLOAT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_Cold), 5.0f);
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
    float fire = 0.0f, overTime = 0.0f;
    accumulator.GetTotalDamageType(fire, overTime, CombatAttributeType_Fire);
    EXPECT_FLOAT_EQ(fire, 150.0f);
    EXPECT_FLOAT_EQ(Totals(accumulator).first, 250.0f);
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
    source.SetRegion(CombatAttributeRegion_Arms);
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
    EXPECT_EQ(copy.GetSeed(), 99u);
    EXPECT_EQ(copy.GetRegion(), CombatAttributeRegion_Arms);
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
    EXPECT_EQ((std::vector<uint32_t>{r.r0, r.r1, r.r2, r.r3, r.r4, r.r5, r.r6}),
              (std::vector<uint32_t>{27326, 30635, 18738, 21726, 16265, 14079, 21291}));
    // Seven draws on from the seed.
    EXPECT_EQ(generator.GetState(), 1395453353u);

    EXPECT_EQ(parameters.attributes.GetSeed(), 27326u);
    EXPECT_EQ(parameters.attributes.GetRandomGen().IGenerate(0, 100), 40);
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
    EXPECT_EQ(copy.attributes.GetSeed(), 27326u);
    // The copy repeats the source's first rolls, not its next one (27).
    EXPECT_EQ(copy.attributes.GetRandomGen().IGenerate(0, 100), 40);
    EXPECT_EQ(source.attributes.GetRandomGen().IGenerate(0, 100), 27);
}

} // namespace
} // namespace GAME
