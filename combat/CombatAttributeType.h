#pragma once

#include "core/PlayStatsDamageType.h"

#include <cstdint>

namespace GAME {

// The kinds of combat attributes. The numbers travel in saves, packets and play statistics, so
// they never change; the printed names live in the one shared table of core/.
enum CombatAttributeType : int32_t {
    CombatAttributeType_Unknown = 0,
    CombatAttributeType_PhysicalPierce = 1,
    CombatAttributeType_Physical = 2,
    CombatAttributeType_PierceRatio = 3,
    CombatAttributeType_Pierce = 4,
    CombatAttributeType_Cold = 5,
    CombatAttributeType_Fire = 6,
    CombatAttributeType_Poison = 7,
    CombatAttributeType_Lightning = 8,
    CombatAttributeType_Life = 9,
    CombatAttributeType_ManaBurn = 10,
    CombatAttributeType_Disruption = 11,
    CombatAttributeType_PercentCurrentLife = 12,
    CombatAttributeType_Bleeding = 13,
    CombatAttributeType_TotalSpeed = 14,
    CombatAttributeType_AttackSpeed = 15,
    CombatAttributeType_SpellCastSpeed = 16,
    CombatAttributeType_RunSpeed = 17,
    CombatAttributeType_LifeLeach = 18,
    CombatAttributeType_ManaLeach = 19,
    CombatAttributeType_OffensiveAbility = 20,
    CombatAttributeType_DefensiveAbility = 21,
    CombatAttributeType_OffensiveReduction = 22,
    CombatAttributeType_DefensiveReduction = 23,
    CombatAttributeType_Fumble = 24,
    CombatAttributeType_ProjectileFumble = 25,
    CombatAttributeType_TotalDamageReductionPercent = 26,
    CombatAttributeType_TotalDamageReductionAbsolute = 27,
    CombatAttributeType_TotalResistanceReductionPercent = 28,
    CombatAttributeType_TotalResistanceReductionAbsolute = 29,
    CombatAttributeType_AbsorptionProtection = 30,
    CombatAttributeType_Absorption = 31,
    CombatAttributeType_Protection = 32,
    CombatAttributeType_ArmorRating = 33,
    CombatAttributeType_Stun = 34,
    CombatAttributeType_Trap = 35,
    CombatAttributeType_Freeze = 36,
    CombatAttributeType_Petrify = 37,
    CombatAttributeType_Immobilize = 38,
    CombatAttributeType_Taunt = 39,
    CombatAttributeType_Convert = 40,
    CombatAttributeType_Fear = 41,
    CombatAttributeType_Confusion = 42,
    CombatAttributeType_BlockModifier = 43,
    CombatAttributeType_Reflect = 44,
    CombatAttributeType_ElementalGroup = 45,
};

// One past the named types: the key under which the mana-burn ratio is reduced, and the end of
// the per-type tally loops. It has no name.
inline constexpr int32_t kCombatAttributeTypeManaBurnRatio = 46;

static_assert(kCombatAttributeTypeManaBurnRatio == kCombatAttributeTypeNameCount,
              "the shared name table must cover every named combat attribute type");

inline const char* GetCombatAttributeTypeName(CombatAttributeType type)
{
    return GetCombatAttributeTypeName(static_cast<int32_t>(type));
}

} // namespace GAME
