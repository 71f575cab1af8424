#include "combat/DamageAttributeKinds.h"
#include "tests/combat/StoreTestHelpers.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

namespace GAME {
namespace {

// Every kind whose keys follow the stem rule, by class name without its "DamageAttribute" head.
// The name after the family is the type's, the stem's end and the display tag's end.
// clang-format off
const char* const kStemKinds[] = {
    "AbsMod_Physical", "AbsMod_PierceRatio", "AbsMod_Pierce", "AbsMod_Bleeding", "AbsMod_Cold",
    "AbsMod_Fire", "AbsMod_Poison", "AbsMod_Lightning", "AbsMod_Life", "AbsMod_Stun",
    "AbsMod_ManaBurn", "AbsMod_Elemental", "DurMod_Physical", "DurMod_Bleeding", "DurMod_Cold",
    "DurMod_Fire", "DurMod_Poison", "DurMod_Lightning", "DurMod_Life", "DurMod_AttackSpeed",
    "DurMod_SpellCastSpeed", "DurMod_RunSpeed", "DurMod_LifeLeach", "DurMod_ManaLeach",
    "DurMod_OffensiveAbility", "DurMod_DefensiveAbility", "DurMod_OffensiveReduction",
    "Reflex_Stun", "Reflex_Freeze", "Reflex_Petrify", "Reflex_Trap", "Abs_Taunt", "Abs_Convert",
    "Abs_Fear", "Abs_Confusion", "Abs_PercentCurrentLife", "Abs_Disruption", "Abs_LifeLeech",
    "AbsBase_Cold", "AbsBase_Fire", "AbsBase_Poison", "AbsBase_Lightning", "AbsBase_Life",
    "Abs_Pierce", "Abs_Cold", "Abs_Fire", "Abs_Poison", "Abs_Lightning", "Abs_Life",
    "Abs_ElementalDamage", "Dur_Physical", "Dur_Bleeding", "Dur_Cold", "Dur_Fire", "Dur_Poison",
    "Dur_Lightning", "Dur_Life", "Dur_LifeLeach", "Dur_ManaLeach", "Dur_OffensiveAbility",
    "Dur_DefensiveAbility", "Dur_OffensiveReduction", "Dur_DefensiveReduction",
    "Dur_TotalDamageReductionPercent", "Dur_TotalDamageReductionAbsolute",
    "Dur_TotalResistanceReductionPercent", "Dur_TotalResistanceReductionAbsolute", "Dur_Fumble",
    "Dur_ProjectileFumble", "Dur_TotalSpeed", "Dur_AttackSpeed", "Dur_SpellCastSpeed",
    "Dur_RunSpeed",
};
// clang-format on

// Where a kind's type, stem or display tag leaves the rule; null keeps the rule's.
struct Exception {
    const char* className;
    CombatAttributeType type;
    const char* stem;
    const char* display;
};
const Exception kExceptions[] = {
    {"AbsMod_Elemental", CombatAttributeType_ElementalGroup, nullptr, nullptr},
    {"Abs_ElementalDamage", CombatAttributeType_ElementalGroup, "offensiveElemental",
     "DamageElemental"},
    {"Abs_LifeLeech", CombatAttributeType_LifeLeach, nullptr, nullptr},
    {"AbsBase_Life", CombatAttributeType_Life, nullptr, "tagDamageBaseVitality"},
    {"Dur_TotalDamageReductionPercent", CombatAttributeType_Unknown,
     "offensiveTotalDamageReductionPercent", "DamageTotalDamageReductionPercent"},
    {"Dur_TotalDamageReductionAbsolute", CombatAttributeType_Unknown,
     "offensiveTotalDamageReductionAbsolute", "DamageTotalDamageReductionAbsolute"},
    {"Dur_TotalResistanceReductionPercent", CombatAttributeType_Unknown,
     "offensiveTotalResistanceReductionPercent", "DamageTotalResistanceReductionPercent"},
    {"Dur_TotalResistanceReductionAbsolute", CombatAttributeType_Unknown,
     "offensiveTotalResistanceReductionAbsolute", "DamageTotalResistanceReductionAbsolute"},
    {"Dur_Fumble", CombatAttributeType_Unknown, "offensiveFumble", nullptr},
    {"Dur_ProjectileFumble", CombatAttributeType_Unknown, "offensiveProjectileFumble", nullptr},
};

std::string Key(const std::string& stem, const char* suffix)
{
    return stem + suffix;
}

struct Expected {
    CombatAttributeType type = CombatAttributeType_Unknown;
    std::string chance, xorKey, global, display;
    std::string modifier, durationModifier, valueMin, valueMax, durationMin, durationMax;
};

Expected FromStem(const std::string& className)
{
    const std::string head = className.substr(0, className.find('_'));
    const std::string name = className.substr(head.size() + 1);
    const bool slow = head == "Dur" || head == "DurMod";
    std::string stem = std::string(slow ? "offensiveSlow" : "offensive") +
                       (head == "AbsBase" ? "Base" : "") + name;
    Expected e;
    e.type = Test::TypeNamed(name);
    e.display = (head == "AbsMod"    ? "DamageModifier"
                 : head == "DurMod"  ? "DamageDurationModifier"
                 : head == "Dur"     ? "DamageDuration"
                 : head == "AbsBase" ? "tagDamageBase"
                                     : "Damage") +
                name;
    for (const Exception& exception : kExceptions) {
        if (className != exception.className)
            continue;
        if (exception.type != CombatAttributeType_Unknown)
            e.type = exception.type;
        if (exception.stem != nullptr)
            stem = exception.stem;
        if (exception.display != nullptr)
            e.display = exception.display;
    }
    e.xorKey = Key(stem, "XOR");
    e.global = Key(stem, "Global");
    if (head == "AbsMod" || head == "DurMod") {
        e.chance = Key(stem, "ModifierChance");
        e.modifier = Key(stem, "Modifier");
        if (head == "DurMod")
            e.durationModifier = Key(stem, "DurationModifier");
    } else {
        e.chance = Key(stem, "Chance");
        e.valueMin = Key(stem, "Min");
        e.valueMax = Key(stem, "Max");
        if (head == "Dur") {
            e.durationMin = Key(stem, "DurationMin");
            e.durationMax = Key(stem, "DurationMax");
        }
    }
    return e;
}

void ExpectKeys(const char* className, const Expected& e)
{
    SCOPED_TRACE(className);
    std::unique_ptr<DamageAttribute> attribute = CreateDamageAttribute(className);
    ASSERT_NE(attribute, nullptr);
    EXPECT_EQ(attribute->GetType(), e.type);
    EXPECT_EQ(attribute->GetLoadChanceTag(), e.chance);
    EXPECT_EQ(attribute->GetLoadXorTag(), e.xorKey);
    EXPECT_EQ(attribute->GetLoadGlobalTag(), e.global);
    EXPECT_EQ(attribute->GetDisplayTag(), e.display);
    if (auto* mod = dynamic_cast<DamageAttributeAbsMod*>(attribute.get())) {
        EXPECT_EQ(mod->GetLoadModifierTag(), e.modifier);
        EXPECT_TRUE(e.durationModifier.empty());
    } else if (auto* durMod = dynamic_cast<DamageAttributeDurMod*>(attribute.get())) {
        EXPECT_EQ(durMod->GetLoadModifierTag(), e.modifier);
        EXPECT_EQ(durMod->GetLoadDurationModifierTag(), e.durationModifier);
    } else if (auto* flat = dynamic_cast<DamageAttributeAbs*>(attribute.get())) {
        EXPECT_EQ(flat->GetLoadValueMinTag(), e.valueMin);
        EXPECT_EQ(flat->GetLoadValueMaxTag(), e.valueMax);
        EXPECT_TRUE(e.durationMin.empty());
    } else if (auto* dur = dynamic_cast<DamageAttributeDur*>(attribute.get())) {
        EXPECT_EQ(dur->GetLoadValueMinTag(), e.valueMin);
        EXPECT_EQ(dur->GetLoadValueMaxTag(), e.valueMax);
        EXPECT_EQ(dur->GetLoadDurationMinTag(), e.durationMin);
        EXPECT_EQ(dur->GetLoadDurationMaxTag(), e.durationMax);
    } else {
        ADD_FAILURE() << "no family";
    }
}

TEST(DamageAttributeKinds, EveryStemKindReadsItsStemKeys)
{
    for (const char* className : kStemKinds) {
        Expected e = FromStem(className);
        // The mana-burn modifier is read under its ratio-adder keys.
        if (std::string(className) == "AbsMod_ManaBurn") {
            e.chance = "offensiveManaBurnRatioAdderChance";
            e.modifier = "offensiveManaBurnRatioAdder";
        }
        ExpectKeys(("DamageAttribute" + std::string(className)).c_str(), e);
    }
}

TEST(DamageAttributeKinds, KindsWithKeysOfTheirOwn)
{
    Expected bonus;
    bonus.type = CombatAttributeType_Physical;
    bonus.chance = "offensiveBonusPhysicalChance";
    bonus.xorKey = "offensiveBonusPhysicalXOR";
    bonus.global = "offensiveBonusPhysicalGlobal";
    bonus.display = "DamageBonusPhysical";
    bonus.valueMin = "offensiveBonusPhysicalMin";
    bonus.valueMax = "offensiveBonusPhysicalMax";
    ExpectKeys("DamageAttributeAbs_BonusPhysical", bonus);

    Expected burn;
    burn.type = CombatAttributeType_ManaBurn;
    burn.chance = "offensiveManaBurnChance";
    burn.xorKey = "offensiveManaBurnXOR";
    burn.global = "offensiveManaBurnGlobal";
    burn.display = "DamageManaDrain";
    burn.valueMin = "offensiveManaBurnDrainMin";
    burn.valueMax = "offensiveManaBurnDrainMax";
    ExpectKeys("DamageAttributeAbs_ManaBurn", burn);
    DamageAttributeAbs_ManaBurn manaBurn;
    EXPECT_STREQ(manaBurn.GetLoadDamageRatioTag(), "offensiveManaBurnDamageRatio");

    DamageAttribute_Physical physical;
    EXPECT_EQ(physical.GetType(), CombatAttributeType_Physical);
    EXPECT_STREQ(physical.GetLoadChanceTag(), "offensivePhysicalChance");
    EXPECT_STREQ(physical.GetLoadXorTag(), "offensivePhysicalXOR");
    EXPECT_STREQ(physical.GetLoadGlobalTag(), "offensivePhysicalGlobal");
    EXPECT_STREQ(physical.GetDisplayTag(), "");

    DamageAttribute_BasePhysical base;
    EXPECT_EQ(base.GetType(), CombatAttributeType_Unknown);
    for (const char* tag : {base.GetLoadChanceTag(), base.GetLoadXorTag(), base.GetLoadGlobalTag(),
                            base.GetDisplayTag()})
        EXPECT_STREQ(tag, "Not Used");
}

TEST(DamageAttributeKinds, RegistryHoldsTheSeventySixLoadedKinds)
{
    std::set<std::string> names;
    for (const DamageAttributeKindInfo& kind : GetDamageAttributeKinds()) {
        names.insert(kind.className);
        // Each kind's copy is of its own kind.
        const std::unique_ptr<DamageAttribute> made = kind.create();
        const std::unique_ptr<DamageAttribute> copy = made->Clone();
        const DamageAttribute &copied = *copy, &original = *made;
        EXPECT_EQ(typeid(copied), typeid(original)) << kind.className;
    }
    // The tables above look each kind up by name; here none is missing or doubled.
    EXPECT_EQ(GetDamageAttributeKinds().size(), 76u);
    EXPECT_EQ(names.size(), 76u);
    EXPECT_EQ(std::size(kStemKinds) + 3, 76u);
    EXPECT_NE(CreateDamageAttribute("DamageAttribute_Physical"), nullptr);
    EXPECT_EQ(CreateDamageAttribute("DamageAttribute_BasePhysical"), nullptr);
    EXPECT_EQ(CreateDamageAttribute("DamageAttributeAbs_Frost"), nullptr);
}

} // namespace
} // namespace GAME
