#pragma once

#include "combat/CombatAttributeMod.h"
#include "combat/DefenseAttribute_Typical.h"

namespace GAME {

// Percent modifiers of the resistances of their type, from every source of the attack.
using DefenseAttributeAbsMod =
    DefenseAttributeFamily<CombatAttributeAbsDefenseMod,
                           &CombatAttributeAccumulator::AddDefenseModifier,
                           &CostInfo_DefenseAttributes::mod, "Modifier">;

template <CombatAttributeType Type, CharAttributeName Kind, CharAttributeName KeyWord = Kind>
using DefenseAttributeAbsModKind =
    DefenseAttributeKind<DefenseAttributeAbsMod, Type, Kind, KeyWord>;

using DefenseAttributeAbsMod_Physical =
    DefenseAttributeAbsModKind<CombatAttributeType_Physical, "Physical">;
using DefenseAttributeAbsMod_Pierce =
    DefenseAttributeAbsModKind<CombatAttributeType_Pierce, "Pierce">;
using DefenseAttributeAbsMod_Cold = DefenseAttributeAbsModKind<CombatAttributeType_Cold, "Cold">;
using DefenseAttributeAbsMod_Fire = DefenseAttributeAbsModKind<CombatAttributeType_Fire, "Fire">;
using DefenseAttributeAbsMod_Poison =
    DefenseAttributeAbsModKind<CombatAttributeType_Poison, "Poison">;
using DefenseAttributeAbsMod_Lightning =
    DefenseAttributeAbsModKind<CombatAttributeType_Lightning, "Lightning">;
using DefenseAttributeAbsMod_Life = DefenseAttributeAbsModKind<CombatAttributeType_Life, "Life">;
using DefenseAttributeAbsMod_Bleeding =
    DefenseAttributeAbsModKind<CombatAttributeType_Bleeding, "Bleeding">;
using DefenseAttributeAbsMod_LifeLeach =
    DefenseAttributeAbsModKind<CombatAttributeType_LifeLeach, "LifeLeach", "SlowLifeLeach">;
using DefenseAttributeAbsMod_ManaLeach =
    DefenseAttributeAbsModKind<CombatAttributeType_ManaLeach, "ManaLeach", "SlowManaLeach">;
using DefenseAttributeAbsMod_Absorption =
    DefenseAttributeAbsModKind<CombatAttributeType_Absorption, "Absorption">;
using DefenseAttributeAbsMod_Protection =
    DefenseAttributeAbsModKind<CombatAttributeType_Protection, "Protection">;
using DefenseAttributeAbsMod_Stun = DefenseAttributeAbsModKind<CombatAttributeType_Stun, "Stun">;

} // namespace GAME
