#include "combat/CombatAttributeAccumulator.h"
#include "combat/DamageAttributeStore.h"
#include "combat/RetaliationAttributeKinds.h"
#include "combat/RetaliationAttributeStore_Equipment.h"
#include "combat/RetaliationAttributeStore_Skill.h"
#include "engine/LoadTable.h"
#include "tests/combat/StoreTestHelpers.h"
#include "tests/support/Records.h"
#include "tests/support/ScriptedAccumulator.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace {

using Test::Element;
using Test::EveryKind;
using Test::HeldKinds;
using Test::Join;
using Test::Names;
using Test::Record;
using Test::ScriptedAccumulator;
using Test::Types;

using ExposedRetaliationStore = Test::Exposed<RetaliationAttributeStore_Equipment>;

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
    EXPECT_EQ(skill.GetAttributes().size(), 49u);

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

TEST(RetaliationAttributeStoreGlobal, DamageAndModifierOfOneNameShareTheOneOfGroup)
{
    RetaliationAttributeStore_Skill store;
    store.Load(Record("retaliationPhysicalMin = 5\nretaliationPhysicalModifier = 20\n"
                      "retaliationPhysicalGlobal = 1\nretaliationPhysicalXOR = 1\n"
                      "retaliationStunMin = 1\nretaliationStunModifier = 10\n"
                      "retaliationStunGlobal = 1\n"));
    EXPECT_EQ(RetaliationKinds(store.GetGlobalXorAttributes()),
              (Names{"Abs_Physical", "AbsMod_Physical"}));
    EXPECT_EQ(RetaliationKinds(store.GetGlobalAndAttributes()),
              (Names{"Reflex_Stun", "AbsMod_Stun"}));
    EXPECT_TRUE(store.GetAttributes().empty());
}

TEST(RetaliationAttributeStoreGlobal, SuffixHundredBeatsRecordFortyAtTheItemsLevel)
{
    const LoadTable record = Record("retaliationGlobalChance = 40\n"
                                    "retaliationColdMin = 6\nretaliationColdGlobal = 1\n");
    const LoadTable prefix = Record("retaliationGlobalChance = 30\n");
    const LoadTable suffix = Record("retaliationGlobalChance = 100\n");
    ExposedRetaliationStore store;
    store.Load(record, &prefix, &suffix, false);
    EXPECT_EQ(store.GetGlobalChance(1), 100.0f);
    EXPECT_EQ(store.GetGlobalChance(2), 40.0f);

    // Any roll up to 100 lets the group in at level 1.
    ScriptedAccumulator accumulator;
    accumulator.random.floats = {99.5f, 6.0f};
    store.AddDamageToAccumulator(accumulator, 1);
    EXPECT_EQ(Types(accumulator.GetDamage()),
              std::vector<CombatAttributeType>{CombatAttributeType_Cold});
}

} // namespace
} // namespace GAME
