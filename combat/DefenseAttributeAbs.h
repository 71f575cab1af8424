#pragma once

#include "combat/CombatAttributeDefense.h"
#include "combat/DefenseAttribute_Typical.h"

namespace GAME {

// Resistances: a percent taken off damage of their type at once.
using DefenseAttributeAbs =
    DefenseAttributeFamily<CombatAttributeAbsDefense, &CombatAttributeAccumulator::AddDefense,
                           &CostInfo_DefenseAttributes::base, "">;

// A resistance that hands the attack a combat attribute of another class; it keeps the
// resistance's keys, tags and price.
template <typename Combat> class DefenseAttributeAbsAs : public DefenseAttributeAbs {
public:
    void AddToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                          bool skipChance) const override
    {
        if (const auto value = RollValue(accumulator, level, skipChance))
            accumulator.AddDefenseOf<Combat>(GetType(), *value);
    }

protected:
    using DefenseAttributeAbs::DefenseAttributeAbs;
};

// Resistances to status effects, which the attacker's resistance reductions cannot lower.
using DefenseAttributeAbsRestricted = DefenseAttributeAbsAs<CombatAttributeAbsDefenseRestricted>;

// Quantities the combat manager reads as totals (block chance, reflected percent); they act on
// no damage themselves.
using DefenseAttributeMisc = DefenseAttributeAbsAs<CombatAttributeDefenseMisc>;

// Defenses that only monster records give; players never see them described.
class DefenseAttributeAbsMonsterOnly : public DefenseAttributeAbs {
public:
    void CreateText(uint32_t level, Lines& first, Lines& second) const override;
    void CreateNextText(uint32_t level, uint32_t nextLevel, Lines& first,
                        Lines& second) const override;

protected:
    DefenseAttributeAbsMonsterOnly(CombatAttributeType type, const char* chanceKey,
                                   const char* valueKey, const char* /*displayTag*/)
        : DefenseAttributeAbs(type, chanceKey, valueKey, "MONSTER ONLY")
    {}
};

// One roll that resists cold, fire and lightning alike.
class DefenseAttributeAbs_ElementalResistance final : public DefenseAttributeAbs {
public:
    DefenseAttributeAbs_ElementalResistance()
        : DefenseAttributeAbs(CombatAttributeType_ElementalGroup,
                              "defensiveElementalResistanceChance", "defensiveElementalResistance",
                              "DefenseElementalResistance")
    {}

    void AddToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                          bool skipChance) const override;
    std::unique_ptr<DefenseAttribute> Clone() const override;
};

template <CombatAttributeType Type, CharAttributeName Kind, CharAttributeName KeyWord = Kind>
using DefenseAttributeAbsKind = DefenseAttributeKind<DefenseAttributeAbs, Type, Kind, KeyWord>;

using DefenseAttributeAbs_Physical =
    DefenseAttributeAbsKind<CombatAttributeType_Physical, "Physical">;
using DefenseAttributeAbs_Pierce = DefenseAttributeAbsKind<CombatAttributeType_Pierce, "Pierce">;
using DefenseAttributeAbs_Cold = DefenseAttributeAbsKind<CombatAttributeType_Cold, "Cold">;
using DefenseAttributeAbs_Fire = DefenseAttributeAbsKind<CombatAttributeType_Fire, "Fire">;
using DefenseAttributeAbs_Poison = DefenseAttributeAbsKind<CombatAttributeType_Poison, "Poison">;
using DefenseAttributeAbs_Lightning =
    DefenseAttributeAbsKind<CombatAttributeType_Lightning, "Lightning">;
using DefenseAttributeAbs_Life = DefenseAttributeAbsKind<CombatAttributeType_Life, "Life">;
using DefenseAttributeAbs_Disruption =
    DefenseAttributeAbsKind<CombatAttributeType_Disruption, "Disruption">;
using DefenseAttributeAbs_Bleeding =
    DefenseAttributeAbsKind<CombatAttributeType_Bleeding, "Bleeding">;
using DefenseAttributeAbs_LifeLeach =
    DefenseAttributeAbsKind<CombatAttributeType_LifeLeach, "LifeLeach", "SlowLifeLeach">;
using DefenseAttributeAbs_ManaLeach =
    DefenseAttributeAbsKind<CombatAttributeType_ManaLeach, "ManaLeach", "SlowManaLeach">;

using DefenseAttributeAbs_PercentCurrentLife =
    DefenseAttributeKind<DefenseAttributeAbsMonsterOnly, CombatAttributeType_PercentCurrentLife,
                         "PercentCurrentLife">;
using DefenseAttributeAbs_ManaBurnRatio =
    DefenseAttributeKind<DefenseAttributeAbsMonsterOnly,
                         static_cast<CombatAttributeType>(kCombatAttributeTypeManaBurnRatio),
                         "ManaBurnRatio">;

template <CombatAttributeType Type, CharAttributeName Kind>
using DefenseAttributeAbsRestrictedKind =
    DefenseAttributeKind<DefenseAttributeAbsRestricted, Type, Kind>;

using DefenseAttributeAbs_Stun =
    DefenseAttributeAbsRestrictedKind<CombatAttributeType_Stun, "Stun">;
using DefenseAttributeAbs_Trap =
    DefenseAttributeAbsRestrictedKind<CombatAttributeType_Trap, "Trap">;
using DefenseAttributeAbs_Freeze =
    DefenseAttributeAbsRestrictedKind<CombatAttributeType_Freeze, "Freeze">;
using DefenseAttributeAbs_Petrify =
    DefenseAttributeAbsRestrictedKind<CombatAttributeType_Petrify, "Petrify">;
using DefenseAttributeAbs_Taunt =
    DefenseAttributeAbsRestrictedKind<CombatAttributeType_Taunt, "Taunt">;
using DefenseAttributeAbs_Convert =
    DefenseAttributeAbsRestrictedKind<CombatAttributeType_Convert, "Convert">;
using DefenseAttributeAbs_Fear =
    DefenseAttributeAbsRestrictedKind<CombatAttributeType_Fear, "Fear">;
using DefenseAttributeAbs_Confusion =
    DefenseAttributeAbsRestrictedKind<CombatAttributeType_Confusion, "Confusion">;

using DefenseAttributeMisc_BlockModifier =
    DefenseAttributeKind<DefenseAttributeMisc, CombatAttributeType_BlockModifier, "BlockModifier">;
using DefenseAttributeMisc_Reflect =
    DefenseAttributeKind<DefenseAttributeMisc, CombatAttributeType_Reflect, "Reflect">;

} // namespace GAME
