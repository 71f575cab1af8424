#pragma once

#include <cstdint>

namespace GAME {

// The numbered quantities that change a character; 0 belongs to no attribute.
enum CharAttributeType : uint32_t {
    CharAttribute_None = 0,
    CharAttribute_Strength = 1,
    CharAttribute_Dexterity = 2,
    CharAttribute_Intelligence = 3,
    CharAttribute_Life = 4,
    CharAttribute_Mana = 5,
    CharAttribute_LifeRegen = 6,
    CharAttribute_ManaRegen = 7,
    CharAttribute_ManaLimitReserve = 8,
    CharAttribute_ManaLimitReserveReduction = 9,
    CharAttribute_TotalSpeed = 10,
    CharAttribute_RunSpeed = 11,
    CharAttribute_AttackSpeed = 12,
    CharAttribute_SpellCastSpeed = 13,
    CharAttribute_BaseAttackSpeed = 14,
    CharAttribute_OffensiveAbility = 15,
    CharAttribute_OffensiveAbilityModifier = 16,
    CharAttribute_DefensiveAbility = 17,
    CharAttribute_DefensiveAbilityModifier = 18,
    CharAttribute_DefensiveBlockRecoveryReduction = 19,
    CharAttribute_EnergyAbsorptionPercent = 20,
    CharAttribute_DodgePercent = 21,
    CharAttribute_DeflectProjectile = 22,
    CharAttribute_WeaponStrengthReqReduction = 23,
    CharAttribute_WeaponDexterityReqReduction = 24,
    CharAttribute_WeaponIntelligenceReqReduction = 25,
    CharAttribute_MeleeStrengthReqReduction = 26,
    CharAttribute_MeleeDexterityReqReduction = 27,
    CharAttribute_MeleeIntelligenceReqReduction = 28,
    CharAttribute_HuntingStrengthReqReduction = 29,
    CharAttribute_HuntingDexterityReqReduction = 30,
    CharAttribute_HuntingIntelligenceReqReduction = 31,
    CharAttribute_StaffStrengthReqReduction = 32,
    CharAttribute_StaffDexterityReqReduction = 33,
    CharAttribute_StaffIntelligenceReqReduction = 34,
    CharAttribute_ShieldStrengthReqReduction = 35,
    CharAttribute_ShieldDexterityReqReduction = 36,
    CharAttribute_ShieldIntelligenceReqReduction = 37,
    CharAttribute_ArmorStrengthReqReduction = 38,
    CharAttribute_ArmorDexterityReqReduction = 39,
    CharAttribute_ArmorIntelligenceReqReduction = 40,
    CharAttribute_JewelryStrengthReqReduction = 41,
    CharAttribute_JewelryDexterityReqReduction = 42,
    CharAttribute_JewelryIntelligenceReqReduction = 43,
    CharAttribute_GlobalReqReduction = 44,
    CharAttribute_LevelReqReduction = 45,
    CharAttribute_IncreasedExperience = 46,
};

// One accumulator slot per type, 0 included.
constexpr uint32_t kCharAttributeTypeCount = 47;

} // namespace GAME
