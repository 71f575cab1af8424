#include "combat/DamageAttributeKinds.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

namespace GAME {
namespace {

enum Family { Mod, DurMod, Flat, Dur };

struct KindRow {
    const char* className;
    Family family;
    CombatAttributeType type;
    const char* stem;
    const char* display;
};

// Every kind whose keys follow the stem rule: the stem and the family's suffixes.
const KindRow kStemKinds[] = {
    {"DamageAttributeAbsMod_Physical", Mod, CombatAttributeType_Physical, "offensivePhysical",
     "DamageModifierPhysical"},
    {"DamageAttributeAbsMod_PierceRatio", Mod, CombatAttributeType_PierceRatio,
     "offensivePierceRatio", "DamageModifierPierceRatio"},
    {"DamageAttributeAbsMod_Pierce", Mod, CombatAttributeType_Pierce, "offensivePierce",
     "DamageModifierPierce"},
    {"DamageAttributeAbsMod_Bleeding", Mod, CombatAttributeType_Bleeding, "offensiveBleeding",
     "DamageModifierBleeding"},
    {"DamageAttributeAbsMod_Cold", Mod, CombatAttributeType_Cold, "offensiveCold",
     "DamageModifierCold"},
    {"DamageAttributeAbsMod_Fire", Mod, CombatAttributeType_Fire, "offensiveFire",
     "DamageModifierFire"},
    {"DamageAttributeAbsMod_Poison", Mod, CombatAttributeType_Poison, "offensivePoison",
     "DamageModifierPoison"},
    {"DamageAttributeAbsMod_Lightning", Mod, CombatAttributeType_Lightning, "offensiveLightning",
     "DamageModifierLightning"},
    {"DamageAttributeAbsMod_Life", Mod, CombatAttributeType_Life, "offensiveLife",
     "DamageModifierLife"},
    {"DamageAttributeAbsMod_Stun", Mod, CombatAttributeType_Stun, "offensiveStun",
     "DamageModifierStun"},
    {"DamageAttributeAbsMod_ManaBurn", Mod, CombatAttributeType_ManaBurn, "offensiveManaBurn",
     "DamageModifierManaBurn"},
    {"DamageAttributeAbsMod_Elemental", Mod, CombatAttributeType_ElementalGroup,
     "offensiveElemental", "DamageModifierElemental"},
    {"DamageAttributeDurMod_Physical", DurMod, CombatAttributeType_Physical,
     "offensiveSlowPhysical", "DamageDurationModifierPhysical"},
    {"DamageAttributeDurMod_Bleeding", DurMod, CombatAttributeType_Bleeding,
     "offensiveSlowBleeding", "DamageDurationModifierBleeding"},
    {"DamageAttributeDurMod_Cold", DurMod, CombatAttributeType_Cold, "offensiveSlowCold",
     "DamageDurationModifierCold"},
    {"DamageAttributeDurMod_Fire", DurMod, CombatAttributeType_Fire, "offensiveSlowFire",
     "DamageDurationModifierFire"},
    {"DamageAttributeDurMod_Poison", DurMod, CombatAttributeType_Poison, "offensiveSlowPoison",
     "DamageDurationModifierPoison"},
    {"DamageAttributeDurMod_Lightning", DurMod, CombatAttributeType_Lightning,
     "offensiveSlowLightning", "DamageDurationModifierLightning"},
    {"DamageAttributeDurMod_Life", DurMod, CombatAttributeType_Life, "offensiveSlowLife",
     "DamageDurationModifierLife"},
    {"DamageAttributeDurMod_AttackSpeed", DurMod, CombatAttributeType_AttackSpeed,
     "offensiveSlowAttackSpeed", "DamageDurationModifierAttackSpeed"},
    {"DamageAttributeDurMod_SpellCastSpeed", DurMod, CombatAttributeType_SpellCastSpeed,
     "offensiveSlowSpellCastSpeed", "DamageDurationModifierSpellCastSpeed"},
    {"DamageAttributeDurMod_RunSpeed", DurMod, CombatAttributeType_RunSpeed,
     "offensiveSlowRunSpeed", "DamageDurationModifierRunSpeed"},
    {"DamageAttributeDurMod_LifeLeach", DurMod, CombatAttributeType_LifeLeach,
     "offensiveSlowLifeLeach", "DamageDurationModifierLifeLeach"},
    {"DamageAttributeDurMod_ManaLeach", DurMod, CombatAttributeType_ManaLeach,
     "offensiveSlowManaLeach", "DamageDurationModifierManaLeach"},
    {"DamageAttributeDurMod_OffensiveAbility", DurMod, CombatAttributeType_OffensiveAbility,
     "offensiveSlowOffensiveAbility", "DamageDurationModifierOffensiveAbility"},
    {"DamageAttributeDurMod_DefensiveAbility", DurMod, CombatAttributeType_DefensiveAbility,
     "offensiveSlowDefensiveAbility", "DamageDurationModifierDefensiveAbility"},
    {"DamageAttributeDurMod_OffensiveReduction", DurMod, CombatAttributeType_OffensiveReduction,
     "offensiveSlowOffensiveReduction", "DamageDurationModifierOffensiveReduction"},
    {"DamageAttributeReflex_Stun", Flat, CombatAttributeType_Stun, "offensiveStun", "DamageStun"},
    {"DamageAttributeReflex_Freeze", Flat, CombatAttributeType_Freeze, "offensiveFreeze",
     "DamageFreeze"},
    {"DamageAttributeReflex_Petrify", Flat, CombatAttributeType_Petrify, "offensivePetrify",
     "DamagePetrify"},
    {"DamageAttributeReflex_Trap", Flat, CombatAttributeType_Trap, "offensiveTrap", "DamageTrap"},
    {"DamageAttributeAbs_Taunt", Flat, CombatAttributeType_Taunt, "offensiveTaunt", "DamageTaunt"},
    {"DamageAttributeAbs_Convert", Flat, CombatAttributeType_Convert, "offensiveConvert",
     "DamageConvert"},
    {"DamageAttributeAbs_Fear", Flat, CombatAttributeType_Fear, "offensiveFear", "DamageFear"},
    {"DamageAttributeAbs_Confusion", Flat, CombatAttributeType_Confusion, "offensiveConfusion",
     "DamageConfusion"},
    {"DamageAttributeAbs_PercentCurrentLife", Flat, CombatAttributeType_PercentCurrentLife,
     "offensivePercentCurrentLife", "DamagePercentCurrentLife"},
    {"DamageAttributeAbs_Disruption", Flat, CombatAttributeType_Disruption, "offensiveDisruption",
     "DamageDisruption"},
    {"DamageAttributeAbs_LifeLeech", Flat, CombatAttributeType_LifeLeach, "offensiveLifeLeech",
     "DamageLifeLeech"},
    {"DamageAttributeAbsBase_Cold", Flat, CombatAttributeType_Cold, "offensiveBaseCold",
     "tagDamageBaseCold"},
    {"DamageAttributeAbsBase_Fire", Flat, CombatAttributeType_Fire, "offensiveBaseFire",
     "tagDamageBaseFire"},
    {"DamageAttributeAbsBase_Poison", Flat, CombatAttributeType_Poison, "offensiveBasePoison",
     "tagDamageBasePoison"},
    {"DamageAttributeAbsBase_Lightning", Flat, CombatAttributeType_Lightning,
     "offensiveBaseLightning", "tagDamageBaseLightning"},
    {"DamageAttributeAbsBase_Life", Flat, CombatAttributeType_Life, "offensiveBaseLife",
     "tagDamageBaseVitality"},
    {"DamageAttributeAbs_Pierce", Flat, CombatAttributeType_Pierce, "offensivePierce",
     "DamagePierce"},
    {"DamageAttributeAbs_Cold", Flat, CombatAttributeType_Cold, "offensiveCold", "DamageCold"},
    {"DamageAttributeAbs_Fire", Flat, CombatAttributeType_Fire, "offensiveFire", "DamageFire"},
    {"DamageAttributeAbs_Poison", Flat, CombatAttributeType_Poison, "offensivePoison",
     "DamagePoison"},
    {"DamageAttributeAbs_Lightning", Flat, CombatAttributeType_Lightning, "offensiveLightning",
     "DamageLightning"},
    {"DamageAttributeAbs_Life", Flat, CombatAttributeType_Life, "offensiveLife", "DamageLife"},
    {"DamageAttributeAbs_ElementalDamage", Flat, CombatAttributeType_ElementalGroup,
     "offensiveElemental", "DamageElemental"},
    {"DamageAttributeDur_Physical", Dur, CombatAttributeType_Physical, "offensiveSlowPhysical",
     "DamageDurationPhysical"},
    {"DamageAttributeDur_Bleeding", Dur, CombatAttributeType_Bleeding, "offensiveSlowBleeding",
     "DamageDurationBleeding"},
    {"DamageAttributeDur_Cold", Dur, CombatAttributeType_Cold, "offensiveSlowCold",
     "DamageDurationCold"},
    {"DamageAttributeDur_Fire", Dur, CombatAttributeType_Fire, "offensiveSlowFire",
     "DamageDurationFire"},
    {"DamageAttributeDur_Poison", Dur, CombatAttributeType_Poison, "offensiveSlowPoison",
     "DamageDurationPoison"},
    {"DamageAttributeDur_Lightning", Dur, CombatAttributeType_Lightning, "offensiveSlowLightning",
     "DamageDurationLightning"},
    {"DamageAttributeDur_Life", Dur, CombatAttributeType_Life, "offensiveSlowLife",
     "DamageDurationLife"},
    {"DamageAttributeDur_LifeLeach", Dur, CombatAttributeType_LifeLeach, "offensiveSlowLifeLeach",
     "DamageDurationLifeLeach"},
    {"DamageAttributeDur_ManaLeach", Dur, CombatAttributeType_ManaLeach, "offensiveSlowManaLeach",
     "DamageDurationManaLeach"},
    {"DamageAttributeDur_OffensiveAbility", Dur, CombatAttributeType_OffensiveAbility,
     "offensiveSlowOffensiveAbility", "DamageDurationOffensiveAbility"},
    {"DamageAttributeDur_DefensiveAbility", Dur, CombatAttributeType_DefensiveAbility,
     "offensiveSlowDefensiveAbility", "DamageDurationDefensiveAbility"},
    {"DamageAttributeDur_OffensiveReduction", Dur, CombatAttributeType_OffensiveReduction,
     "offensiveSlowOffensiveReduction", "DamageDurationOffensiveReduction"},
    {"DamageAttributeDur_DefensiveReduction", Dur, CombatAttributeType_DefensiveReduction,
     "offensiveSlowDefensiveReduction", "DamageDurationDefensiveReduction"},
    {"DamageAttributeDur_TotalDamageReductionPercent", Dur,
     CombatAttributeType_TotalDamageReductionPercent, "offensiveTotalDamageReductionPercent",
     "DamageTotalDamageReductionPercent"},
    {"DamageAttributeDur_TotalDamageReductionAbsolute", Dur,
     CombatAttributeType_TotalDamageReductionAbsolute, "offensiveTotalDamageReductionAbsolute",
     "DamageTotalDamageReductionAbsolute"},
    {"DamageAttributeDur_TotalResistanceReductionPercent", Dur,
     CombatAttributeType_TotalResistanceReductionPercent,
     "offensiveTotalResistanceReductionPercent", "DamageTotalResistanceReductionPercent"},
    {"DamageAttributeDur_TotalResistanceReductionAbsolute", Dur,
     CombatAttributeType_TotalResistanceReductionAbsolute,
     "offensiveTotalResistanceReductionAbsolute", "DamageTotalResistanceReductionAbsolute"},
    {"DamageAttributeDur_Fumble", Dur, CombatAttributeType_Fumble, "offensiveFumble",
     "DamageDurationFumble"},
    {"DamageAttributeDur_ProjectileFumble", Dur, CombatAttributeType_ProjectileFumble,
     "offensiveProjectileFumble", "DamageDurationProjectileFumble"},
    {"DamageAttributeDur_TotalSpeed", Dur, CombatAttributeType_TotalSpeed,
     "offensiveSlowTotalSpeed", "DamageDurationTotalSpeed"},
    {"DamageAttributeDur_AttackSpeed", Dur, CombatAttributeType_AttackSpeed,
     "offensiveSlowAttackSpeed", "DamageDurationAttackSpeed"},
    {"DamageAttributeDur_SpellCastSpeed", Dur, CombatAttributeType_SpellCastSpeed,
     "offensiveSlowSpellCastSpeed", "DamageDurationSpellCastSpeed"},
    {"DamageAttributeDur_RunSpeed", Dur, CombatAttributeType_RunSpeed, "offensiveSlowRunSpeed",
     "DamageDurationRunSpeed"},
};

std::string Key(const char* stem, const char* suffix)
{
    return std::string(stem) + suffix;
}

struct Expected {
    CombatAttributeType type = CombatAttributeType_Unknown;
    std::string chance, xorKey, global, display;
    std::string modifier, durationModifier, valueMin, valueMax, durationMin, durationMax;
};

Expected FromStem(const KindRow& row)
{
    Expected e;
    e.type = row.type;
    e.xorKey = Key(row.stem, "XOR");
    e.global = Key(row.stem, "Global");
    e.display = row.display;
    if (row.family == Mod || row.family == DurMod) {
        e.chance = Key(row.stem, "ModifierChance");
        e.modifier = Key(row.stem, "Modifier");
        if (row.family == DurMod)
            e.durationModifier = Key(row.stem, "DurationModifier");
    } else {
        e.chance = Key(row.stem, "Chance");
        e.valueMin = Key(row.stem, "Min");
        e.valueMax = Key(row.stem, "Max");
        if (row.family == Dur) {
            e.durationMin = Key(row.stem, "DurationMin");
            e.durationMax = Key(row.stem, "DurationMax");
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
    for (const KindRow& row : kStemKinds) {
        Expected e = FromStem(row);
        // The mana-burn modifier is read under its ratio-adder keys.
        if (std::string(row.className) == "DamageAttributeAbsMod_ManaBurn") {
            e.chance = "offensiveManaBurnRatioAdderChance";
            e.modifier = "offensiveManaBurnRatioAdder";
        }
        ExpectKeys(row.className, e);
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
        EXPECT_EQ(typeid(*copy), typeid(*made)) << kind.className;
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
