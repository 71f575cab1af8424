#include "core/PlayStatsDamageType.h"

namespace GAME {

const char* const gCombatAttributeTypeNames[kCombatAttributeTypeNameCount] = {
    "CombatAttributeType_Unknown",
    "CombatAttributeType_PhysicalPierce",
    "CombatAttributeType_Physical",
    "CombatAttributeType_PierceRatio",
    "CombatAttributeType_Pierce",
    "CombatAttributeType_Cold",
    "CombatAttributeType_Fire",
    "CombatAttributeType_Poison",
    "CombatAttributeType_Lightning",
    "CombatAttributeType_Life",
    "CombatAttributeType_ManaBurn         ",
    "CombatAttributeType_Disruption",
    "CombatAttributeType_PercentCurrentLife",
    "CombatAttributeType_Bleeding",
    "CombatAttributeType_TotalSpeed",
    "CombatAttributeType_AttackSpeed",
    "CombatAttributeType_SpellCastSpeed",
    "CombatAttributeType_RunSpeed",
    "CombatAttributeType_LifeLeach",
    "CombatAttributeType_ManaLeach",
    "CombatAttributeType_OffensiveAbility",
    "CombatAttributeType_DefensiveAbility",
    "CombatAttributeType_OffensiveReduction",
    "CombatAttributeType_DefensiveReduction",
    "CombatAttributeType_Fumble",
    "CombatAttributeType_ProjectileFumble",
    "CombatAttributeType_TotalDamageReductionPercent",
    "CombatAttributeType_TotalDamageReductionAbsolute",
    "CombatAttributeType_TotalResistanceReductionPercent",
    "CombatAttributeType_TotalResistanceReductionAbsolute",
    "CombatAttributeType_AbsorptionProtection",
    "CombatAttributeType_Absorption",
    "CombatAttributeType_Protection",
    "CombatAttributeType_ArmorRating",
    "CombatAttributeType_Stun",
    "CombatAttributeType_Trap",
    "CombatAttributeType_Freeze",
    "CombatAttributeType_Petrify",
    "CombatAttributeType_Immobilize",
    "CombatAttributeType_Taunt",
    "CombatAttributeType_Convert",
    "CombatAttributeType_Fear",
    "CombatAttributeType_Confusion",
    "CombatAttributeType_BlockModifier",
    "CombatAttributeType_Reflect",
    "CombatAttributeType_ElementalGroup",
};

const char* GetCombatAttributeTypeName(int32_t type)
{
    if (type < 0 || static_cast<size_t>(type) >= kCombatAttributeTypeNameCount)
        return "Unknown";
    return gCombatAttributeTypeNames[type];
}

std::string PlayStatsDamageType::ToString() const
{
    static const char* const kKindNames[] = {"Retaliation", "Reflection",       "RacialBonus",
                                             "BuffRadius",  "BuffAttackRadius", "BuffSelf"};
    std::string text;
    if (kind == KindCombatAttribute) {
        text = "CombatAttributeType::";
        text += GetCombatAttributeTypeName(detail);
    } else if (kind >= KindRetaliation && kind <= KindBuffSelf) {
        text = kKindNames[kind - KindRetaliation];
        text += "::Unknown";
    } else {
        text = "Unknown::Unknown";
    }
    return text;
}

} // namespace GAME
