#include "characters/AttributePak.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/DamageAttributeKinds.h"
#include "combat/DamageAttributeStore_Equipment.h"
#include "combat/DamageAttributeStore_Skill.h"
#include "engine/LoadTable.h"
#include "items/CostInfo_DamageAttributes.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedAccumulator.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace GAME {
namespace {

using Test::Record;

using Test::ScriptedAccumulator;
using Test::ScriptedRandom;

class ExposedStore : public DamageAttributeStore_Equipment {
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
    EXPECT_EQ(store.GetGlobalChance(2), 80.0f);
    EXPECT_EQ(store.GetGlobalChance(9), 80.0f);

    ExposedStore prefixOnly;
    prefixOnly.Load(record, &prefix, nullptr, false);
    EXPECT_EQ(prefixOnly.GetGlobalChance(1), 50.0f);

    // A second load keeps the first record's levels.
    prefixOnly.Load(Record("offensiveGlobalChance = 5\n"), nullptr, nullptr, false);
    EXPECT_EQ(prefixOnly.GetGlobalChance(2), 80.0f);

    ExposedStore none;
    none.Load(Record(""), nullptr, nullptr, false);
    EXPECT_EQ(none.GetGlobalChance(1), 0.0f);
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
    ASSERT_EQ(store.GetGlobalXorAttributes().size(), 3u);

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

TEST(DamageAttributeStoreText, GlobalGroupsGoUnderTheirHeadersInTheSecondList)
{
    const LoadTable record = Record("offensiveGlobalChance = 40;100\n"
                                    "offensivePoisonMin = 3\n"
                                    "offensiveLifeMin = 4\noffensiveLifeGlobal = 1\n"
                                    "offensiveFireMin = 5\noffensiveFireGlobal = 1\n"
                                    "offensiveFireXOR = 1\n");
    DamageAttributeStore_Skill store;
    store.Load(record);

    std::vector<std::wstring> first, second, third;
    store.CreateText(first, second, third, 1);
    EXPECT_TRUE(first.empty());
    ASSERT_EQ(third.size(), 1u) << "only the plain poison line";
    ASSERT_EQ(second.size(), 4u);
    EXPECT_EQ(second[0], L"GlobalPercentChanceOfAllTag 40");
    EXPECT_EQ(second[1].rfind(L"tagIndent", 0), 0u);
    EXPECT_EQ(second[2], L"GlobalPercentChanceOfOneTag 40");
    EXPECT_EQ(second[3].rfind(L"tagIndent", 0), 0u);
    EXPECT_FALSE(store.GetGlobalAndAttributes()[0]->GetHideChanceIndentLine());

    first.clear(), second.clear(), third.clear();
    store.CreateNextText(first, second, third, 1, 2);
    EXPECT_TRUE(second.empty()) << "values equal at both levels";
    store.CreateText(first, second, third, 2);
    ASSERT_EQ(second.size(), 4u);
    EXPECT_EQ(second[0], L"GlobalChanceOfAllTag");
    EXPECT_EQ(second[2], L"GlobalChanceOfOneTag");
}

// One line of record per loadable kind, in the shared order, with the skill- and item-only kinds
// where each loader puts them.
struct Kind {
    const std::type_info* type;
    const char* keys;
};

const Kind kPhysical{&typeid(DamageAttribute_Physical), "offensivePhysicalMin = 5"};
const Kind kDurPhysical{&typeid(DamageAttributeDur_Physical),
                        "offensiveSlowPhysicalMin = 5\noffensiveSlowPhysicalDurationMin = 2"};
const Kind kBasePhysical{&typeid(DamageAttribute_BasePhysical), ""};
const Kind kItemBase[] = {
    {&typeid(DamageAttributeAbsBase_Fire), "offensiveBaseFireMin = 5"},
    {&typeid(DamageAttributeAbsBase_Cold), "offensiveBaseColdMin = 5"},
    {&typeid(DamageAttributeAbsBase_Lightning), "offensiveBaseLightningMin = 5"},
    {&typeid(DamageAttributeAbsBase_Poison), "offensiveBasePoisonMin = 5"},
    {&typeid(DamageAttributeAbsBase_Life), "offensiveBaseLifeMin = 5"},
    {&typeid(DamageAttributeAbs_BonusPhysical), "offensiveBonusPhysicalMin = 5"}};
const Kind kDisruption{&typeid(DamageAttributeAbs_Disruption), "offensiveDisruptionMin = 5"};
const Kind kTrap{&typeid(DamageAttributeReflex_Trap), "offensiveTrapMin = 5"};
const Kind kTaunt{&typeid(DamageAttributeAbs_Taunt), "offensiveTauntMin = 5"};
const Kind kFear{&typeid(DamageAttributeAbs_Fear), "offensiveFearMin = 5"};
#define DUR(stem) stem "Min = 5\n" stem "DurationMin = 2"
const Kind kCommonHead[] = {
    {&typeid(DamageAttributeAbsMod_Physical), "offensivePhysicalModifier = 5"},
    {&typeid(DamageAttributeDurMod_Physical), "offensiveSlowPhysicalModifier = 5"},
    {&typeid(DamageAttributeAbsMod_PierceRatio), "offensivePierceRatioModifier = 5"},
    {&typeid(DamageAttributeAbs_Pierce), "offensivePierceMin = 5"},
    {&typeid(DamageAttributeAbsMod_Pierce), "offensivePierceModifier = 5"},
    {&typeid(DamageAttributeDur_Bleeding), DUR("offensiveSlowBleeding")},
    {&typeid(DamageAttributeAbsMod_Bleeding), "offensiveBleedingModifier = 5"},
    {&typeid(DamageAttributeDurMod_Bleeding), "offensiveSlowBleedingModifier = 5"},
    {&typeid(DamageAttributeAbs_ElementalDamage), "offensiveElementalMin = 5"},
    {&typeid(DamageAttributeAbsMod_Elemental), "offensiveElementalModifier = 5"},
    {&typeid(DamageAttributeAbs_Fire), "offensiveFireMin = 5"},
    {&typeid(DamageAttributeDur_Fire), DUR("offensiveSlowFire")},
    {&typeid(DamageAttributeAbsMod_Fire), "offensiveFireModifier = 5"},
    {&typeid(DamageAttributeDurMod_Fire), "offensiveSlowFireModifier = 5"},
    {&typeid(DamageAttributeAbs_Cold), "offensiveColdMin = 5"},
    {&typeid(DamageAttributeDur_Cold), DUR("offensiveSlowCold")},
    {&typeid(DamageAttributeAbsMod_Cold), "offensiveColdModifier = 5"},
    {&typeid(DamageAttributeDurMod_Cold), "offensiveSlowColdModifier = 5"},
    {&typeid(DamageAttributeAbs_Lightning), "offensiveLightningMin = 5"},
    {&typeid(DamageAttributeDur_Lightning), DUR("offensiveSlowLightning")},
    {&typeid(DamageAttributeAbsMod_Lightning), "offensiveLightningModifier = 5"},
    {&typeid(DamageAttributeDurMod_Lightning), "offensiveSlowLightningModifier = 5"},
    {&typeid(DamageAttributeAbs_Poison), "offensivePoisonMin = 5"},
    {&typeid(DamageAttributeDur_Poison), DUR("offensiveSlowPoison")},
    {&typeid(DamageAttributeAbsMod_Poison), "offensivePoisonModifier = 5"},
    {&typeid(DamageAttributeDurMod_Poison), "offensiveSlowPoisonModifier = 5"},
    {&typeid(DamageAttributeAbs_PercentCurrentLife), "offensivePercentCurrentLifeMin = 5"},
    {&typeid(DamageAttributeAbs_Life), "offensiveLifeMin = 5"},
    {&typeid(DamageAttributeDur_Life), DUR("offensiveSlowLife")},
    {&typeid(DamageAttributeAbsMod_Life), "offensiveLifeModifier = 5"},
    {&typeid(DamageAttributeDurMod_Life), "offensiveSlowLifeModifier = 5"},
    {&typeid(DamageAttributeAbs_LifeLeech), "offensiveLifeLeechMin = 5"},
    {&typeid(DamageAttributeDur_LifeLeach), DUR("offensiveSlowLifeLeach")},
    {&typeid(DamageAttributeDurMod_LifeLeach), "offensiveSlowLifeLeachModifier = 5"},
    {&typeid(DamageAttributeAbs_ManaBurn), "offensiveManaBurnDrainMin = 5"},
    {&typeid(DamageAttributeAbsMod_ManaBurn), "offensiveManaBurnRatioAdder = 5"},
    {&typeid(DamageAttributeDur_ManaLeach), DUR("offensiveSlowManaLeach")},
    {&typeid(DamageAttributeDurMod_ManaLeach), "offensiveSlowManaLeachModifier = 5"},
    {&typeid(DamageAttributeDur_OffensiveAbility), DUR("offensiveSlowOffensiveAbility")},
    {&typeid(DamageAttributeDurMod_OffensiveAbility), "offensiveSlowOffensiveAbilityModifier = 5"},
    {&typeid(DamageAttributeDur_DefensiveAbility), DUR("offensiveSlowDefensiveAbility")},
    {&typeid(DamageAttributeDurMod_DefensiveAbility), "offensiveSlowDefensiveAbilityModifier = 5"},
    {&typeid(DamageAttributeDur_OffensiveReduction), DUR("offensiveSlowOffensiveReduction")},
    {&typeid(DamageAttributeDurMod_OffensiveReduction),
     "offensiveSlowOffensiveReductionModifier = 5"},
    {&typeid(DamageAttributeDur_DefensiveReduction), DUR("offensiveSlowDefensiveReduction")},
    {&typeid(DamageAttributeDur_TotalDamageReductionPercent),
     DUR("offensiveTotalDamageReductionPercent")},
    {&typeid(DamageAttributeDur_TotalDamageReductionAbsolute),
     DUR("offensiveTotalDamageReductionAbsolute")},
    {&typeid(DamageAttributeDur_TotalResistanceReductionPercent),
     DUR("offensiveTotalResistanceReductionPercent")},
    {&typeid(DamageAttributeDur_TotalResistanceReductionAbsolute),
     DUR("offensiveTotalResistanceReductionAbsolute")},
    {&typeid(DamageAttributeDur_Fumble), DUR("offensiveFumble")},
    {&typeid(DamageAttributeDur_ProjectileFumble), DUR("offensiveProjectileFumble")}};
const Kind kStun[] = {{&typeid(DamageAttributeReflex_Stun), "offensiveStunMin = 5"},
                      {&typeid(DamageAttributeAbsMod_Stun), "offensiveStunModifier = 5"}};
const Kind kPetrify[] = {{&typeid(DamageAttributeReflex_Freeze), "offensiveFreezeMin = 5"},
                         {&typeid(DamageAttributeReflex_Petrify), "offensivePetrifyMin = 5"}};
const Kind kConvert{&typeid(DamageAttributeAbs_Convert), "offensiveConvertMin = 5"};
const Kind kCommonTail[] = {
    {&typeid(DamageAttributeAbs_Confusion), "offensiveConfusionMin = 5"},
    {&typeid(DamageAttributeDur_TotalSpeed), DUR("offensiveSlowTotalSpeed")},
    {&typeid(DamageAttributeDur_AttackSpeed), DUR("offensiveSlowAttackSpeed")},
    {&typeid(DamageAttributeDurMod_AttackSpeed), "offensiveSlowAttackSpeedModifier = 5"},
    {&typeid(DamageAttributeDur_SpellCastSpeed), DUR("offensiveSlowSpellCastSpeed")},
    {&typeid(DamageAttributeDurMod_SpellCastSpeed), "offensiveSlowSpellCastSpeedModifier = 5"},
    {&typeid(DamageAttributeDur_RunSpeed), DUR("offensiveSlowRunSpeed")},
    {&typeid(DamageAttributeDurMod_RunSpeed), "offensiveSlowRunSpeedModifier = 5"}};
#undef DUR

template <typename... Parts> std::vector<Kind> Join(const Parts&... parts)
{
    std::vector<Kind> kinds;
    auto add = [&kinds](const auto& part) {
        if constexpr (std::is_same_v<std::decay_t<decltype(part)>, Kind>)
            kinds.push_back(part);
        else
            kinds.insert(kinds.end(), std::begin(part), std::end(part));
    };
    (add(parts), ...);
    return kinds;
}

std::vector<std::string> Names(const std::vector<Kind>& kinds)
{
    std::vector<std::string> names;
    for (const Kind& kind : kinds)
        names.push_back(kind.type->name());
    return names;
}

std::vector<std::string> Names(const DamageAttributeStore& store)
{
    std::vector<std::string> names;
    for (const auto& attribute : store.GetAttributes()) {
        const DamageAttribute& held = *attribute;
        names.push_back(typeid(held).name());
    }
    return names;
}

TEST(DamageAttributeStoreLoad, EachLoaderKeepsItsOrderOfKinds)
{
    const std::vector<Kind> skill = Join(kPhysical, kDurPhysical, kCommonHead, kDisruption, kStun,
                                         kTrap, kPetrify, kTaunt, kConvert, kFear, kCommonTail);
    std::string text;
    for (const Kind& kind : Join(skill, kItemBase))
        text += std::string(kind.keys) + "\n";
    const LoadTable record = Record(text);

    DamageAttributeStore_Skill skillStore;
    skillStore.Load(record);
    EXPECT_EQ(Names(skillStore), Names(skill));

    const std::vector<Kind> itemTail =
        Join(kCommonHead, kStun, kPetrify, kConvert, kCommonTail, kDisruption);
    DamageAttributeStore_Equipment weapon;
    weapon.Load(record, nullptr, nullptr, false);
    EXPECT_EQ(Names(weapon), Names(Join(kBasePhysical, kItemBase, itemTail)));

    DamageAttributeStore_Equipment armour;
    armour.Load(record, nullptr, nullptr, true);
    EXPECT_EQ(Names(armour), Names(Join(kPhysical, itemTail)));
}

TEST(DamageAttributeStoreLoad, BasePrefixAndSuffixEachGiveAnAttributeJitteredOnItsOwn)
{
    const LoadTable record = Record("offensiveFireMin = 10\n");
    const LoadTable prefix = Record("offensiveFireMin = 20\n");
    const LoadTable suffix = Record("offensiveFireMin = 30\nlootRandomizerJitter = 10\n");
    ScriptedRandom random;
    random.ints = {1, -2};
    DamageAttributeStore_Equipment store;
    store.SetRandomGen(&random);
    store.Load(record, &prefix, &suffix, false);

    // The item's own record rolls 20 percent, the prefix nothing, the suffix its 10 percent.
    const auto& attributes = store.GetAttributes();
    ASSERT_EQ(attributes.size(), 4u);
    EXPECT_EQ(ValueMin(attributes[1]), 11.0f);
    EXPECT_EQ(ValueMin(attributes[2]), 20.0f);
    EXPECT_EQ(ValueMin(attributes[3]), 28.0f);
    EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{-1, 1}, {-2, 2}}));
    EXPECT_EQ(store.GetRandomGen(), nullptr) << "the lent generator is gone after loading";
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
    EXPECT_EQ(cost.avgBase, 7.0f);
    EXPECT_EQ(cost.avgBonus, 15.0f);
    EXPECT_EQ(cost.count, 2);

    store.ScaleAttributes(50.0f);
    EXPECT_EQ(ValueMin(store.GetGlobalXorAttributes()[0]), 14.0f);
}

TEST(DamageAttributeStoreCopy, CopiesOwnTheirAttributesAndNoGenerator)
{
    const LoadTable record = Record("offensiveGlobalChance = 100\n"
                                    "offensivePoisonMin = 3\n"
                                    "offensiveLifeMin = 4\noffensiveLifeGlobal = 1\n"
                                    "offensiveFireMin = 5\noffensiveFireGlobal = 1\n"
                                    "offensiveFireXOR = 1\n");
    RandomUniform random;
    auto source = std::make_unique<DamageAttributeStore_Skill>();
    source->Load(record);
    source->SetRandomGen(&random);

    DamageAttributeStore_Skill copy(*source);
    DamageAttributeStore_Skill assigned;
    assigned.Load(Record("offensiveColdMin = 1\n"));
    assigned = *source;
    const DamageAttributeStore_Skill& itself = assigned;
    assigned = itself;
    EXPECT_NE(copy.GetAttributes()[0].get(), source->GetAttributes()[0].get());
    source.reset();

    for (const DamageAttributeStore_Skill* store : {&copy, &assigned}) {
        EXPECT_EQ(store->GetRandomGen(), nullptr);
        CombatAttributeAccumulator accumulator;
        store->AddDamageToAccumulator(accumulator, 1);
        EXPECT_EQ(
            Types(accumulator.GetDamage()),
            (std::vector<CombatAttributeType>{CombatAttributeType_Poison, CombatAttributeType_Life,
                                              CombatAttributeType_Fire}));
    }
}

class DamageAttributeStorePak : public Test::EngineFixture {};

TEST_F(DamageAttributeStorePak, PackRecordDamageIsLoadedAndAdded)
{
    const LoadTable record = Record("offensiveFireMin = 7\noffensivePhysicalModifier = 25\n");
    AttributePak pak;
    pak.LoadFromTable(record);

    CombatAttributeAccumulator accumulator;
    pak.GetOffensiveDamageAttributes(accumulator, 1);
    pak.GetOffensiveModifierAttributes(accumulator, 1);
    EXPECT_EQ(Types(accumulator.GetDamage()),
              std::vector<CombatAttributeType>{CombatAttributeType_Fire});
    EXPECT_EQ(Types(accumulator.GetDamageModifiers()),
              std::vector<CombatAttributeType>{CombatAttributeType_Physical});
    float absolute = 0.0f;
    float overTime = 0.0f;
    accumulator.GetTotalDamageType(absolute, overTime, CombatAttributeType_Fire);
    EXPECT_EQ(absolute, 7.0f);

    std::vector<GameTextLine> lines;
    pak.GetUIDisplayText(1, GameTextClass{}, lines);
    EXPECT_EQ(lines.size(), 2u);
}

} // namespace
} // namespace GAME
