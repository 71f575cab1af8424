#include "characters/AttributePak.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/RetaliationAttributeKinds.h"
#include "combat/RetaliationAttributeStore_Equipment.h"
#include "combat/RetaliationAttributeStore_Skill.h"
#include "engine/LoadTable.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedAccumulator.h"

#include <gtest/gtest.h>

#include <string>
#include <typeindex>
#include <utility>
#include <vector>

namespace GAME {
namespace {

using Test::Record;

using Test::ScriptedAccumulator;

class ExposedEquipmentStore : public RetaliationAttributeStore_Equipment {
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

std::vector<std::type_index> Kinds(const DamageAttributeStore::AttributeList& list)
{
    std::vector<std::type_index> kinds;
    for (const auto& attribute : list) {
        const DamageAttribute& held = *attribute;
        kinds.emplace_back(typeid(held));
    }
    return kinds;
}

float ValueMin(const std::unique_ptr<DamageAttribute>& attribute)
{
    return dynamic_cast<const DamageAttributeAbs&>(*attribute).GetValueMin(1);
}

// One record line per kind, in load order; the elements come in the loader's own order.
struct Kind {
    std::type_index type;
    const char* keys;
};
#define DUR(stem) stem "Min = 5\n" stem "DurationMin = 2"
const std::vector<Kind> kHead = {
    {typeid(RetaliationAttributeAbs_Physical), "retaliationPhysicalMin = 5"},
    {typeid(RetaliationAttributeDur_Physical), DUR("retaliationSlowPhysical")},
    {typeid(RetaliationAttributeAbsMod_Physical), "retaliationPhysicalModifier = 5"},
    {typeid(RetaliationAttributeDurMod_Physical), "retaliationSlowPhysicalModifier = 5"},
    {typeid(RetaliationAttributeAbsMod_PierceRatio), "retaliationPierceRatioModifier = 5"},
    {typeid(RetaliationAttributeAbs_Pierce), "retaliationPierceMin = 5"},
    {typeid(RetaliationAttributeAbsMod_Pierce), "retaliationPierceModifier = 5"},
    {typeid(RetaliationAttributeDur_Bleeding), DUR("retaliationSlowBleeding")},
    {typeid(RetaliationAttributeDurMod_Bleeding), "retaliationSlowBleedingModifier = 5"},
    {typeid(RetaliationAttributeAbs_ElementalDamage), "retaliationElementalMin = 5"}};
const std::vector<Kind> kFire = {
    {typeid(RetaliationAttributeAbs_Fire), "retaliationFireMin = 5"},
    {typeid(RetaliationAttributeDur_Fire), DUR("retaliationSlowFire")},
    {typeid(RetaliationAttributeAbsMod_Fire), "retaliationFireModifier = 5"},
    {typeid(RetaliationAttributeDurMod_Fire), "retaliationSlowFireDurationModifier = 5"}};
const std::vector<Kind> kCold = {
    {typeid(RetaliationAttributeAbs_Cold), "retaliationColdMin = 5"},
    {typeid(RetaliationAttributeDur_Cold), DUR("retaliationSlowCold")},
    {typeid(RetaliationAttributeAbsMod_Cold), "retaliationColdModifier = 5"},
    {typeid(RetaliationAttributeDurMod_Cold), "retaliationSlowColdModifier = 5"}};
const std::vector<Kind> kLightning = {
    {typeid(RetaliationAttributeAbs_Lightning), "retaliationLightningMin = 5"},
    {typeid(RetaliationAttributeDur_Lightning), DUR("retaliationSlowLightning")},
    {typeid(RetaliationAttributeAbsMod_Lightning), "retaliationLightningModifier = 5"},
    {typeid(RetaliationAttributeDurMod_Lightning), "retaliationSlowLightningModifier = 5"}};
const std::vector<Kind> kPoison = {
    {typeid(RetaliationAttributeAbs_Poison), "retaliationPoisonMin = 5"},
    {typeid(RetaliationAttributeDur_Poison), DUR("retaliationSlowPoison")},
    {typeid(RetaliationAttributeAbsMod_Poison), "retaliationPoisonModifier = 5"},
    {typeid(RetaliationAttributeDurMod_Poison), "retaliationSlowPoisonModifier = 5"}};
const std::vector<Kind> kTail = {
    {typeid(RetaliationAttributeAbs_PercentCurrentLife), "retaliationPercentCurrentLifeMin = 5"},
    {typeid(RetaliationAttributeAbs_Life), "retaliationLifeMin = 5"},
    {typeid(RetaliationAttributeDur_Life), DUR("retaliationSlowLife")},
    {typeid(RetaliationAttributeAbsMod_Life), "retaliationLifeModifier = 5"},
    {typeid(RetaliationAttributeDurMod_Life), "retaliationSlowLifeModifier = 5"},
    {typeid(RetaliationAttributeDur_LifeLeach), DUR("retaliationSlowLifeLeach")},
    {typeid(RetaliationAttributeDurMod_LifeLeach), "retaliationSlowLifeLeachModifier = 5"},
    {typeid(RetaliationAttributeDur_ManaLeach), DUR("retaliationSlowManaLeach")},
    {typeid(RetaliationAttributeDurMod_ManaLeach), "retaliationSlowManaLeachModifier = 5"},
    {typeid(RetaliationAttributeDur_OffensiveAbility), DUR("retaliationSlowOffensiveAbility")},
    {typeid(RetaliationAttributeDurMod_OffensiveAbility),
     "retaliationSlowOffensiveAbilityModifier = 5"},
    {typeid(RetaliationAttributeDur_DefensiveAbility), DUR("retaliationSlowDefensiveAbility")},
    {typeid(RetaliationAttributeDurMod_DefensiveAbility),
     "retaliationSlowDefensiveAbilityModifier = 5"},
    {typeid(RetaliationAttributeDur_OffensiveReduction), DUR("retaliationSlowOffensiveReduction")},
    {typeid(RetaliationAttributeDurMod_OffensiveReduction),
     "retaliationSlowOffensiveReductionModifier = 5"},
    {typeid(RetaliationAttributeReflex_Stun), "retaliationStunMin = 5"},
    {typeid(RetaliationAttributeAbsMod_Stun), "retaliationStunModifier = 5"},
    {typeid(RetaliationAttributeDur_AttackSpeed), DUR("retaliationSlowAttackSpeed")},
    {typeid(RetaliationAttributeDurMod_AttackSpeed), "retaliationSlowAttackSpeedModifier = 5"},
    {typeid(RetaliationAttributeDur_SpellCastSpeed), DUR("retaliationSlowSpellCastSpeed")},
    {typeid(RetaliationAttributeDurMod_SpellCastSpeed),
     "retaliationSlowSpellCastSpeedModifier = 5"},
    {typeid(RetaliationAttributeDur_RunSpeed), DUR("retaliationSlowRunSpeed")},
    {typeid(RetaliationAttributeDurMod_RunSpeed), "retaliationSlowRunSpeedDurationModifier = 5"}};
#undef DUR

std::vector<Kind> Join(std::initializer_list<const std::vector<Kind>*> parts)
{
    std::vector<Kind> kinds;
    for (const std::vector<Kind>* part : parts)
        kinds.insert(kinds.end(), part->begin(), part->end());
    return kinds;
}

std::vector<std::type_index> Types(const std::vector<Kind>& kinds)
{
    std::vector<std::type_index> types;
    for (const Kind& kind : kinds)
        types.push_back(kind.type);
    return types;
}

TEST(RetaliationAttributeStoreLoad,
     ItemsTakeElementsColdPoisonLightningFireSkillsFireColdLightningPoison)
{
    const std::vector<Kind> skill = Join({&kHead, &kFire, &kCold, &kLightning, &kPoison, &kTail});
    ASSERT_EQ(skill.size(), 49u);
    std::string text;
    for (const Kind& kind : skill)
        text += std::string(kind.keys) + "\n";
    const LoadTable record = Record(text);

    RetaliationAttributeStore_Skill skillStore;
    skillStore.Load(record);
    EXPECT_EQ(Kinds(skillStore.GetAttributes()), Types(skill));

    RetaliationAttributeStore_Equipment item;
    item.Load(record, nullptr, nullptr, true);
    EXPECT_EQ(Kinds(item.GetAttributes()),
              Types(Join({&kHead, &kCold, &kPoison, &kLightning, &kFire, &kTail})));
}

TEST(RetaliationAttributeStoreLoad, OffensiveKeysLeaveTheStoreEmpty)
{
    const LoadTable record =
        Record("offensiveGlobalChance = 100\noffensivePhysicalMin = 5\n"
               "offensiveFireMin = 3\noffensiveFireGlobal = 1\n"
               "offensiveSlowPoisonMin = 2\noffensiveSlowPoisonDurationMin = 1\n"
               "offensiveStunModifier = 10\n");
    ExposedEquipmentStore item;
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

TEST(RetaliationAttributeStoreLoad, RecordPrefixAndSuffixEachGiveAnAttributeJitteredOnItsOwn)
{
    const LoadTable record = Record("retaliationFireMin = 10\n");
    const LoadTable prefix = Record("retaliationFireMin = 20\n");
    const LoadTable suffix = Record("retaliationFireMin = 30\nlootRandomizerJitter = 10\n");
    GAME::Test::ScriptedRandom random;
    random.ints = {1, -2};
    RetaliationAttributeStore_Equipment store;
    store.SetRandomGen(&random);
    store.Load(record, &prefix, &suffix, false);

    // The item's own record rolls 20 percent, the prefix nothing, the suffix its 10 percent.
    const auto& attributes = store.GetAttributes();
    ASSERT_EQ(attributes.size(), 3u);
    EXPECT_EQ(ValueMin(attributes[0]), 11.0f);
    EXPECT_EQ(ValueMin(attributes[1]), 20.0f);
    EXPECT_EQ(ValueMin(attributes[2]), 28.0f);
    EXPECT_EQ(random.intCalls, (std::vector<std::pair<int, int>>{{-1, 1}, {-2, 2}}))
        << "the single-precision percent truncates 2 and 3 down";
    EXPECT_EQ(store.GetRandomGen(), nullptr);
}

TEST(RetaliationAttributeStoreGlobal, DamageAndModifierOfOneNameShareTheOneOfGroup)
{
    RetaliationAttributeStore_Skill store;
    store.Load(Record("retaliationPhysicalMin = 5\nretaliationPhysicalModifier = 20\n"
                      "retaliationPhysicalGlobal = 1\nretaliationPhysicalXOR = 1\n"
                      "retaliationStunMin = 1\nretaliationStunModifier = 10\n"
                      "retaliationStunGlobal = 1\n"));
    EXPECT_EQ(Kinds(store.GetGlobalXorAttributes()),
              (std::vector<std::type_index>{typeid(RetaliationAttributeAbs_Physical),
                                            typeid(RetaliationAttributeAbsMod_Physical)}));
    EXPECT_EQ(Kinds(store.GetGlobalAndAttributes()),
              (std::vector<std::type_index>{typeid(RetaliationAttributeReflex_Stun),
                                            typeid(RetaliationAttributeAbsMod_Stun)}));
    EXPECT_TRUE(store.GetAttributes().empty());
}

TEST(RetaliationAttributeStoreGlobal, SuffixHundredBeatsRecordFortyAtTheItemsLevel)
{
    const LoadTable record = Record("retaliationGlobalChance = 40\n"
                                    "retaliationColdMin = 6\nretaliationColdGlobal = 1\n");
    const LoadTable prefix = Record("retaliationGlobalChance = 30\n");
    const LoadTable suffix = Record("retaliationGlobalChance = 100\n");
    ExposedEquipmentStore store;
    store.Load(record, &prefix, &suffix, false);
    EXPECT_EQ(store.GetGlobalChance(1), 100.0f);
    EXPECT_EQ(store.GetGlobalChance(2), 40.0f);

    // Any roll up to 100 lets the group in at level 1.
    ScriptedAccumulator accumulator;
    accumulator.random.floats = {99.5f, 6.0f};
    store.AddDamageToAccumulator(accumulator, 1);
    EXPECT_EQ(Types(accumulator.GetDamage()),
              std::vector<CombatAttributeType>{CombatAttributeType_Cold});

    ExposedEquipmentStore prefixOnly;
    prefixOnly.Load(record, &prefix, nullptr, false);
    EXPECT_EQ(prefixOnly.GetGlobalChance(1), 30.0f);
}

TEST(RetaliationAttributeStoreCopy, CopiesOwnTheirAttributes)
{
    auto source = std::make_unique<RetaliationAttributeStore_Skill>();
    source->Load(Record("retaliationGlobalChance = 100\n"
                        "retaliationElementalMin = 30\n"
                        "retaliationLifeMin = 4\nretaliationLifeGlobal = 1\n"));
    RetaliationAttributeStore_Skill copy(*source);
    RetaliationAttributeStore_Skill assigned;
    assigned.Load(Record("retaliationColdMin = 1\n"));
    assigned = *source;
    EXPECT_NE(copy.GetAttributes()[0].get(), source->GetAttributes()[0].get());
    source.reset();

    for (const RetaliationAttributeStore_Skill* store : {&copy, &assigned}) {
        CombatAttributeAccumulator accumulator;
        store->AddDamageToAccumulator(accumulator, 1);
        EXPECT_EQ(Types(accumulator.GetDamage()),
                  (std::vector<CombatAttributeType>{
                      CombatAttributeType_Cold, CombatAttributeType_Fire,
                      CombatAttributeType_Lightning, CombatAttributeType_Life}));
    }
}

class RetaliationAttributeStorePak : public Test::EngineFixture {};

TEST_F(RetaliationAttributeStorePak, PackRecordRetaliationIsLoadedAndAdded)
{
    AttributePak pak;
    pak.LoadFromTable(Record("retaliationPhysicalMin = 12\nretaliationFireModifier = 25\n"
                             "offensiveColdMin = 3\n"));

    CombatAttributeAccumulator accumulator;
    pak.GetRetaliationAttributes(accumulator, 1);
    EXPECT_EQ(Types(accumulator.GetDamage()),
              std::vector<CombatAttributeType>{CombatAttributeType_Physical});
    EXPECT_EQ(Types(accumulator.GetDamageModifiers()),
              std::vector<CombatAttributeType>{CombatAttributeType_Fire});
    float absolute = 0.0f;
    float overTime = 0.0f;
    accumulator.GetTotalDamageType(absolute, overTime, CombatAttributeType_Physical);
    EXPECT_EQ(absolute, 12.0f);
}

} // namespace
} // namespace GAME
