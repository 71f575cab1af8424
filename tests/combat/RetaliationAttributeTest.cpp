#include "combat/CombatAttributeAbsDamage_PercentLife.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/DamageAttributeKinds.h"
#include "combat/DamageAttributeStore.h"
#include "combat/RetaliationAttributeKinds.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

namespace GAME {
namespace {

enum Family { Abs, Reflex, Dur, DurFixed, AbsMod, DurMod };

struct KindRow {
    const char* className;
    Family family;
    CombatAttributeType type;
    const char* name; // the N every key and tag is formed from
};

const KindRow kKinds[] = {
    {"RetaliationAttributeAbs_PercentCurrentLife", Abs, CombatAttributeType_PercentCurrentLife,
     "PercentCurrentLife"},
    {"RetaliationAttributeAbs_Physical", Abs, CombatAttributeType_Physical, "Physical"},
    {"RetaliationAttributeAbs_Pierce", Abs, CombatAttributeType_Pierce, "Pierce"},
    {"RetaliationAttributeAbs_Cold", Abs, CombatAttributeType_Cold, "Cold"},
    {"RetaliationAttributeAbs_Fire", Abs, CombatAttributeType_Fire, "Fire"},
    {"RetaliationAttributeAbs_Poison", Abs, CombatAttributeType_Poison, "Poison"},
    {"RetaliationAttributeAbs_Lightning", Abs, CombatAttributeType_Lightning, "Lightning"},
    {"RetaliationAttributeAbs_Life", Abs, CombatAttributeType_Life, "Life"},
    {"RetaliationAttributeAbs_ElementalDamage", Abs, CombatAttributeType_ElementalGroup,
     "Elemental"},
    {"RetaliationAttributeDur_Physical", Dur, CombatAttributeType_Physical, "Physical"},
    {"RetaliationAttributeDur_Bleeding", Dur, CombatAttributeType_Bleeding, "Bleeding"},
    {"RetaliationAttributeDur_Cold", Dur, CombatAttributeType_Cold, "Cold"},
    {"RetaliationAttributeDur_Fire", Dur, CombatAttributeType_Fire, "Fire"},
    {"RetaliationAttributeDur_Poison", Dur, CombatAttributeType_Poison, "Poison"},
    {"RetaliationAttributeDur_Lightning", Dur, CombatAttributeType_Lightning, "Lightning"},
    {"RetaliationAttributeDur_Life", Dur, CombatAttributeType_Life, "Life"},
    {"RetaliationAttributeDur_LifeLeach", Dur, CombatAttributeType_LifeLeach, "LifeLeach"},
    {"RetaliationAttributeDur_ManaLeach", Dur, CombatAttributeType_ManaLeach, "ManaLeach"},
    {"RetaliationAttributeDur_AttackSpeed", DurFixed, CombatAttributeType_AttackSpeed,
     "AttackSpeed"},
    {"RetaliationAttributeDur_SpellCastSpeed", DurFixed, CombatAttributeType_SpellCastSpeed,
     "SpellCastSpeed"},
    {"RetaliationAttributeDur_RunSpeed", DurFixed, CombatAttributeType_RunSpeed, "RunSpeed"},
    {"RetaliationAttributeDur_OffensiveAbility", DurFixed, CombatAttributeType_OffensiveAbility,
     "OffensiveAbility"},
    {"RetaliationAttributeDur_DefensiveAbility", DurFixed, CombatAttributeType_DefensiveAbility,
     "DefensiveAbility"},
    {"RetaliationAttributeDur_OffensiveReduction", DurFixed, CombatAttributeType_OffensiveReduction,
     "OffensiveReduction"},
    {"RetaliationAttributeAbsMod_Physical", AbsMod, CombatAttributeType_Physical, "Physical"},
    {"RetaliationAttributeAbsMod_PierceRatio", AbsMod, CombatAttributeType_PierceRatio,
     "PierceRatio"},
    {"RetaliationAttributeAbsMod_Pierce", AbsMod, CombatAttributeType_Pierce, "Pierce"},
    {"RetaliationAttributeAbsMod_Cold", AbsMod, CombatAttributeType_Cold, "Cold"},
    {"RetaliationAttributeAbsMod_Fire", AbsMod, CombatAttributeType_Fire, "Fire"},
    {"RetaliationAttributeAbsMod_Poison", AbsMod, CombatAttributeType_Poison, "Poison"},
    {"RetaliationAttributeAbsMod_Lightning", AbsMod, CombatAttributeType_Lightning, "Lightning"},
    {"RetaliationAttributeAbsMod_Life", AbsMod, CombatAttributeType_Life, "Life"},
    {"RetaliationAttributeAbsMod_Stun", AbsMod, CombatAttributeType_Stun, "Stun"},
    {"RetaliationAttributeDurMod_Physical", DurMod, CombatAttributeType_Physical, "Physical"},
    {"RetaliationAttributeDurMod_Bleeding", DurMod, CombatAttributeType_Bleeding, "Bleeding"},
    {"RetaliationAttributeDurMod_Cold", DurMod, CombatAttributeType_Cold, "Cold"},
    {"RetaliationAttributeDurMod_Fire", DurMod, CombatAttributeType_Fire, "Fire"},
    {"RetaliationAttributeDurMod_Poison", DurMod, CombatAttributeType_Poison, "Poison"},
    {"RetaliationAttributeDurMod_Lightning", DurMod, CombatAttributeType_Lightning, "Lightning"},
    {"RetaliationAttributeDurMod_Life", DurMod, CombatAttributeType_Life, "Life"},
    {"RetaliationAttributeDurMod_AttackSpeed", DurMod, CombatAttributeType_AttackSpeed,
     "AttackSpeed"},
    {"RetaliationAttributeDurMod_SpellCastSpeed", DurMod, CombatAttributeType_SpellCastSpeed,
     "SpellCastSpeed"},
    {"RetaliationAttributeDurMod_RunSpeed", DurMod, CombatAttributeType_RunSpeed, "RunSpeed"},
    {"RetaliationAttributeDurMod_LifeLeach", DurMod, CombatAttributeType_LifeLeach, "LifeLeach"},
    {"RetaliationAttributeDurMod_ManaLeach", DurMod, CombatAttributeType_ManaLeach, "ManaLeach"},
    {"RetaliationAttributeDurMod_OffensiveAbility", DurMod, CombatAttributeType_OffensiveAbility,
     "OffensiveAbility"},
    {"RetaliationAttributeDurMod_DefensiveAbility", DurMod, CombatAttributeType_DefensiveAbility,
     "DefensiveAbility"},
    {"RetaliationAttributeDurMod_OffensiveReduction", DurMod,
     CombatAttributeType_OffensiveReduction, "OffensiveReduction"},
    {"RetaliationAttributeReflex_Stun", Reflex, CombatAttributeType_Stun, "Stun"},
};

// The keys a row's family forms from its name, and the base family it must reuse.
void ExpectKind(const KindRow& row)
{
    SCOPED_TRACE(row.className);
    const std::unique_ptr<DamageAttribute> attribute = CreateRetaliationAttribute(row.className);
    ASSERT_NE(attribute, nullptr);
    const bool slow = row.family == Dur || row.family == DurFixed || row.family == DurMod;
    const std::string stem = std::string(slow ? "retaliationSlow" : "retaliation") + row.name;
    EXPECT_EQ(attribute->GetType(), row.type);
    EXPECT_EQ(attribute->GetLoadXorTag(), stem + "XOR");
    EXPECT_EQ(attribute->GetLoadGlobalTag(), stem + "Global");

    if (auto* mod = dynamic_cast<DamageAttributeAbsMod*>(attribute.get())) {
        ASSERT_EQ(row.family, AbsMod);
        EXPECT_NE(dynamic_cast<DamageAttributeAbsModBonus*>(mod), nullptr);
        EXPECT_EQ(mod->GetLoadChanceTag(), stem + "ModifierChance");
        EXPECT_EQ(mod->GetLoadModifierTag(), stem + "Modifier");
        EXPECT_EQ(mod->GetDisplayTag(), std::string("RetaliationModifier") + row.name);
    } else if (auto* durMod = dynamic_cast<DamageAttributeDurMod*>(attribute.get())) {
        ASSERT_EQ(row.family, DurMod);
        EXPECT_NE(dynamic_cast<DamageAttributeDurModBonus*>(durMod), nullptr);
        EXPECT_EQ(durMod->GetLoadChanceTag(), stem + "ModifierChance");
        EXPECT_EQ(durMod->GetLoadModifierTag(), stem + "Modifier");
        EXPECT_EQ(durMod->GetLoadDurationModifierTag(), stem + "DurationModifier");
        EXPECT_EQ(durMod->GetDisplayTag(), std::string("RetaliationDurationModifier") + row.name);
    } else if (auto* flat = dynamic_cast<DamageAttributeAbs*>(attribute.get())) {
        ASSERT_TRUE(row.family == Abs || row.family == Reflex);
        EXPECT_NE(dynamic_cast<DamageAttributeAbsBonus*>(flat), nullptr);
        EXPECT_EQ(dynamic_cast<DamageAttributeAbsBonusElemental*>(flat), nullptr);
        EXPECT_EQ(dynamic_cast<DamageAttributeReflex*>(flat) != nullptr, row.family == Reflex);
        EXPECT_EQ(flat->GetLoadChanceTag(), stem + "Chance");
        EXPECT_EQ(flat->GetLoadValueMinTag(), stem + "Min");
        EXPECT_EQ(flat->GetLoadValueMaxTag(), stem + "Max");
        EXPECT_EQ(flat->GetDisplayTag(), std::string("Retaliation") + row.name);
        EXPECT_STREQ(flat->GetSingleFormatTag(),
                     row.family == Reflex ? "DamageReflexSingleFormat" : "DamageSingleFormat");
        EXPECT_STREQ(flat->GetRangeFormatTag(),
                     row.family == Reflex ? "DamageReflexRangeFormat" : "DamageRangeFormat");
    } else if (auto* dur = dynamic_cast<DamageAttributeDur*>(attribute.get())) {
        ASSERT_TRUE(row.family == Dur || row.family == DurFixed);
        EXPECT_EQ(dynamic_cast<DamageAttributeDurFixed*>(dur) != nullptr, row.family == DurFixed);
        EXPECT_EQ(dynamic_cast<DamageAttributeDurBonus*>(dur) != nullptr, row.family == Dur);
        EXPECT_EQ(dynamic_cast<DamageAttributeDurBonusElemental*>(dur), nullptr);
        EXPECT_EQ(dur->GetLoadChanceTag(), stem + "Chance");
        EXPECT_EQ(dur->GetLoadValueMinTag(), stem + "Min");
        EXPECT_EQ(dur->GetLoadValueMaxTag(), stem + "Max");
        EXPECT_EQ(dur->GetLoadDurationMinTag(), stem + "DurationMin");
        EXPECT_EQ(dur->GetLoadDurationMaxTag(), stem + "DurationMax");
        EXPECT_EQ(dur->GetDisplayTag(), std::string("RetaliationDuration") + row.name);
    } else {
        ADD_FAILURE() << "no family";
    }
}

TEST(RetaliationAttributeKinds, EveryKindReadsTheKeysOfItsFamilyAndName)
{
    for (const KindRow& row : kKinds)
        ExpectKind(row);
}

TEST(RetaliationAttributeKinds, RegistryHoldsTheFortyNineKindsEachCopyingToItsOwnKind)
{
    std::set<std::string> names;
    for (const DamageAttributeKindInfo& kind : GetRetaliationAttributeKinds()) {
        names.insert(kind.className);
        const std::unique_ptr<DamageAttribute> made = kind.create();
        const std::unique_ptr<DamageAttribute> copy = made->Clone();
        EXPECT_EQ(std::type_index(typeid(*copy)), std::type_index(typeid(*made))) << kind.className;
    }
    // The table above looks each kind up by name; here none is missing or doubled.
    EXPECT_EQ(GetRetaliationAttributeKinds().size(), 49u);
    EXPECT_EQ(names.size(), 49u);
    EXPECT_EQ(std::size(kKinds), 49u);
    EXPECT_EQ(CreateRetaliationAttribute("DamageAttributeAbs_Fire"), nullptr);
}

// Tags without texts show as the tag and its numbers, so lines compare exactly.
class RetaliationAttributeTest : public ::testing::Test {
protected:
    void SetUp() override { LocalizationManager::Instance().Clear(); }

    DamageAttribute* Load(std::unique_ptr<DamageAttribute> attribute, const std::string& text)
    {
        return DamageAttribute::LoadInto(std::move(attribute), store, GAME::Test::Record(text));
    }
    DamageAttribute* Load(const char* className, const std::string& text)
    {
        return Load(CreateRetaliationAttribute(className), text);
    }

    // The attack's damage as (class of combat attribute, type, value).
    struct Added {
        std::type_index kind;
        CombatAttributeType type;
        float value;
        bool operator==(const Added&) const = default;
    };
    std::vector<Added> Damage() const
    {
        std::vector<Added> added;
        for (const auto& attribute : accumulator.GetDamage()) {
            const CombatAttribute& held = *attribute;
            float value = 0.0f;
            if (auto* abs = dynamic_cast<const CombatAttributeAbsDamage*>(&held))
                value = abs->GetValue();
            else if (auto* dur = dynamic_cast<const CombatAttributeDurDamage*>(&held))
                value = dur->GetValue();
            added.push_back({typeid(held), held.GetType(), value});
        }
        return added;
    }

    DamageAttributeStore store;
    CombatAttributeAccumulator accumulator;
};

TEST_F(RetaliationAttributeTest, RetaliationAddsPlainDamageWhereOffenseAddsElemental)
{
    std::pair<std::unique_ptr<DamageAttribute>, const char*> records[] = {
        {CreateRetaliationAttribute("RetaliationAttributeAbs_ElementalDamage"),
         "retaliationElementalMin = 30\nretaliationElementalMax = 30\n"},
        {CreateRetaliationAttribute("RetaliationAttributeAbs_Fire"), "retaliationFireMin = 20\n"},
        {std::make_unique<DamageAttributeAbs_Fire>(), "offensiveFireMin = 20\n"},
        {CreateRetaliationAttribute("RetaliationAttributeDur_Lightning"),
         "retaliationSlowLightningMin = 4\nretaliationSlowLightningDurationMin = 3\n"},
        {CreateRetaliationAttribute("RetaliationAttributeAbs_PercentCurrentLife"),
         "retaliationPercentCurrentLifeMin = 15\n"},
        {CreateRetaliationAttribute("RetaliationAttributeReflex_Stun"), "retaliationStunMin = 2\n"},
        {CreateRetaliationAttribute("RetaliationAttributeDur_RunSpeed"),
         "retaliationSlowRunSpeedMin = 30\nretaliationSlowRunSpeedDurationMin = 5\n"}};
    for (auto& [attribute, keys] : records)
        Load(std::move(attribute), keys)
            ->AddDamageToAccumulator(accumulator, 1, accumulator.GetRandomGen(), false);
    // The elemental equation is for the character's own blows only.
    const std::type_index plain = typeid(CombatAttributeAbsDamage);
    EXPECT_EQ(Damage(),
              (std::vector<Added>{
                  {plain, CombatAttributeType_Cold, 10.0f},
                  {plain, CombatAttributeType_Fire, 10.0f},
                  {plain, CombatAttributeType_Lightning, 10.0f},
                  {plain, CombatAttributeType_Fire, 20.0f},
                  {typeid(CombatAttributeAbsDamageElemental), CombatAttributeType_Fire, 20.0f},
                  {typeid(CombatAttributeDurDamage), CombatAttributeType_Lightning, 4.0f},
                  {typeid(CombatAttributeAbsDamage_PercentLife),
                   CombatAttributeType_PercentCurrentLife, 15.0f},
                  {typeid(CombatAttributeReflexDamage), CombatAttributeType_Stun, 2.0f},
                  {typeid(CombatAttributeDurFixedDamage), CombatAttributeType_RunSpeed, 30.0f}}));
}

TEST_F(RetaliationAttributeTest, LinesShowTheRetaliationTags)
{
    const char* const records[][2] = {
        {"RetaliationAttributeDur_Poison",
         "retaliationSlowPoisonMin = 4\nretaliationSlowPoisonDurationMin = 3\n"
         "retaliationSlowPoisonChance = 25\n"},
        {"RetaliationAttributeAbsMod_Stun", "retaliationStunModifier = 40\n"},
        {"RetaliationAttributeReflex_Stun", "retaliationStunMin = 1\nretaliationStunMax = 2\n"}};
    std::vector<std::wstring> first, second, third;
    for (const auto& [className, keys] : records)
        Load(className, keys)->CreateText(first, second, third, 1);
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(second, std::vector<std::wstring>{L"RetaliationModifierStun 40"});
    EXPECT_EQ(third, (std::vector<std::wstring>{
                         L"ChanceOfTag 25DamageSingleFormat 12RetaliationDurationPoison"
                         L"DamageSingleFormatTime 3",
                         L"DamageReflexRangeFormat 1 2RetaliationStun"}));
}

TEST_F(RetaliationAttributeTest, HugeRecordValuesSaturateWhenScaledOrJittered)
{
    DamageAttribute* physical =
        Load("RetaliationAttributeAbs_Physical",
             "retaliationPhysicalMin = 1e12\nretaliationPhysicalMax = 1e12\n");
    ASSERT_NE(physical, nullptr);
    physical->ScaleAttribute(10.0f);
    auto& flat = dynamic_cast<DamageAttributeAbs&>(*physical);
    EXPECT_EQ(flat.GetValueMin(1), 1e12f + static_cast<float>(INT32_MAX));

    RandomUniform random;
    physical->AddJitter(50.0f, &random);
    EXPECT_TRUE(std::isfinite(flat.GetValueMin(1)));
}

} // namespace
} // namespace GAME
