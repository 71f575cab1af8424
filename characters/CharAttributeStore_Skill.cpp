#include "characters/CharAttributeStore_Skill.h"

#include "characters/CharAttributeMod.h"
#include "characters/CharAttributeVal.h"

namespace GAME {

void CharAttributeStore_Skill::Load(const LoadTable& record)
{
    Clear();
    const Source source(record);
    LoadAttributes<
        CharAttributeVal_Strength, CharAttributeMod_Strength, CharAttributeVal_Intelligence,
        CharAttributeMod_Intelligence, CharAttributeVal_Dexterity, CharAttributeMod_Dexterity,
        CharAttributeVal_Life, CharAttributeMod_Life, CharAttributeVal_LifeRegen,
        CharAttributeMod_LifeRegen, CharAttributeVal_Mana, CharAttributeMod_Mana,
        CharAttributeVal_ManaRegen, CharAttributeMod_ManaRegen,
        CharAttributeVal_ManaLimitReserveReduction, CharAttributeMod_ManaLimitReserveReduction,
        CharAttributeVal_OffensiveAbility, CharAttributeVal_OffensiveAbilityModifier,
        CharAttributeVal_DefensiveAbility, CharAttributeVal_DefensiveAbilityModifier,
        CharAttributeMod_TotalSpeed, CharAttributeVal_RunSpeed, CharAttributeMod_RunSpeed,
        CharAttributeVal_AttackSpeed, CharAttributeMod_AttackSpeed, CharAttributeVal_SpellCastSpeed,
        CharAttributeMod_SpellCastSpeed, CharAttributeVal_DefensiveBlockRecoveryReduction,
        CharAttributeVal_EnergyAbsorptionPercent, CharAttributeVal_DodgePercent,
        CharAttributeVal_DeflectProjectile, CharAttributeVal_GlobalReqReduction>(source, 0.0f,
                                                                                 false);
    LoadItemReqReductions(source);
    LoadAttributes<CharAttributeVal_LevelReqReduction, CharAttributeVal_IncreasedExperience>(
        source, 0.0f, false);
    EndLoad();
}

} // namespace GAME
