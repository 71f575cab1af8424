#pragma once

#include "characters/CharAttribute.h"

#include <string>

namespace GAME {

// Flat amounts: each adds its value at the level to the accumulator's value of its type.
class CharAttributeVal : public CharAttribute {
public:
    void AddToAccumulator(CharAttributeAccumulator& accumulator, uint32_t level) const override;
    void GetCostInfo(CharAttributeCostSums& info) const override;

protected:
    using CharAttribute::CharAttribute;
};

class CharAttributeValPri : public CharAttributeVal {
public:
    void GetCostInfo(CharAttributeCostSums& info) const override;

protected:
    using CharAttributeVal::CharAttributeVal;
};

class CharAttributeValSec : public CharAttributeVal {
public:
    void GetCostInfo(CharAttributeCostSums& info) const override;

protected:
    using CharAttributeVal::CharAttributeVal;
};

// Speeds are never rolled or scaled: an item's speed is the one its designer wrote.
class CharAttributeValSpeed : public CharAttributeVal {
public:
    void AddJitter(float percent, RandomUniform* random) override;
    void ScaleAttribute(float percent) override;

protected:
    using CharAttributeVal::CharAttributeVal;
};

class CharAttributeAttackSpeed : public CharAttributeValSpeed {
public:
    void GetCostInfo(CharAttributeCostSums& info) const override;

protected:
    using CharAttributeValSpeed::CharAttributeValSpeed;
};

class CharAttributeOtherSpeed : public CharAttributeValSpeed {
public:
    void GetCostInfo(CharAttributeCostSums& info) const override;

protected:
    using CharAttributeValSpeed::CharAttributeValSpeed;
};

// Reserved mana is a cost to the bearer, so it adds nothing to an item's price.
class CharAttributeVal_ManaLimitReserve final : public CharAttributeVal {
public:
    CharAttributeVal_ManaLimitReserve();
    void GetCostInfo(CharAttributeCostSums& info) const override;
    std::unique_ptr<CharAttribute> Clone() const override;
};

// A level requirement moves only by whole levels the designer chose.
class CharAttributeVal_LevelReqReduction final : public CharAttributeVal {
public:
    CharAttributeVal_LevelReqReduction();
    void AddJitter(float percent, RandomUniform* random) override;
    void ScaleAttribute(float percent) override;
    std::unique_ptr<CharAttribute> Clone() const override;
};

// A weapon's speed class: shown by name in the header of its description, never by number.
class CharAttributeVal_BaseAttackSpeed final : public CharAttributeAttackSpeed {
public:
    CharAttributeVal_BaseAttackSpeed();
    void LoadBaseTable(const LoadTable& table) override;
    void LoadPrefixTable(const LoadTable& table, RandomUniform* random) override;
    void LoadSuffixTable(const LoadTable& table, RandomUniform* random) override;
    void CreateText(uint32_t level, std::vector<std::wstring>& headerLines,
                    std::vector<std::wstring>& lines) const override;
    void CreateNextText(uint32_t level, uint32_t nextLevel, std::vector<std::wstring>& headerLines,
                        std::vector<std::wstring>& lines) const override;
    std::unique_ptr<CharAttribute> Clone() const override;

private:
    std::string speedTag;
};

using CharAttributeVal_Strength = CharAttributeKind<CharAttributeValPri, CharAttribute_Strength,
                                                    "characterStrength", "CharacterStrength">;
using CharAttributeVal_Dexterity = CharAttributeKind<CharAttributeValPri, CharAttribute_Dexterity,
                                                     "characterDexterity", "CharacterDexterity">;
using CharAttributeVal_Intelligence =
    CharAttributeKind<CharAttributeValPri, CharAttribute_Intelligence, "characterIntelligence",
                      "CharacterIntelligence">;
using CharAttributeVal_Life =
    CharAttributeKind<CharAttributeValSec, CharAttribute_Life, "characterLife", "CharacterLife">;
using CharAttributeVal_Mana =
    CharAttributeKind<CharAttributeValSec, CharAttribute_Mana, "characterMana", "CharacterMana">;
using CharAttributeVal_LifeRegen = CharAttributeKind<CharAttributeValPri, CharAttribute_LifeRegen,
                                                     "characterLifeRegen", "CharacterLifeRegen">;
using CharAttributeVal_ManaRegen = CharAttributeKind<CharAttributeValPri, CharAttribute_ManaRegen,
                                                     "characterManaRegen", "CharacterManaRegen">;
using CharAttributeVal_ManaLimitReserveReduction =
    CharAttributeKind<CharAttributeVal, CharAttribute_ManaLimitReserveReduction,
                      "characterManaLimitReserveReduction", "CharacterManaLimitReserveReduction">;
using CharAttributeVal_RunSpeed = CharAttributeKind<CharAttributeOtherSpeed, CharAttribute_RunSpeed,
                                                    "characterRunSpeed", "CharacterRunSpeed">;
using CharAttributeVal_AttackSpeed =
    CharAttributeKind<CharAttributeAttackSpeed, CharAttribute_AttackSpeed, "characterAttackSpeed",
                      "CharacterAttackSpeed">;
using CharAttributeVal_SpellCastSpeed =
    CharAttributeKind<CharAttributeAttackSpeed, CharAttribute_SpellCastSpeed,
                      "characterSpellCastSpeed", "CharacterSpellCastSpeed">;
using CharAttributeVal_OffensiveAbility =
    CharAttributeKind<CharAttributeValSec, CharAttribute_OffensiveAbility,
                      "characterOffensiveAbility", "CharacterOffensiveAbility">;
using CharAttributeVal_OffensiveAbilityModifier =
    CharAttributeKind<CharAttributeVal, CharAttribute_OffensiveAbilityModifier,
                      "characterOffensiveAbilityModifier", "CharacterOffensiveAbilityModifier">;
using CharAttributeVal_DefensiveAbility =
    CharAttributeKind<CharAttributeValSec, CharAttribute_DefensiveAbility,
                      "characterDefensiveAbility", "CharacterDefensiveAbility">;
using CharAttributeVal_DefensiveAbilityModifier =
    CharAttributeKind<CharAttributeVal, CharAttribute_DefensiveAbilityModifier,
                      "characterDefensiveAbilityModifier", "CharacterDefensiveAbilityModifier">;
using CharAttributeVal_DefensiveBlockRecoveryReduction =
    CharAttributeKind<CharAttributeVal, CharAttribute_DefensiveBlockRecoveryReduction,
                      "characterDefensiveBlockRecoveryReduction",
                      "CharacterDefensiveBlockRecoveryReduction">;
using CharAttributeVal_EnergyAbsorptionPercent =
    CharAttributeKind<CharAttributeVal, CharAttribute_EnergyAbsorptionPercent,
                      "characterEnergyAbsorptionPercent", "CharacterEnergyAbsorptionPercent">;
using CharAttributeVal_DodgePercent =
    CharAttributeKind<CharAttributeVal, CharAttribute_DodgePercent, "characterDodgePercent",
                      "CharacterDodgePercent">;
using CharAttributeVal_DeflectProjectile =
    CharAttributeKind<CharAttributeVal, CharAttribute_DeflectProjectile,
                      "characterDeflectProjectile", "CharacterDeflectProjectiles">;
using CharAttributeVal_GlobalReqReduction =
    CharAttributeKind<CharAttributeVal, CharAttribute_GlobalReqReduction,
                      "characterGlobalReqReduction", "CharcterItemGlobalReduction">;
using CharAttributeVal_IncreasedExperience =
    CharAttributeKind<CharAttributeVal, CharAttribute_IncreasedExperience,
                      "characterIncreasedExperience", "CharacterIncreasedExperience">;

// Reductions of an item's stat requirements, by item group.
template <CharAttributeType Type, CharAttributeName Key, CharAttributeName Tag>
using CharAttributeReqReduction = CharAttributeKind<CharAttributeVal, Type, Key, Tag>;

using CharAttributeVal_WeaponStrengthReqReduction =
    CharAttributeReqReduction<CharAttribute_WeaponStrengthReqReduction,
                              "characterWeaponStrengthReqReduction",
                              "CharacterWeaponStrengthReqReduction">;
using CharAttributeVal_WeaponDexterityReqReduction =
    CharAttributeReqReduction<CharAttribute_WeaponDexterityReqReduction,
                              "characterWeaponDexterityReqReduction",
                              "CharacterWeaponDexterityReqReduction">;
using CharAttributeVal_WeaponIntelligenceReqReduction =
    CharAttributeReqReduction<CharAttribute_WeaponIntelligenceReqReduction,
                              "characterWeaponIntelligenceReqReduction",
                              "CharacterWeaponIntelligenceReqReduction">;
using CharAttributeVal_MeleeStrengthReqReduction =
    CharAttributeReqReduction<CharAttribute_MeleeStrengthReqReduction,
                              "characterMeleeStrengthReqReduction",
                              "CharacterMeleeStrengthReqReduction">;
using CharAttributeVal_MeleeDexterityReqReduction =
    CharAttributeReqReduction<CharAttribute_MeleeDexterityReqReduction,
                              "characterMeleeDexterityReqReduction",
                              "CharacterMeleeDexterityReqReduction">;
using CharAttributeVal_MeleeIntelligenceReqReduction =
    CharAttributeReqReduction<CharAttribute_MeleeIntelligenceReqReduction,
                              "characterMeleeIntelligenceReqReduction",
                              "CharacterMeleeIntelligenceReqReduction">;
using CharAttributeVal_HuntingStrengthReqReduction =
    CharAttributeReqReduction<CharAttribute_HuntingStrengthReqReduction,
                              "characterHuntingStrengthReqReduction",
                              "CharacterHuntingStrengthReqReduction">;
using CharAttributeVal_HuntingDexterityReqReduction =
    CharAttributeReqReduction<CharAttribute_HuntingDexterityReqReduction,
                              "characterHuntingDexterityReqReduction",
                              "CharacterHuntingDexterityReqReduction">;
using CharAttributeVal_HuntingIntelligenceReqReduction =
    CharAttributeReqReduction<CharAttribute_HuntingIntelligenceReqReduction,
                              "characterHuntingIntelligenceReqReduction",
                              "CharacterHuntingIntelligenceReqReduction">;
using CharAttributeVal_StaffStrengthReqReduction =
    CharAttributeReqReduction<CharAttribute_StaffStrengthReqReduction,
                              "characterStaffStrengthReqReduction",
                              "CharacterStaffStrengthReqReduction">;
using CharAttributeVal_StaffDexterityReqReduction =
    CharAttributeReqReduction<CharAttribute_StaffDexterityReqReduction,
                              "characterStaffDexterityReqReduction",
                              "CharacterStaffDexterityReqReduction">;
using CharAttributeVal_StaffIntelligenceReqReduction =
    CharAttributeReqReduction<CharAttribute_StaffIntelligenceReqReduction,
                              "characterStaffIntelligenceReqReduction",
                              "CharacterStaffIntelligenceReqReduction">;
using CharAttributeVal_ShieldStrengthReqReduction =
    CharAttributeReqReduction<CharAttribute_ShieldStrengthReqReduction,
                              "characterShieldStrengthReqReduction",
                              "CharacterShieldStrengthReqReduction">;
using CharAttributeVal_ShieldDexterityReqReduction =
    CharAttributeReqReduction<CharAttribute_ShieldDexterityReqReduction,
                              "characterShieldDexterityReqReduction",
                              "CharacterShieldDexterityReqReduction">;
using CharAttributeVal_ShieldIntelligenceReqReduction =
    CharAttributeReqReduction<CharAttribute_ShieldIntelligenceReqReduction,
                              "characterShieldIntelligenceReqReduction",
                              "CharacterShieldIntelligenceReqReduction">;
using CharAttributeVal_ArmorStrengthReqReduction =
    CharAttributeReqReduction<CharAttribute_ArmorStrengthReqReduction,
                              "characterArmorStrengthReqReduction",
                              "CharacterArmorStrengthReqReduction">;
using CharAttributeVal_ArmorDexterityReqReduction =
    CharAttributeReqReduction<CharAttribute_ArmorDexterityReqReduction,
                              "characterArmorDexterityReqReduction",
                              "CharacterArmorDexterityReqReduction">;
using CharAttributeVal_ArmorIntelligenceReqReduction =
    CharAttributeReqReduction<CharAttribute_ArmorIntelligenceReqReduction,
                              "characterArmorIntelligenceReqReduction",
                              "CharacterArmorIntelligenceReqReduction">;
using CharAttributeVal_JewelryStrengthReqReduction =
    CharAttributeReqReduction<CharAttribute_JewelryStrengthReqReduction,
                              "characterJewelryStrengthReqReduction",
                              "CharacterJewelryStrengthReqReduction">;
using CharAttributeVal_JewelryDexterityReqReduction =
    CharAttributeReqReduction<CharAttribute_JewelryDexterityReqReduction,
                              "characterJewelryDexterityReqReduction",
                              "CharacterJewelryDexterityReqReduction">;
using CharAttributeVal_JewelryIntelligenceReqReduction =
    CharAttributeReqReduction<CharAttribute_JewelryIntelligenceReqReduction,
                              "characterJewelryIntelligenceReqReduction",
                              "CharacterJewelryIntelligenceReqReduction">;

} // namespace GAME
