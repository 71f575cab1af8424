#include "characters/CharAttributeStore_Equipment.h"

#include "characters/CharAttributeMod.h"
#include "characters/CharAttributeVal.h"

namespace GAME {

namespace {
constexpr float kItemJitter = 20.0f;
}

void CharAttributeStore_Equipment::Load(const LoadTable& record, const LoadTable* prefix,
                                        const LoadTable* suffix, bool withoutBaseAttackSpeed)
{
    Clear();
    const Source source(record, prefix, suffix);
    if (!withoutBaseAttackSpeed)
        LoadAttributes<CharAttributeVal_BaseAttackSpeed>(source, 0.0f, true);
    LoadAttributes<CharAttributeVal_Strength, CharAttributeMod_Strength,
                   CharAttributeVal_Intelligence, CharAttributeMod_Intelligence,
                   CharAttributeVal_Dexterity, CharAttributeMod_Dexterity>(source, kItemJitter,
                                                                           false);
    // Flat regeneration, flat life and the flat speeds are never rolled; their modifiers are.
    LoadAttributes<CharAttributeVal_Life>(source, 0.0f, false);
    LoadAttributes<CharAttributeMod_Life>(source, kItemJitter, false);
    LoadAttributes<CharAttributeVal_LifeRegen>(source, 0.0f, false);
    LoadAttributes<CharAttributeMod_LifeRegen, CharAttributeVal_Mana, CharAttributeMod_Mana>(
        source, kItemJitter, false);
    LoadAttributes<CharAttributeVal_ManaRegen>(source, 0.0f, false);
    LoadAttributes<CharAttributeMod_ManaRegen, CharAttributeVal_ManaLimitReserve,
                   CharAttributeMod_ManaLimitReserve, CharAttributeVal_ManaLimitReserveReduction,
                   CharAttributeMod_ManaLimitReserveReduction, CharAttributeVal_OffensiveAbility,
                   CharAttributeVal_OffensiveAbilityModifier, CharAttributeVal_DefensiveAbility,
                   CharAttributeVal_DefensiveAbilityModifier, CharAttributeMod_TotalSpeed>(
        source, kItemJitter, false);
    LoadAttributes<CharAttributeVal_AttackSpeed>(source, 0.0f, false);
    LoadAttributes<CharAttributeMod_AttackSpeed>(source, kItemJitter, false);
    LoadAttributes<CharAttributeVal_SpellCastSpeed>(source, 0.0f, false);
    LoadAttributes<CharAttributeMod_SpellCastSpeed>(source, kItemJitter, false);
    LoadAttributes<CharAttributeVal_RunSpeed>(source, 0.0f, false);
    LoadAttributes<CharAttributeMod_RunSpeed, CharAttributeVal_DefensiveBlockRecoveryReduction,
                   CharAttributeVal_EnergyAbsorptionPercent, CharAttributeVal_DodgePercent,
                   CharAttributeVal_DeflectProjectile>(source, kItemJitter, false);
    LoadAttributes<CharAttributeVal_GlobalReqReduction>(source, 0.0f, false);
    LoadItemReqReductions(source);
    LoadAttributes<CharAttributeVal_LevelReqReduction, CharAttributeVal_IncreasedExperience>(
        source, 0.0f, false);
    EndLoad();
}

} // namespace GAME
