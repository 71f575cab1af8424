#pragma once

#include "combat/CombatAttributeDefense.h"
#include "combat/DefenseAttribute_Typical.h"

namespace GAME {

// Resistances against damage over time: a percent off the duration of their type.
using DefenseAttributeDur =
    DefenseAttributeFamily<CombatAttributeDurDefense, &CombatAttributeAccumulator::AddDefense,
                           &CostInfo_DefenseAttributes::baseDuration, "Duration">;

template <CombatAttributeType Type, CharAttributeName Kind, CharAttributeName KeyWord = Kind>
using DefenseAttributeDurKind = DefenseAttributeKind<DefenseAttributeDur, Type, Kind, KeyWord>;

using DefenseAttributeDur_Physical =
    DefenseAttributeDurKind<CombatAttributeType_Physical, "Physical">;
using DefenseAttributeDur_Cold = DefenseAttributeDurKind<CombatAttributeType_Cold, "Cold">;
using DefenseAttributeDur_Fire = DefenseAttributeDurKind<CombatAttributeType_Fire, "Fire">;
using DefenseAttributeDur_Poison = DefenseAttributeDurKind<CombatAttributeType_Poison, "Poison">;
using DefenseAttributeDur_Lightning =
    DefenseAttributeDurKind<CombatAttributeType_Lightning, "Lightning">;
using DefenseAttributeDur_Life = DefenseAttributeDurKind<CombatAttributeType_Life, "Life">;
using DefenseAttributeDur_Bleeding =
    DefenseAttributeDurKind<CombatAttributeType_Bleeding, "Bleeding">;
using DefenseAttributeDur_LifeLeach =
    DefenseAttributeDurKind<CombatAttributeType_LifeLeach, "LifeLeach", "SlowLifeLeach">;
using DefenseAttributeDur_ManaLeach =
    DefenseAttributeDurKind<CombatAttributeType_ManaLeach, "ManaLeach", "SlowManaLeach">;

} // namespace GAME
