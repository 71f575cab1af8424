#include "combat/CombatAttributeAbsDamage_ManaBurn.h"
#include "combat/DamageAttributeKinds.h"

#include "combat/CombatAttributeAbsDamage_PercentLife.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatAttributeDamage_BonusPhysical.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/CombatAttributeInfluenceDamage.h"
#include "combat/CombatAttributeMod.h"
#include "combat/CombatAttributeType.h"
#include "combat/DamageAttributeAbs.h"
#include "combat/DamageAttributeAbs_ManaBurn.h"
#include "combat/DamageAttributeDur.h"
#include "combat/DamageAttributeStore.h"
#include "combat/DamageAttributeStore_Equipment.h"
#include "combat/DamageAttributeStore_Skill.h"
#include "combat/DamageAttribute_BasePhysical.h"
#include "combat/DamageAttribute_Physical.h"
#include "combat/DefenseAttributeAbs.h"
#include "combat/DefenseAttributeAbsMod.h"
#include "combat/DefenseAttributeDur.h"
#include "combat/DefenseAttributeDurMod.h"
#include "combat/DefenseAttributeStore_Character.h"
#include "combat/DefenseAttributeStore_Equipment.h"
#include "combat/DefenseAttributeStore_Skill.h"
#include "combat/DefenseAttribute_BaseProtectionAbsorption.h"
#include "combat/DefenseAttribute_SkillProtectionAbsorption.h"
#include "combat/RacialBonus.h"
#include "combat/RetaliationAttributeKinds.h"
#include "combat/RetaliationAttributeStore_Equipment.h"
#include "combat/RetaliationAttributeStore_Skill.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_DamageAttributes.h"
#include "items/CostInfo_DefenseAttributes.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Must.h"
#include "tests/support/Records.h"
#include "tests/support/RiggedAccumulator.h"
#include "tests/support/ScriptedAccumulator.h"
#include "tests/support/ScriptedRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

using Calls = std::vector<std::pair<float, float>>;
using IntCalls = std::vector<std::pair<int, int>>;

class DamageAttributeFixture : public ::testing::Test {
protected:
    template <typename T> T* Load(const std::string& text)
    {
        return static_cast<T*>(
            DamageAttribute::LoadInto(std::make_unique<T>(), store, Record(text)));
    }

    // For records that must load: a refusal ends the test there rather than at a null.
    template <typename T> T* Loaded(const std::string& text) { return Must(Load<T>(text)); }

    DamageAttributeStore store;
    CombatAttributeAccumulator accumulator;
    ScriptedRandom random;
};

// The price fields in their order, the count last, to compare in one piece.
std::vector<float> CostFields(const CostInfo_DamageAttributes& info)
{
    return {info.avgBase, info.avgPierceRatio,           info.avgBonus, info.avgOverTime, info.mod,
            info.modDur,  static_cast<float>(info.count)};
}

template <typename Store> class Exposed : public Store {
public:
    using DamageAttributeStore::GetGlobalChance;
};

std::vector<CombatAttributeType> Types(const CombatAttributeAccumulator::AttributeList& list)
{
    std::vector<CombatAttributeType> types;
    for (const auto& attribute : list)
        types.push_back(attribute->GetType());
    return types;
}

using Pairs = std::vector<std::pair<int32_t, float>>;

// The defenses (type, value) the attack holds, in order.
Pairs DefensesOf(const CombatAttributeAccumulator& accumulator)
{
    Pairs result;
    for (const auto& defense : accumulator.GetDefenses())
        result.emplace_back(defense->GetType(), defense->GetDefense());
    return result;
}

using Names = std::vector<std::string>;

template <typename... Parts> Names Join(const Parts&... parts)
{
    Names names;
    (names.insert(names.end(), parts.begin(), parts.end()), ...);
    return names;
}

// Damage, damage over time and the modifier of each, for one element.
Names Element(const std::string& name)
{
    return {"Abs_" + name, "Dur_" + name, "AbsMod_" + name, "DurMod_" + name};
}

// The class names, without the head, of what a group holds, looked up in the registry.
Names HeldKinds(const DamageAttributeStore::AttributeList& list,
                const std::vector<DamageAttributeKindInfo>& kinds, const char* head)
{
    Names names;
    for (const auto& attribute : list) {
        const DamageAttribute& held = *attribute;
        std::string name = "DamageAttribute_BasePhysical";
        for (const DamageAttributeKindInfo& kind : kinds) {
            const std::unique_ptr<DamageAttribute> made = kind.create();
            const DamageAttribute& sample = *made;
            if (typeid(sample) == typeid(held))
                name = kind.className;
        }
        names.push_back(name.erase(0, strlen(head)));
    }
    return names;
}

// A record that gives every kind a value under the keys the kind reads.
LoadTable EveryKind(const std::vector<DamageAttributeKindInfo>& kinds)
{
    std::string text;
    for (const DamageAttributeKindInfo& kind : kinds) {
        const DamageAttributeKeys& keys = kind.create()->GetKeys();
        for (const char* key : {keys.valueMin, keys.durationMin, keys.modifier})
            if (key != nullptr)
                text += std::string(key) + " = 5\n";
    }
    return Record(text);
}

using DamageAttributeTest = DamageAttributeFixture;

TEST_F(DamageAttributeTest, PairsTakeTheLastMaximumAndNeverGoBelowTheMinimum)
{
    auto* cold = Loaded<DamageAttributeAbs_Cold>("offensiveColdMin = 5;8;12\n"
                                                 "offensiveColdMax = 7\n");
    const float expected[][2] = {{0, 0}, {5, 7}, {8, 8}, {12, 12}, {12, 12}};
    for (uint32_t level = 0; level < 5; ++level) {
        EXPECT_EQ(cold->GetValueMin(level == 4 ? 7 : level), expected[level][0]) << level;
        EXPECT_EQ(cold->GetValueMax(level == 4 ? 7 : level), expected[level][1]) << level;
    }

    auto* fixed = Loaded<DamageAttributeAbs_Fire>("offensiveFireMin = 10\n");
    EXPECT_EQ(fixed->GetValueMax(1), 10.0f);
}

TEST_F(DamageAttributeTest, AbsentOrLoneZeroRecordsLoadNothing)
{
    EXPECT_EQ(Load<DamageAttributeAbs_Cold>("offensiveColdMin = 0\noffensiveColdMax = 9\n"),
              nullptr);
    // No minimum at all: no pairs, and nothing read past the empty list.
    EXPECT_EQ(Load<DamageAttributeAbs_Cold>("offensiveColdMax = 9\n"), nullptr);
    EXPECT_EQ(Load<DamageAttributeAbsMod_Cold>("offensiveColdModifier = 0\n"), nullptr);
    EXPECT_EQ(Load<DamageAttributeDur_Cold>("offensiveSlowColdMin = 4\n"), nullptr);
    EXPECT_EQ(Load<DamageAttributeAbs_ManaBurn>("offensiveManaBurnDamageRatio = 20\n"), nullptr);

    // Only a single 0 counts as absent; the chance keeps its 0.
    EXPECT_NE(Load<DamageAttributeAbs_Cold>("offensiveColdMin = 0;0\n"), nullptr);
    EXPECT_NE(Load<DamageAttributeDurMod_Cold>("offensiveSlowColdModifier = 0\n"
                                               "offensiveSlowColdDurationModifier = 5\n"),
              nullptr);
    auto* chance = Loaded<DamageAttributeAbs_Poison>("offensivePoisonChance = 0\n"
                                                     "offensivePoisonMin = 3\n");
    accumulator.SetSeed(5);
    const uint32_t before = accumulator.GetRandomGen().GetState();
    chance->AddDamageToAccumulator(accumulator, 1, random, false);
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), before);
    EXPECT_EQ(accumulator.GetDamage().size(), 1u);
}

TEST_F(DamageAttributeTest, GlobalAndXorKeysOfAStemChooseTheGroupOfBothKinds)
{
    const std::string stun = "offensiveStunModifier = 10\noffensiveStunMin = 2\n";
    Loaded<DamageAttributeAbsMod_Stun>(stun + "offensiveStunGlobal = 1\n");
    Loaded<DamageAttributeReflex_Stun>(stun + "offensiveStunGlobal = 1\n");
    EXPECT_EQ(store.GetGlobalAndAttributes().size(), 2u);

    const std::string xorGroup = stun + "offensiveStunGlobal = 1\noffensiveStunXOR = 1\n";
    Loaded<DamageAttributeAbsMod_Stun>(xorGroup);
    Loaded<DamageAttributeReflex_Stun>(xorGroup);
    EXPECT_EQ(store.GetGlobalXorAttributes().size(), 2u);

    // The XOR key counts only inside a global group.
    Loaded<DamageAttributeReflex_Stun>(stun + "offensiveStunXOR = 1\n");
    EXPECT_EQ(store.GetAttributes().size(), 1u);
}

TEST_F(DamageAttributeTest, ChanceIsRolledOnlyWhenNotForcedAndAFailedRollDrawsNothing)
{
    auto* cold =
        Loaded<DamageAttributeAbs_Cold>("offensiveColdChance = 25\noffensiveColdMin = 10\n");
    RiggedAccumulator attack;
    attack.pass = false;
    cold->AddDamageToAccumulator(attack, 1, random, true);
    EXPECT_EQ(attack.rolls, 0);
    EXPECT_EQ(attack.GetDamage().size(), 1u);
    cold->AddDamageToAccumulator(attack, 1, random, false);
    EXPECT_EQ(attack.rolls, 1);
    EXPECT_EQ(attack.GetDamage().size(), 1u);
    EXPECT_EQ(random.floatCalls, (Calls{{10.0f, 10.0f}})) << "only the forced value is drawn";
}

TEST_F(DamageAttributeTest, DurationKindsDrawValueThenDurationAndWeighOnlyTheValue)
{
    auto* cold = Loaded<DamageAttributeDur_Cold>(
        "offensiveSlowColdMin = 5\noffensiveSlowColdMax = 9\noffensiveSlowColdDurationMin = 3\n");
    random.floats = {7.0f, 3.0f};
    RiggedAccumulator doubling;
    doubling.multiplier = 2.0f;
    cold->AddDamageToAccumulator(doubling, 1, random, false);
    EXPECT_EQ(random.floatCalls, (Calls{{5.0f, 9.0f}, {3.0f, 3.0f}}));
    ASSERT_EQ(doubling.GetDamage().size(), 1u);
    const auto& damage = *doubling.GetDamage()[0];
    EXPECT_EQ(typeid(damage), typeid(CombatAttributeDurDamageElemental));
    const auto& dur = static_cast<const CombatAttributeDurDamage&>(damage);
    EXPECT_EQ(dur.GetValue(), 14.0f);
    EXPECT_EQ(dur.GetDuration(), 3.0f);
}

TEST_F(DamageAttributeTest, ElementalDamageSplitsOneDrawWhereItsModifierGoesWholeToEachElement)
{
    auto* elemental = Loaded<DamageAttributeAbs_ElementalDamage>("offensiveElementalMin = 30\n");
    elemental->AddDamageToAccumulator(accumulator, 1, random, false);
    EXPECT_EQ(random.floatCalls, (Calls{{30.0f, 30.0f}}));

    const CombatAttributeType order[] = {CombatAttributeType_Cold, CombatAttributeType_Fire,
                                         CombatAttributeType_Lightning};
    ASSERT_EQ(accumulator.GetDamage().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const auto& share = *accumulator.GetDamage()[i];
        EXPECT_EQ(typeid(share), typeid(CombatAttributeAbsDamage));
        EXPECT_EQ(share.GetType(), order[i]);
        EXPECT_EQ(static_cast<const CombatAttributeAbsDamage&>(share).GetValue(),
                  30.0f * 0.33333334f);
    }

    auto* modifier = Loaded<DamageAttributeAbsMod_Elemental>("offensiveElementalModifier = 20\n");
    modifier->AddDamageToAccumulator(accumulator, 1, random, false);
    EXPECT_EQ(accumulator.GetDamage().size(), 3u) << "the modifier adds no damage";
    modifier->AddModifierToAccumulator(accumulator, 1, random, false);
    ASSERT_EQ(accumulator.GetDamageModifiers().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        CombatAttributeAbsDamage target(order[i], 100.0f);
        accumulator.GetDamageModifiers()[i]->Execute(&target, CombatAttributeRegion_Unprotected);
        EXPECT_EQ(target.GetModifier(), 20.0f) << i;
    }
}

TEST_F(DamageAttributeTest, TotalSpeedSlowsAttackSpellCastAndRunSpeedAlike)
{
    auto* speed = Loaded<DamageAttributeDur_TotalSpeed>("offensiveSlowTotalSpeedMin = 10\n"
                                                        "offensiveSlowTotalSpeedMax = 20\n"
                                                        "offensiveSlowTotalSpeedDurationMin = 2\n");
    random.floats = {12.0f, 2.0f};
    speed->AddDamageToAccumulator(accumulator, 1, random, false);
    ASSERT_EQ(accumulator.GetDamage().size(), 3u);
    for (int32_t i = 0; i < 3; ++i) {
        const auto& slow = *accumulator.GetDamage()[i];
        EXPECT_EQ(typeid(slow), typeid(CombatAttributeDurFixedDamage));
        EXPECT_EQ(slow.GetType(), CombatAttributeType_AttackSpeed + i);
        EXPECT_EQ(static_cast<const CombatAttributeDurDamage&>(slow).GetValue(), 12.0f);
        EXPECT_EQ(static_cast<const CombatAttributeDurDamage&>(slow).GetDuration(), 2.0f);
    }
}

// One kind of each family; the family's other kinds differ only in the class they name.
TEST_F(DamageAttributeTest, EachKindAddsItsOwnCombatAttribute)
{
    const struct {
        const char* kind;
        std::type_index created;
    } kinds[] = {
        {"DamageAttributeAbsBase_Cold", typeid(CombatAttributeAbsDamageElemental)},
        {"DamageAttributeAbsBase_Poison", typeid(CombatAttributeAbsDamage)},
        {"DamageAttributeAbs_Lightning", typeid(CombatAttributeAbsDamageElemental)},
        {"DamageAttributeReflex_Trap", typeid(CombatAttributeReflexDamage)},
        {"DamageAttributeAbs_Taunt", typeid(CombatAttributeInfluenceDamage_Taunt)},
        {"DamageAttributeAbs_Convert", typeid(CombatAttributeInfluenceDamage_Convert)},
        {"DamageAttributeAbs_PercentCurrentLife", typeid(CombatAttributeAbsDamage_PercentLife)},
        {"DamageAttributeAbs_BonusPhysical", typeid(CombatAttributeDamage_BonusPhysical)},
        {"DamageAttributeDur_Poison", typeid(CombatAttributeDurDamage)},
        {"DamageAttributeDur_Fumble", typeid(CombatAttributeDurFixedDamage)},
    };
    for (const auto& entry : kinds) {
        SCOPED_TRACE(entry.kind);
        std::unique_ptr<DamageAttribute> probe = CreateDamageAttribute(entry.kind);
        std::string text = std::string(probe->GetLoadChanceTag()) + " = 0\n";
        if (auto* flat = dynamic_cast<DamageAttributeAbs*>(probe.get()))
            text += std::string(flat->GetLoadValueMinTag()) + " = 4\n";
        if (auto* dur = dynamic_cast<DamageAttributeDur*>(probe.get()))
            text += std::string(dur->GetLoadValueMinTag()) + " = 4\n" +
                    dur->GetLoadDurationMinTag() + " = 2\n";
        DamageAttribute* attribute =
            Must(DamageAttribute::LoadInto(CreateDamageAttribute(entry.kind), store, Record(text)));
        CombatAttributeAccumulator attack;
        attribute->AddModifierToAccumulator(attack, 1, random, false);
        attribute->AddDamageToAccumulator(attack, 1, random, false);
        EXPECT_TRUE(attack.GetDamageModifiers().empty());
        ASSERT_EQ(attack.GetDamage().size(), 1u);
        const auto& created = *attack.GetDamage()[0];
        EXPECT_EQ(std::type_index(typeid(created)), entry.created);
        EXPECT_EQ(created.GetType(), probe->GetType());
    }
}

TEST_F(DamageAttributeTest, RetaliationAddsPlainDamageWhereOffenseAddsElemental)
{
    const std::pair<const char*, const char*> records[] = {
        {"RetaliationAttributeAbs_ElementalDamage", "retaliationElementalMin = 30\n"},
        {"RetaliationAttributeAbs_Fire", "retaliationFireMin = 20\n"},
        {"RetaliationAttributeDur_Lightning",
         "retaliationSlowLightningMin = 4\nretaliationSlowLightningDurationMin = 3\n"},
        {"RetaliationAttributeAbs_PercentCurrentLife", "retaliationPercentCurrentLifeMin = 15\n"},
        {"RetaliationAttributeReflex_Stun", "retaliationStunMin = 2\n"},
        {"RetaliationAttributeDur_RunSpeed",
         "retaliationSlowRunSpeedMin = 30\nretaliationSlowRunSpeedDurationMin = 5\n"}};
    for (const auto& [kind, keys] : records)
        DamageAttribute::LoadInto(CreateRetaliationAttribute(kind), store, Record(keys))
            ->AddDamageToAccumulator(accumulator, 1, random, false);
    using Added = std::pair<std::type_index, CombatAttributeType>;
    std::vector<Added> added;
    for (const auto& damage : accumulator.GetDamage()) {
        const CombatAttribute& held = *damage;
        added.emplace_back(typeid(held), held.GetType());
    }
    // The elemental equation is for the character's own blows only.
    const std::type_index plain = typeid(CombatAttributeAbsDamage);
    EXPECT_EQ(added, (std::vector<Added>{
                         {plain, CombatAttributeType_Cold},
                         {plain, CombatAttributeType_Fire},
                         {plain, CombatAttributeType_Lightning},
                         {plain, CombatAttributeType_Fire},
                         {typeid(CombatAttributeDurDamage), CombatAttributeType_Lightning},
                         {typeid(CombatAttributeAbsDamage_PercentLife),
                          CombatAttributeType_PercentCurrentLife},
                         {typeid(CombatAttributeReflexDamage), CombatAttributeType_Stun},
                         {typeid(CombatAttributeDurFixedDamage), CombatAttributeType_RunSpeed}}));
}

TEST_F(DamageAttributeTest, ExtremeValuesSaturateWhenScaledOrJitteredInsteadOfOverflowing)
{
    auto& flat = dynamic_cast<DamageAttributeAbs&>(*DamageAttribute::LoadInto(
        CreateRetaliationAttribute("RetaliationAttributeAbs_Physical"), store,
        Record("retaliationPhysicalMin = 1e12\n"
               "retaliationPhysicalMax = 1e12\n")));
    flat.ScaleAttribute(10.0f);
    EXPECT_EQ(flat.GetValueMin(1), 1e12f + static_cast<float>(INT32_MAX));
    RandomUniform generator;
    flat.AddJitter(50.0f, &generator);
    EXPECT_TRUE(std::isfinite(flat.GetValueMin(1)));

    auto* huge = Loaded<DamageAttributeDurMod_Fire>("offensiveSlowFireModifier = 3e38\n"
                                                    "offensiveSlowFireDurationModifier = -3e38\n");
    random.ints = {INT32_MAX, INT32_MAX};
    huge->AddJitter(50.0f, &random);
    huge->ScaleAttribute(50.0f);
    EXPECT_EQ(random.intCalls.front(), std::make_pair(-INT32_MAX, INT32_MAX));
    EXPECT_FLOAT_EQ(huge->GetModifierValue(1), 3e38f);
    EXPECT_FLOAT_EQ(huge->GetDurationModifierValue(1), -3e38f);
}

TEST_F(DamageAttributeTest, ScalingTruncatesTheSinglePrecisionPercent)
{
    auto* modifier = Loaded<DamageAttributeAbsMod_Fire>("offensiveFireModifier = 100\n");
    auto* flat = Loaded<DamageAttributeAbs_Fire>("offensiveFireMin = 10\noffensiveFireMax = 14\n");
    auto* dur = Loaded<DamageAttributeDur_Fire>("offensiveSlowFireMin = 10\n"
                                                "offensiveSlowFireDurationMin = 4\n");
    modifier->ScaleAttribute(0.0f);
    modifier->ScaleAttribute(10.0f);
    EXPECT_EQ(modifier->GetModifierValue(1), 109.0f);
    flat->ScaleAttribute(50.0f);
    EXPECT_EQ(std::make_pair(flat->GetValueMin(1), flat->GetValueMax(1)),
              std::make_pair(14.0f, 18.0f));
    dur->ScaleAttribute(50.0f);
    EXPECT_EQ(dur->GetValueMin(1), 14.0f);
    EXPECT_EQ(dur->GetDurationMin(1), 4.0f);
}

TEST_F(DamageAttributeTest, JitterIsClampedToFiftyPercentAndSparesBaseKindsAndDurations)
{
    auto* clamped =
        Loaded<DamageAttributeAbs_Cold>("offensiveColdMin = 100\noffensiveColdMax = 150\n");
    random.ints = {3, -2};
    clamped->AddJitter(80.0f, &random);
    // 80 percent rolls as 50: 100 and its spread 50 move by whole steps of at most 49 and 24.
    EXPECT_EQ(random.intCalls, (IntCalls{{-49, 49}, {-24, 24}}));
    EXPECT_EQ(clamped->GetValueMin(1), 103.0f);
    EXPECT_EQ(clamped->GetValueMax(1), 151.0f);

    // No percent or no generator: nothing changes and nothing is drawn.
    clamped->AddJitter(0.0f, &random);
    clamped->AddJitter(20.0f, nullptr);
    EXPECT_EQ(clamped->GetValueMin(1), 103.0f);
    EXPECT_EQ(random.intCalls.size(), 2u);

    // A result below 1 in magnitude keeps the value, but the draw is spent.
    auto* small = Loaded<DamageAttributeAbsMod_Cold>("offensiveColdModifier = 0.5\n");
    random.ints = {-1};
    small->AddJitter(10.0f, &random);
    EXPECT_EQ(small->GetModifierValue(1), 0.5f);
    EXPECT_EQ(random.intCalls.back(), std::make_pair(-1, 1));

    auto* base = Loaded<DamageAttributeAbsBase_Cold>("offensiveBaseColdMin = 100\n");
    auto* dur = Loaded<DamageAttributeDur_Poison>("offensiveSlowPoisonMin = 100\n"
                                                  "offensiveSlowPoisonDurationMin = 100\n");
    ScriptedRandom spare;
    spare.ints = {7, 7};
    base->AddJitter(50.0f, &spare);
    EXPECT_EQ(base->GetValueMin(1), 100.0f);
    EXPECT_TRUE(spare.intCalls.empty());
    dur->AddJitter(50.0f, &spare);
    EXPECT_EQ(dur->GetDurationMin(1), 100.0f);
}

TEST_F(DamageAttributeTest, PricesCountLevelOneWeighedByItsChance)
{
    Loaded<DamageAttributeAbs_Cold>("offensiveColdChance = 50\noffensiveColdMin = 10\n"
                                    "offensiveColdMax = 20\n");
    Loaded<DamageAttributeAbsBase_Fire>("offensiveBaseFireMin = 0;4\n"
                                        "offensiveBaseFireMax = 6\n");
    Loaded<DamageAttributeDur_Poison>("offensiveSlowPoisonMin = 4\n"
                                      "offensiveSlowPoisonMax = 6\n"
                                      "offensiveSlowPoisonDurationMin = 2\n");
    Loaded<DamageAttributeDurMod_Cold>("offensiveSlowColdModifier = 10\n"
                                       "offensiveSlowColdDurationModifier = 30\n");
    Loaded<DamageAttributeAbsMod_Fire>("offensiveFireModifier = -5\n");
    CostInfo_DamageAttributes info;
    for (const auto& attribute : store.GetAttributes())
        attribute->GetCostInfo(info);
    // A range from 0 is not halved: a base of 6.
    EXPECT_EQ(CostFields(info), (std::vector<float>{6.0f, 0.0f, 7.5f, 10.0f, 10.0f, 30.0f, 5}));
}

class DamageAttributePhysicalTest : public DamageAttributeFixture {
protected:
    const CombatAttributeDamage_BasePhysical& OnlyPhysical() const
    {
        EXPECT_EQ(accumulator.GetDamage().size(), 1u);
        return dynamic_cast<const CombatAttributeDamage_BasePhysical&>(*accumulator.GetDamage()[0]);
    }
};

TEST_F(DamageAttributePhysicalTest, WeaponWithoutPhysicalKeysStillStrikesForNothing)
{
    DamageAttribute_BasePhysical::Create_BasePhysical(store,
                                                      Record("offensivePhysicalGlobal = 1\n"));
    ASSERT_EQ(store.GetAttributes().size(), 1u);
    const DamageAttribute& base = *store.GetAttributes()[0];
    base.AddDamageToAccumulator(accumulator, 1, random, false);
    EXPECT_EQ(OnlyPhysical().GetPhysical(), 0.0f);
}

TEST_F(DamageAttributePhysicalTest, WeaponDamageRollsNoChanceAndIsScaledButNeverJittered)
{
    auto* base = Loaded<DamageAttribute_BasePhysical>("offensivePhysicalMin = 4\n"
                                                      "offensivePhysicalMax = 6\n"
                                                      "offensivePierceRatioMin = 10\n"
                                                      "offensivePhysicalChance = 50\n");
    accumulator.SetSeed(12);
    const uint32_t chanceState = accumulator.GetRandomGen().GetState();
    random.floats = {5.5f};
    base->AddDamageToAccumulator(accumulator, 0, random, false);
    EXPECT_EQ(accumulator.GetRandomGen().GetState(), chanceState);
    EXPECT_EQ(random.floatCalls, (Calls{{4.0f, 6.0f}}));
    EXPECT_EQ(OnlyPhysical().GetPhysical(), 5.5f);
    EXPECT_EQ(OnlyPhysical().GetPierceRatio(), 10.0f);

    base->AddJitter(50.0f, &random);
    EXPECT_EQ(base->GetMinimum(), 4.0f);
    EXPECT_TRUE(random.intCalls.empty());
    // 50 percent of 4 is 1.99999996, one whole point.
    base->ScaleAttribute(50.0f);
    EXPECT_EQ(base->GetMinimum(), 5.0f);
    EXPECT_EQ(base->GetSpread(), 2.0f);
}

TEST_F(DamageAttributePhysicalTest, PerLevelSpreadHoldsWholeUnits)
{
    auto* physical = Loaded<DamageAttribute_Physical>("offensivePhysicalMin = 3.5;1\n"
                                                      "offensivePhysicalMax = 7.2;1e30\n"
                                                      "offensivePierceRatio = 0\n");
    EXPECT_EQ(physical->GetValueMax(1), 6.5f);
    // An absurd maximum saturates rather than overflowing the whole number.
    EXPECT_EQ(physical->GetValueMax(2), 1.0f + 4294967295.0f);

    physical->AddDamageToAccumulator(accumulator, 1, random, true);
    EXPECT_EQ(random.floatCalls, (Calls{{3.5f, 6.5f}}));
    EXPECT_EQ(OnlyPhysical().GetType(), CombatAttributeType_PhysicalPierce);
    EXPECT_EQ(Load<DamageAttribute_Physical>("offensivePierceRatio = 20\n"), nullptr);
}

TEST_F(DamageAttributePhysicalTest, PerLevelJitterTruncatesTheSpreadAndMovesThePierceRatio)
{
    auto* physical = Loaded<DamageAttribute_Physical>("offensivePhysicalMin = 10\n"
                                                      "offensivePhysicalMax = 20\n"
                                                      "offensivePierceRatio = 30\n");
    random.ints = {1, -1, 2};
    physical->AddJitter(10.0f, &random);
    EXPECT_EQ(random.intCalls, (IntCalls{{-1, 1}, {-1, 1}, {-2, 2}}));
    EXPECT_EQ(physical->GetValueMin(1), 11.0f);
    EXPECT_EQ(physical->GetValueMax(1), 20.0f);
    EXPECT_EQ(physical->GetPierceRatio(1), 32.0f);
}

TEST_F(DamageAttributePhysicalTest, PriceWeighsLevelOneByItsChanceWithItsPierceRatio)
{
    auto* physical = Loaded<DamageAttribute_Physical>("offensivePhysicalChance = 20\n"
                                                      "offensivePhysicalMin = 4;5;6\n"
                                                      "offensivePierceRatio = 10;15;12\n");
    CostInfo_DamageAttributes info;
    physical->GetCostInfo(info);
    // (4 + 4) / 2 at a chance of 20 percent.
    EXPECT_FLOAT_EQ(info.avgBonus, 0.8f);
    EXPECT_EQ(info.avgPierceRatio, 10.0f);
}

TEST_F(DamageAttributePhysicalTest, ManaBurnCarriesItsRatioIntoTheAttack)
{
    auto* burn = Loaded<DamageAttributeAbs_ManaBurn>("offensiveManaBurnDrainMin = 0;5\n"
                                                     "offensiveManaBurnDamageRatio = 20;20;25\n");
    burn->AddDamageToAccumulator(accumulator, 3, random, false);
    ASSERT_EQ(accumulator.GetDamage().size(), 1u);
    const auto& drain =
        dynamic_cast<const CombatAttributeAbsDamage_ManaBurn&>(*accumulator.GetDamage()[0]);
    EXPECT_EQ(drain.GetValue(), 5.0f);
    EXPECT_EQ(drain.GetRatio(), 25.0f);

    // Jitter and scaling leave the ratio alone.
    burn->AddJitter(50.0f, &random);
    burn->ScaleAttribute(50.0f);
    EXPECT_EQ(burn->GetDamageRatio(3), 25.0f);
}

// Kinds whose stem or type leaves the naming rule: every key comes from their own stem, and
// nothing else reads them.
TEST(DamageAttributeKinds, KindsOffTheNamingRuleReadEveryKeyFromTheirStem)
{
    const struct {
        const char* kind;
        const char* stem;
        CombatAttributeType type;
    } rows[] = {
        {"Abs_LifeLeech", "offensiveLifeLeech", CombatAttributeType_LifeLeach},
        {"Abs_BonusPhysical", "offensiveBonusPhysical", CombatAttributeType_Physical},
        {"Dur_TotalResistanceReductionAbsolute", "offensiveTotalResistanceReductionAbsolute",
         CombatAttributeType_TotalResistanceReductionAbsolute},
        {"Dur_ProjectileFumble", "offensiveProjectileFumble", CombatAttributeType_ProjectileFumble},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        const std::string kind = row.kind;
        const std::unique_ptr<DamageAttribute> made =
            CreateDamageAttribute(("DamageAttribute" + kind).c_str());
        ASSERT_NE(made, nullptr);
        const DamageAttributeKeys& keys = made->GetKeys();
        EXPECT_EQ(keys.type, row.type);
        std::vector<std::pair<const char*, const char*>> read = {{keys.chance, "Chance"},
                                                                 {keys.xorKey, "XOR"},
                                                                 {keys.global, "Global"},
                                                                 {keys.valueMin, "Min"},
                                                                 {keys.valueMax, "Max"}};
        if (kind.starts_with("Dur_"))
            read.insert(read.end(),
                        {{keys.durationMin, "DurationMin"}, {keys.durationMax, "DurationMax"}});
        for (const auto& [key, suffix] : read)
            EXPECT_STREQ(key, (std::string(row.stem) + suffix).c_str());
    }
    // The weapon's base damage is made by its store, never by name.
    EXPECT_EQ(CreateDamageAttribute("DamageAttribute_BasePhysical"), nullptr);
    EXPECT_EQ(CreateDamageAttribute("DamageAttributeAbs_Frost"), nullptr);
}

using ExposedStore = Exposed<DamageAttributeStore_Equipment>;

float ValueMin(const std::unique_ptr<DamageAttribute>& attribute)
{
    return dynamic_cast<const DamageAttributeAbs&>(*attribute).GetValueMin(1);
}

TEST(DamageAttributeStoreGlobalChance, SuffixThenPrefixOverrideTheFirstLevelOnly)
{
    const LoadTable record = Record("offensiveGlobalChance = 70;80\n");
    const LoadTable prefix = Record("offensiveGlobalChance = 50\n");
    const LoadTable suffix = Record("offensiveGlobalChance = 30\n");
    ExposedStore store;
    store.Load(record, &prefix, &suffix, false);
    EXPECT_EQ(store.GetGlobalChance(0), 0.0f);
    EXPECT_EQ(store.GetGlobalChance(1), 30.0f);
    EXPECT_EQ(store.GetGlobalChance(9), 80.0f);

    ExposedStore prefixOnly;
    prefixOnly.Load(record, &prefix, nullptr, false);
    EXPECT_EQ(prefixOnly.GetGlobalChance(1), 50.0f);

    // A second load keeps the first record's levels.
    prefixOnly.Load(Record("offensiveGlobalChance = 5\n"), nullptr, nullptr, false);
    EXPECT_EQ(prefixOnly.GetGlobalChance(2), 80.0f);
}

TEST(DamageAttributeStoreGlobalChance, OneOfGroupPicksByRunningSumOfChances)
{
    const LoadTable record = Record("offensiveGlobalChance = 100\n"
                                    "offensiveFireMin = 1\noffensiveFireChance = 10\n"
                                    "offensiveFireGlobal = 1\noffensiveFireXOR = 1\n"
                                    "offensiveColdMin = 2\noffensiveColdChance = 30\n"
                                    "offensiveColdGlobal = 1\noffensiveColdXOR = 1\n"
                                    "offensiveLightningMin = 3\noffensiveLightningChance = 60\n"
                                    "offensiveLightningGlobal = 1\noffensiveLightningXOR = 1\n");
    DamageAttributeStore_Skill store;
    store.Load(record);

    const std::pair<float, CombatAttributeType> cases[] = {{10.0f, CombatAttributeType_Fire},
                                                           {10.5f, CombatAttributeType_Cold},
                                                           {40.0f, CombatAttributeType_Cold},
                                                           {40.5f, CombatAttributeType_Lightning}};
    for (const auto& [draw, type] : cases) {
        ScriptedAccumulator accumulator;
        accumulator.random.floats = {100.0f, draw};
        store.AddDamageToAccumulator(accumulator, 1);
        EXPECT_EQ(Types(accumulator.GetDamage()), std::vector<CombatAttributeType>{type}) << draw;
        ASSERT_EQ(accumulator.random.floatCalls.size(), 3u);
        EXPECT_EQ(accumulator.random.floatCalls[1], std::make_pair(0.0f, 100.0f));
    }
}

TEST(DamageAttributeStoreGlobalChance, AllOfGroupTakesPartWhenTheRollReachesTheChance)
{
    const LoadTable record = Record("offensiveGlobalChance = 40\n"
                                    "offensivePoisonMin = 3\n"
                                    "offensiveLifeMin = 4\noffensiveLifeGlobal = 1\n");
    DamageAttributeStore_Skill store;
    store.Load(record);

    ScriptedAccumulator passes;
    passes.random.floats = {3.0f, 40.0f};
    store.AddDamageToAccumulator(passes, 1);
    EXPECT_EQ(
        Types(passes.GetDamage()),
        (std::vector<CombatAttributeType>{CombatAttributeType_Poison, CombatAttributeType_Life}));

    ScriptedAccumulator fails;
    fails.random.floats = {3.0f, 40.5f};
    store.AddDamageToAccumulator(fails, 1);
    EXPECT_EQ(Types(fails.GetDamage()),
              std::vector<CombatAttributeType>{CombatAttributeType_Poison});
    EXPECT_EQ(fails.random.floatCalls.size(), 2u);

    // Level 0 has no chance at all: the groups draw nothing.
    ScriptedAccumulator levelZero;
    store.AddDamageToAccumulator(levelZero, 0);
    EXPECT_EQ(levelZero.random.floatCalls.size(), 1u);
}

// Kinds by class name without the "DamageAttribute" head, in the shared order, with the skill- and
// item-only kinds where each loader puts them.
const Names kItemBase = {"AbsBase_Fire",   "AbsBase_Cold", "AbsBase_Lightning",
                         "AbsBase_Poison", "AbsBase_Life", "Abs_BonusPhysical"};
const Names kPhysicalHead = {"AbsMod_Physical", "DurMod_Physical", "AbsMod_PierceRatio",
                             "Abs_Pierce",      "AbsMod_Pierce",   "Dur_Bleeding",
                             "AbsMod_Bleeding", "DurMod_Bleeding", "Abs_ElementalDamage",
                             "AbsMod_Elemental"};
const Names kDrains = {"Abs_LifeLeech",        "Dur_LifeLeach",          "DurMod_LifeLeach",
                       "Abs_ManaBurn",         "AbsMod_ManaBurn",        "Dur_ManaLeach",
                       "DurMod_ManaLeach",     "Dur_OffensiveAbility",   "DurMod_OffensiveAbility",
                       "Dur_DefensiveAbility", "DurMod_DefensiveAbility"};
const Names kReductions = {"Dur_OffensiveReduction",
                           "DurMod_OffensiveReduction",
                           "Dur_DefensiveReduction",
                           "Dur_TotalDamageReductionPercent",
                           "Dur_TotalDamageReductionAbsolute",
                           "Dur_TotalResistanceReductionPercent",
                           "Dur_TotalResistanceReductionAbsolute",
                           "Dur_Fumble",
                           "Dur_ProjectileFumble"};
const Names kCommonHead =
    Join(kPhysicalHead, Element("Fire"), Element("Cold"), Element("Lightning"), Element("Poison"),
         Names{"Abs_PercentCurrentLife"}, Element("Life"), kDrains, kReductions);
const Names kStun = {"Reflex_Stun", "AbsMod_Stun"};
const Names kPetrify = {"Reflex_Freeze", "Reflex_Petrify"};
const Names kCommonTail = {"Abs_Confusion",      "Dur_TotalSpeed",     "Dur_AttackSpeed",
                           "DurMod_AttackSpeed", "Dur_SpellCastSpeed", "DurMod_SpellCastSpeed",
                           "Dur_RunSpeed",       "DurMod_RunSpeed"};

Names DamageKinds(const DamageAttributeStore& store)
{
    return HeldKinds(store.GetAttributes(), GetDamageAttributeKinds(), "DamageAttribute");
}

TEST(DamageAttributeStoreLoad, EachLoaderKeepsItsOrderOfKinds)
{
    const LoadTable record = EveryKind(GetDamageAttributeKinds());
    DamageAttributeStore_Skill skillStore;
    skillStore.Load(record);
    const Names skill = Join(Names{"_Physical", "Dur_Physical"}, kCommonHead,
                             Names{"Abs_Disruption"}, kStun, Names{"Reflex_Trap"}, kPetrify,
                             Names{"Abs_Taunt", "Abs_Convert", "Abs_Fear"}, kCommonTail);
    EXPECT_EQ(DamageKinds(skillStore), skill);

    const Names itemTail = Join(kCommonHead, kStun, kPetrify, Names{"Abs_Convert"}, kCommonTail,
                                Names{"Abs_Disruption"});
    DamageAttributeStore_Equipment weapon;
    weapon.Load(record, nullptr, nullptr, false);
    EXPECT_EQ(DamageKinds(weapon), Join(Names{"_BasePhysical"}, kItemBase, itemTail));

    DamageAttributeStore_Equipment armour;
    armour.Load(record, nullptr, nullptr, true);
    EXPECT_EQ(DamageKinds(armour), Join(Names{"_Physical"}, itemTail));
}

template <typename Store> void ExpectAffixesJitteredOnTheirOwn(const std::string& key, size_t first)
{
    SCOPED_TRACE(key);
    const LoadTable record = Record(key + " = 10\n");
    const LoadTable prefix = Record(key + " = 20\n");
    const LoadTable suffix = Record(key + " = 30\nlootRandomizerJitter = 10\n");
    ScriptedRandom random;
    random.ints = {1, -2};
    Store store;
    store.SetRandomGen(&random);
    store.Load(record, &prefix, &suffix, false);

    // The item's own record rolls 20 percent, the prefix nothing, the suffix its 10 percent.
    const auto& attributes = store.GetAttributes();
    ASSERT_EQ(attributes.size(), first + 3);
    EXPECT_EQ(ValueMin(attributes[first]), 11.0f);
    EXPECT_EQ(ValueMin(attributes[first + 1]), 20.0f);
    EXPECT_EQ(ValueMin(attributes[first + 2]), 28.0f);
    EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{-1, 1}, {-2, 2}}));
    EXPECT_EQ(store.GetRandomGen(), nullptr) << "the lent generator is gone after loading";
}

TEST(DamageAttributeStoreLoad, BasePrefixAndSuffixEachGiveAnAttributeJitteredOnItsOwn)
{
    // The weapon's base physical damage comes first.
    ExpectAffixesJitteredOnTheirOwn<DamageAttributeStore_Equipment>("offensiveFireMin", 1);
    ExpectAffixesJitteredOnTheirOwn<RetaliationAttributeStore_Equipment>("retaliationFireMin", 0);
}

TEST(DamageAttributeStoreLoad, CostAndScaleReachEveryGroup)
{
    const LoadTable record = Record("offensivePhysicalMin = 5\noffensivePhysicalMax = 9\n"
                                    "offensiveFireMin = 10\noffensiveFireMax = 20\n"
                                    "offensiveFireGlobal = 1\noffensiveFireXOR = 1\n");
    DamageAttributeStore_Equipment store;
    store.Load(record, nullptr, nullptr, false);
    CostInfo_DamageAttributes cost;
    store.GetCostInfo(cost);
    EXPECT_EQ(CostFields(cost), (std::vector<float>{7.0f, 0, 15.0f, 0, 0, 0, 2}));

    store.ScaleAttributes(50.0f);
    EXPECT_EQ(ValueMin(store.GetGlobalXorAttributes()[0]), 14.0f);
}

template <typename Store>
void ExpectDeepCopies(const std::string& text, const std::vector<CombatAttributeType>& added)
{
    RandomUniform random;
    auto source = std::make_unique<Store>();
    source->Load(Record(text));
    source->SetRandomGen(&random);

    Store copy(*source);
    Store assigned;
    assigned.Load(Record("offensiveColdMin = 1\nretaliationColdMin = 1\n"));
    assigned = *source;
    const Store& itself = assigned;
    assigned = itself;
    EXPECT_NE(copy.GetAttributes()[0].get(), source->GetAttributes()[0].get());
    source.reset();

    for (const Store* store : {&copy, &assigned}) {
        EXPECT_EQ(store->GetRandomGen(), nullptr);
        CombatAttributeAccumulator accumulator;
        store->AddDamageToAccumulator(accumulator, 1);
        EXPECT_EQ(Types(accumulator.GetDamage()), added);
    }
}

TEST(DamageAttributeStoreCopy, CopiesOwnTheirAttributesAndNoGenerator)
{
    ExpectDeepCopies<DamageAttributeStore_Skill>(
        "offensiveGlobalChance = 100\noffensivePoisonMin = 3\n"
        "offensiveLifeMin = 4\noffensiveLifeGlobal = 1\n"
        "offensiveFireMin = 5\noffensiveFireGlobal = 1\noffensiveFireXOR = 1\n",
        {CombatAttributeType_Poison, CombatAttributeType_Life, CombatAttributeType_Fire});
    ExpectDeepCopies<RetaliationAttributeStore_Skill>(
        "retaliationGlobalChance = 100\nretaliationElementalMin = 30\n"
        "retaliationLifeMin = 4\nretaliationLifeGlobal = 1\n",
        {CombatAttributeType_Cold, CombatAttributeType_Fire, CombatAttributeType_Lightning,
         CombatAttributeType_Life});
}

using ExposedRetaliationStore = Exposed<RetaliationAttributeStore_Equipment>;

Names RetaliationKinds(const DamageAttributeStore::AttributeList& list)
{
    return HeldKinds(list, GetRetaliationAttributeKinds(), "RetaliationAttribute");
}

const Names kRetaliationHead = {
    "Abs_Physical", "Dur_Physical",  "AbsMod_Physical", "DurMod_Physical", "AbsMod_PierceRatio",
    "Abs_Pierce",   "AbsMod_Pierce", "Dur_Bleeding",    "DurMod_Bleeding", "Abs_ElementalDamage"};
const Names kRetaliationTail =
    Join(Names{"Abs_PercentCurrentLife"}, Element("Life"),
         Names{"Dur_LifeLeach", "DurMod_LifeLeach", "Dur_ManaLeach", "DurMod_ManaLeach",
               "Dur_OffensiveAbility", "DurMod_OffensiveAbility", "Dur_DefensiveAbility",
               "DurMod_DefensiveAbility", "Dur_OffensiveReduction", "DurMod_OffensiveReduction",
               "Reflex_Stun", "AbsMod_Stun", "Dur_AttackSpeed", "DurMod_AttackSpeed",
               "Dur_SpellCastSpeed", "DurMod_SpellCastSpeed", "Dur_RunSpeed", "DurMod_RunSpeed"});

TEST(RetaliationAttributeStoreLoad, ItemsTakeColdPoisonLightningFireSkillsFireColdLightningPoison)
{
    const LoadTable record = EveryKind(GetRetaliationAttributeKinds());
    RetaliationAttributeStore_Skill skill;
    skill.Load(record);
    EXPECT_EQ(RetaliationKinds(skill.GetAttributes()),
              Join(kRetaliationHead, Element("Fire"), Element("Cold"), Element("Lightning"),
                   Element("Poison"), kRetaliationTail));

    RetaliationAttributeStore_Equipment item;
    item.Load(record, nullptr, nullptr, true);
    EXPECT_EQ(RetaliationKinds(item.GetAttributes()),
              Join(kRetaliationHead, Element("Cold"), Element("Poison"), Element("Lightning"),
                   Element("Fire"), kRetaliationTail));
}

TEST(RetaliationAttributeStoreLoad, OffensiveKeysLeaveTheStoreEmpty)
{
    const LoadTable record =
        Record("offensiveGlobalChance = 100\noffensivePhysicalMin = 5\n"
               "offensiveFireMin = 3\noffensiveFireGlobal = 1\n"
               "offensiveSlowPoisonMin = 2\noffensiveSlowPoisonDurationMin = 1\n"
               "offensiveStunModifier = 10\n");
    ExposedRetaliationStore item;
    item.Load(record, &record, &record, false);
    RetaliationAttributeStore_Skill skill;
    skill.Load(record);
    for (const DamageAttributeStore* store :
         {static_cast<DamageAttributeStore*>(&item), static_cast<DamageAttributeStore*>(&skill)}) {
        EXPECT_TRUE(store->GetAttributes().empty());
        EXPECT_TRUE(store->GetGlobalAndAttributes().empty());
        EXPECT_TRUE(store->GetGlobalXorAttributes().empty());
    }
    EXPECT_EQ(item.GetGlobalChance(1), 0.0f) << "the offensive chance is not retaliation's";
}

const char* const kUndeadAndBeasts = "racialBonusRace = Undead;Beast\n"
                                     "racialBonusPercentDamage = 10;20;30\n"
                                     "racialBonusAbsoluteDamage = 5\n"
                                     "racialBonusPercentDefense = 0\n"
                                     "racialBonusAbsoluteDefense = 4;2\n";

TEST(RacialBonusTest, LevelsHoldTheLastEntryAndSumsAddOnceWhenAnyRaceMatches)
{
    const auto bonus = RacialBonus::Create(Record(kUndeadAndBeasts));
    EXPECT_EQ(bonus->GetPercentDamage(0), 0.0f);
    EXPECT_EQ(bonus->GetPercentDamage(2), 20.0f);
    EXPECT_EQ(bonus->GetPercentDamage(5), 30.0f);

    RacialBonus_Damage damage{1.0f, 1.0f};
    bonus->GetDamage({"Beast", "Undead"}, damage, 1);
    EXPECT_EQ(std::make_pair(damage.percent, damage.absolute), std::make_pair(11.0f, 6.0f));
    bonus->GetDamage({"undead", "Human"}, damage, 1);
    EXPECT_EQ(damage.percent, 11.0f);

    RacialBonus_Defense defense;
    bonus->GetDefense({"Human", "Undead"}, defense, 2);
    bonus->GetDefense({"Beast"}, defense, 9);
    EXPECT_EQ(std::make_pair(defense.percent, defense.absolute), std::make_pair(0.0f, 4.0f));
}

class RacialBonusFile : public EngineFixture {};

TEST_F(RacialBonusFile, CreateNeedsARaceOrAValueFromARecordThatExists)
{
    EXPECT_EQ(RacialBonus::Create(Record("offensivePhysicalMin = 3\n")), nullptr);
    EXPECT_EQ(RacialBonus::Create(Record("racialBonusPercentDamage = 0\n")), nullptr);
    EXPECT_NE(RacialBonus::Create(Record("racialBonusRace = Undead\n")), nullptr);

    database.WriteRecord("records/bonus/undead.dbr",
                         {"racialBonusRace = Undead", "racialBonusAbsoluteDamage = 7"});
    EXPECT_EQ(RacialBonus::CreateFromFile(""), nullptr);
    EXPECT_EQ(RacialBonus::CreateFromFile("records/bonus/missing.dbr"), nullptr);
    const auto bonus = RacialBonus::CreateFromFile("records/bonus/undead.dbr");
    EXPECT_EQ(bonus->GetAbsoluteDamage(1), 7.0f);
}

// A kind loaded from the record text, or nothing when the record gives it nothing.
template <typename T> std::unique_ptr<T> Loaded(const std::string& text, bool keepEmpty = false)
{
    auto attribute = std::make_unique<T>();
    if (!attribute->LoadFromTable(Record(text), keepEmpty))
        return nullptr;
    return attribute;
}

// The defenses (type, value) that the attribute adds to a fresh attack at the level.
Pairs Defenses(const DefenseAttribute& attribute, uint32_t level)
{
    CombatAttributeAccumulator accumulator;
    attribute.AddToAccumulator(accumulator, level, false);
    return DefensesOf(accumulator);
}

TEST(DefenseAttribute, ALoneZeroIsNoValueUnlessKeptEmptyAndLevelsClampToTheList)
{
    EXPECT_EQ(Loaded<DefenseAttributeAbs_Fire>("defensiveFire = 0\n"), nullptr);
    EXPECT_EQ(Loaded<DefenseAttributeAbs_Fire>("defensiveFireChance = 50\n"), nullptr);
    const auto kept = Loaded<DefenseAttributeAbs_Fire>("defensiveFire = 0\n", true);
    EXPECT_EQ(Defenses(*kept, 3), (Pairs{{CombatAttributeType_Fire, 0.0f}}));

    const auto fire = Loaded<DefenseAttributeAbs_Fire>("defensiveFire = 10;20;30\n");
    EXPECT_EQ(Defenses(*fire, 2), (Pairs{{CombatAttributeType_Fire, 20.0f}}));
    EXPECT_EQ(Defenses(*fire, 5), (Pairs{{CombatAttributeType_Fire, 30.0f}}));
    EXPECT_EQ(Defenses(*fire, 0), (Pairs{{CombatAttributeType_Fire, 0.0f}}));
}

TEST(DefenseAttribute, EachFamilyAddsItsOwnCombatAttribute)
{
    CombatAttributeAccumulator accumulator;
    const std::unique_ptr<DefenseAttribute> attributes[] = {
        Loaded<DefenseAttributeAbs_Stun>("defensiveStun = 5\n"),
        Loaded<DefenseAttributeDur_Cold>("defensiveColdDuration = 6\n"),
        Loaded<DefenseAttributeMisc_BlockModifier>("defensiveBlockModifier = 7\n"),
        Loaded<DefenseAttributeAbsMod_Fire>("defensiveFireModifier = 8\n"),
        Loaded<DefenseAttributeDurMod_Poison>("defensivePoisonDurationModifier = 9\n")};
    for (const auto& attribute : attributes)
        attribute->AddToAccumulator(accumulator, 1, false);

    const auto& defenses = accumulator.GetDefenses();
    ASSERT_EQ(defenses.size(), 3u);
    EXPECT_TRUE(dynamic_cast<const CombatAttributeAbsDefenseRestricted*>(defenses[0].get()));
    EXPECT_TRUE(dynamic_cast<const CombatAttributeDurDefense*>(defenses[1].get()));
    EXPECT_TRUE(dynamic_cast<const CombatAttributeDefenseMisc*>(defenses[2].get()));
    EXPECT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_BlockModifier), 7.0f);
    const auto& modifiers = accumulator.GetDefenseModifiers();
    ASSERT_EQ(modifiers.size(), 2u);
    EXPECT_TRUE(dynamic_cast<const CombatAttributeAbsDefenseMod*>(modifiers[0].get()));
    EXPECT_TRUE(dynamic_cast<const CombatAttributeDurDefenseMod*>(modifiers[1].get()));
}

TEST(DefenseAttribute, ElementalResistanceRollsOnceForColdFireAndLightning)
{
    const auto elemental = Loaded<DefenseAttributeAbs_ElementalResistance>(
        "defensiveElementalResistance = 12\ndefensiveElementalResistanceChance = 50\n");
    for (const bool pass : {true, false}) {
        RiggedAccumulator accumulator;
        accumulator.pass = pass;
        elemental->AddToAccumulator(accumulator, 1, false);
        EXPECT_EQ(accumulator.rolls, 1);
        EXPECT_EQ(DefensesOf(accumulator),
                  pass ? (Pairs{{5, 12.0f}, {6, 12.0f}, {8, 12.0f}}) : Pairs{});
    }
}

TEST(DefenseAttribute, JitterNeverWipesAValueOutAndDrawsOnlyForValues)
{
    auto one = Loaded<DefenseAttributeAbs_Physical>("defensivePhysical = 1;1\n");
    ScriptedRandom random;
    random.ints = {-1, 1};
    one->AddJitter(20.0f, &random);
    EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{-1, 1}, {-1, 1}}));
    EXPECT_EQ(Defenses(*one, 1)[0].second, 1.0f) << "a candidate of 0 keeps the 1";
    EXPECT_EQ(Defenses(*one, 2)[0].second, 2.0f);

    auto zero = Loaded<DefenseAttributeAbs_Physical>("", true);
    zero->AddJitter(20.0f, &random);
    EXPECT_EQ(random.intCalls.size(), 2u) << "a value of 0 draws nothing";

    // Beyond 50 percent rolls as 50.
    auto wide = Loaded<DefenseAttributeAbs_Physical>("defensivePhysical = 100\n");
    wide->AddJitter(80.0f, &random);
    EXPECT_EQ(random.intCalls.back(), std::make_pair(-49, 49));
}

TEST(DefenseAttribute, ScalingAddsWholeUnitsTruncatedTowardZero)
{
    auto physical = Loaded<DefenseAttributeAbs_Physical>("defensivePhysical = 15;-15;3e10\n");
    physical->ScaleAttribute(0.0f);
    EXPECT_EQ(Defenses(*physical, 1)[0].second, 15.0f);
    physical->ScaleAttribute(10.0f);
    EXPECT_EQ(Defenses(*physical, 1)[0].second, 16.0f);
    EXPECT_EQ(Defenses(*physical, 2)[0].second, -16.0f);
    // A step beyond the integers saturates instead of wrapping to a negative one.
    EXPECT_EQ(Defenses(*physical, 3)[0].second, 3e10f + 2147483648.0f);
}

TEST(DefenseAttribute, CostWeighsTheLevelOneValueByItsChanceIntoTheFamilysField)
{
    CostInfo_DefenseAttributes info;
    Loaded<DefenseAttributeAbs_Fire>("defensiveFire = 40;90\ndefensiveFireChance = 30\n")
        ->GetCostInfo(info);
    EXPECT_EQ(std::tie(info.base, info.count), std::make_tuple(12.0f, 1));

    Loaded<DefenseAttributeDur_Fire>("defensiveFireDuration = 5\n")->GetCostInfo(info);
    Loaded<DefenseAttributeAbsMod_Fire>("defensiveFireModifier = 6\n")->GetCostInfo(info);
    Loaded<DefenseAttributeDurMod_Fire>("defensiveFireDurationModifier = 7\n")->GetCostInfo(info);
    Loaded<DefenseAttributeAbs_Fire>("", true)->GetCostInfo(info);
    EXPECT_EQ(std::tie(info.baseDuration, info.mod, info.modDuration, info.count),
              std::make_tuple(5.0f, 6.0f, 7.0f, 4))
        << "a value of 0 is not counted";
}

// Protection needs the game's absorption, so these tests run a game engine.
class DefenseAttributeProtectionTest : public GameEngineFixture {
protected:
    // Armour of 100 with a prefix of 20 on the legs, added to the accumulator.
    static void AddArmour(CombatAttributeAccumulator& accumulator)
    {
        DefenseAttributeStore_Equipment store;
        const LoadTable prefix = Record("defensiveProtection = 20\n");
        store.Load(Record("defensiveProtection = 100\n"), &prefix, nullptr, true,
                   CombatAttributeRegion_Legs);
        store.AddToAccumulator(accumulator, 1);
    }
};

TEST_F(DefenseAttributeProtectionTest, WithoutAbsorptionArmourAddsNothing)
{
    Start({"armorDefensiveAbsorption = 0"});
    CombatAttributeAccumulator accumulator;
    AddArmour(accumulator);
    EXPECT_TRUE(accumulator.GetDefenses().empty());
}

TEST_F(DefenseAttributeProtectionTest, ArmourAddsItsTotalProtectionForItsRegion)
{
    Start({"armorDefensiveAbsorption = 70"});
    CombatAttributeAccumulator accumulator;
    AddArmour(accumulator);
    ASSERT_EQ(accumulator.GetDefenses().size(), 1u);
    auto& armour =
        dynamic_cast<CombatAttributeDefense_AbsorptionProtection&>(*accumulator.GetDefenses()[0]);
    EXPECT_EQ(std::make_pair(armour.GetAbsorption(), armour.GetProtection()),
              std::make_pair(70.0f, 120.0f));
    // 70 % of 120 is absorbed from a hit on the legs, where the store put it.
    CombatAttributeAbsDamage legs(CombatAttributeType_AbsorptionProtection, 100.0f);
    armour.Execute(&legs, CombatAttributeRegion_Legs);
    EXPECT_FLOAT_EQ(legs.GetValue(), 16.0f);
}

TEST_F(DefenseAttributeProtectionTest, ArmourScalesItsOwnListAndRollsOnlyItsAffixes)
{
    Start({"armorDefensiveAbsorption = 70"});
    const LoadTable prefix = Record("defensiveProtection = 20\n");
    const LoadTable suffix = Record("defensiveProtection = 10\n");
    DefenseAttribute_BaseProtectionAbsorption armour;
    ASSERT_TRUE(
        armour.LoadFromTable(Record("defensiveProtection = 100;200\n"), &prefix, &suffix, false));
    armour.ScaleAttribute(10.0f);
    CostInfo_DefenseAttributes info;
    armour.GetCostInfo(info);
    EXPECT_EQ(info.armor, 139.0f);

    ScriptedRandom random;
    random.ints = {2, -1};
    armour.AddJitter(20.0f, &random);
    EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{-3, 3}, {-1, 1}}));
    CombatAttributeAccumulator accumulator;
    armour.AddToAccumulator(accumulator, 1, false);
    EXPECT_EQ(accumulator.GetTotalDefenseType(CombatAttributeType_AbsorptionProtection),
              109.0f + 22.0f + 9.0f);
}

// Each attribute by its value key; the protection classes by their own names.
Names KindsOf(const DefenseAttributeStore& store)
{
    Names names;
    for (const auto& attribute : store.GetAttributes()) {
        if (dynamic_cast<const DefenseAttribute_SkillProtectionAbsorption*>(attribute.get()))
            names.push_back("skill protection");
        else if (dynamic_cast<const DefenseAttribute_BaseProtectionAbsorption*>(attribute.get()))
            names.push_back("base protection");
        else
            names.push_back(static_cast<const DefenseAttribute_Typical&>(*attribute).GetValueKey());
    }
    return names;
}

Pairs Defenses(const DefenseAttributeStore& store, uint32_t level)
{
    CombatAttributeAccumulator accumulator;
    store.AddToAccumulator(accumulator, level);
    return DefensesOf(accumulator);
}

// The value keys of the equipment sequence, in its order.
Names EquipmentKeys()
{
    Names keys;
    const auto add = [&](const std::string& words) {
        std::istringstream stream(words);
        for (std::string word; stream >> word;)
            keys.push_back("defensive" + word);
    };
    add("ProtectionModifier AbsorptionModifier Physical PhysicalModifier PhysicalDuration "
        "PhysicalDurationModifier Pierce PierceModifier");
    for (const std::string kind : {"Bleeding", "ElementalResistance", "Fire", "Cold", "Lightning",
                                   "Poison", "Life", "SlowLifeLeach", "SlowManaLeach"})
        add(kind == "ElementalResistance"
                ? kind
                : kind + " " + kind + "Duration " + kind + "Modifier " + kind + "DurationModifier");
    add("Stun StunModifier Trap Freeze Petrify Disruption Taunt Fear Confusion BlockModifier "
        "Reflect");
    return keys;
}

// A record that gives every key of both sequences the value 1, protection included.
LoadTable EveryKey()
{
    std::string text = "defensiveProtection = 1\ndefensiveConvert = 1\n"
                       "defensiveManaBurnRatio = 1\ndefensivePercentCurrentLife = 1\n";
    for (const std::string& key : EquipmentKeys())
        text += key + " = 1\n";
    return Record(text);
}

TEST(DefenseAttributeStore, EquipmentAndSkillsLoadTheirSequences)
{
    const LoadTable record = EveryKey();
    Names equipment = EquipmentKeys();
    ASSERT_EQ(equipment.size(), 52u);
    equipment.insert(equipment.begin(), "base protection");
    DefenseAttributeStore_Equipment item;
    item.Load(record, nullptr, nullptr, true, CombatAttributeRegion_Torso);
    EXPECT_EQ(KindsOf(item), equipment);

    // Skills take the physical resistance over time before its modifier, resist conversion and
    // carry the monster-only kinds.
    Names skill = equipment;
    skill.front() = "skill protection";
    std::swap(skill[4], skill[5]);
    skill.insert(skill.end() - 2, "defensiveConvert");
    skill.push_back("defensiveManaBurnRatio");
    skill.push_back("defensivePercentCurrentLife");
    DefenseAttributeStore_Skill skills;
    skills.Load(record);
    EXPECT_EQ(KindsOf(skills), skill);

    // Loading again starts from an empty store.
    item.Load(Record("defensiveFire = 3\n"), nullptr, nullptr, false, CombatAttributeRegion_Head);
    EXPECT_EQ(KindsOf(item), Names{"defensiveFire"});
    skills.Load(Record(""));
    EXPECT_EQ(KindsOf(skills), Names{"skill protection"});
    EXPECT_TRUE(Defenses(skills, 1).empty()) << "a protection of 0 adds nothing";
}

TEST(DefenseAttributeStore, AffixesAddAttributesOfTheirOwnThatTheAttackMerges)
{
    const LoadTable prefix = Record("defensivePhysical = 5\nlootRandomizerJitter = 0\n");
    const LoadTable suffix = Record("defensiveFire = 8\n");
    ScriptedRandom random;
    random.ints = {1};
    DefenseAttributeStore_Equipment item;
    item.SetRandomGen(&random);
    item.Load(Record("defensivePhysical = 10\n"), &prefix, &suffix, false,
              CombatAttributeRegion_Arms);
    EXPECT_EQ(item.GetRandomGen(), nullptr) << "loading ends the loan";
    EXPECT_EQ(KindsOf(item), (Names{"defensivePhysical", "defensivePhysical", "defensiveFire"}));
    EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{-1, 1}}))
        << "only the item's own value is rolled";
    EXPECT_EQ(Defenses(item, 1),
              (Pairs{{CombatAttributeType_Physical, 16.0f}, {CombatAttributeType_Fire, 8.0f}}));

    CostInfo_DefenseAttributes info;
    item.GetCostInfo(info);
    EXPECT_EQ(info.count, 3);
}

TEST(DefenseAttributeStore, TextNamesEachDefenseWithItsValue)
{
    DefenseAttributeStore_Skill store;
    store.Load(Record("defensiveCold = 7\ndefensiveProtection = 4\n"));
    std::vector<std::wstring> first, second;
    store.CreateText(first, second, 1);
    EXPECT_EQ(second,
              (std::vector<std::wstring>{L"DefenseAbsorptionProtection 4", L"DefenseCold 7"}));
}

using DefenseAttributeStoreCharacterTest = CombatGameFixture;

TEST_F(DefenseAttributeStoreCharacterTest, TwelveResistancesAtDifficultyPlusOne)
{
    DefenseAttributeStore_Character character;
    EXPECT_EQ(DefenseAttributeStore_Character::GetDifficultyLevel(), 1u) << "normal difficulty";
    character.Load(Record("defensiveFire = 10;20;30\ndefensiveStun = 0\n"));
    EXPECT_EQ(KindsOf(character),
              (Names{"defensivePhysical", "defensivePierce", "defensiveBleeding", "defensiveFire",
                     "defensiveCold", "defensiveLightning", "defensivePoison", "defensiveLife",
                     "defensiveStun", "defensiveTrap", "defensiveFreeze", "defensivePetrify"}));

    Game().SetGameDifficulty(GameDifficulty_Epic);
    const uint32_t level = DefenseAttributeStore_Character::GetDifficultyLevel();
    const Pairs defenses = Defenses(character, level);
    ASSERT_EQ(defenses.size(), 12u);
    for (const auto& [type, value] : defenses)
        EXPECT_EQ(value, type == CombatAttributeType_Fire ? 20.0f : 0.0f) << type;
}

} // namespace
} // namespace GAME::Test
