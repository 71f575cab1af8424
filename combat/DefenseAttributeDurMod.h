#pragma once

#include "combat/CombatAttributeMod.h"
#include "combat/DefenseAttribute_Typical.h"

namespace GAME {

// Percent modifiers of the resistances over time of their type.
using DefenseAttributeDurMod =
    DefenseAttributeFamily<CombatAttributeDurDefenseMod,
                           &CombatAttributeAccumulator::AddDefenseModifier,
                           &CostInfo_DefenseAttributes::modDuration, "DurationModifier">;

template <CombatAttributeType Type, CharAttributeName Kind, CharAttributeName KeyWord = Kind>
using DefenseAttributeDurModKind =
    DefenseAttributeKind<DefenseAttributeDurMod, Type, Kind, KeyWord>;

using DefenseAttributeDurMod_Physical =
    DefenseAttributeDurModKind<CombatAttributeType_Physical, "Physical">;
using DefenseAttributeDurMod_Cold = DefenseAttributeDurModKind<CombatAttributeType_Cold, "Cold">;
using DefenseAttributeDurMod_Fire = DefenseAttributeDurModKind<CombatAttributeType_Fire, "Fire">;
using DefenseAttributeDurMod_Poison =
    DefenseAttributeDurModKind<CombatAttributeType_Poison, "Poison">;
using DefenseAttributeDurMod_Lightning =
    DefenseAttributeDurModKind<CombatAttributeType_Lightning, "Lightning">;
using DefenseAttributeDurMod_Life = DefenseAttributeDurModKind<CombatAttributeType_Life, "Life">;
using DefenseAttributeDurMod_Bleeding =
    DefenseAttributeDurModKind<CombatAttributeType_Bleeding, "Bleeding">;
using DefenseAttributeDurMod_LifeLeach =
    DefenseAttributeDurModKind<CombatAttributeType_LifeLeach, "LifeLeach", "SlowLifeLeach">;
using DefenseAttributeDurMod_ManaLeach =
    DefenseAttributeDurModKind<CombatAttributeType_ManaLeach, "ManaLeach", "SlowManaLeach">;

} // namespace GAME
