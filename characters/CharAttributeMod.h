#pragma once

#include "characters/CharAttribute.h"

namespace GAME {

// Percentages of a flat amount: each adds its value at the level to the accumulator's modifier of
// its type.
class CharAttributeMod : public CharAttribute {
public:
    void AddToAccumulator(CharAttributeAccumulator& accumulator, uint32_t level) const override;
    void GetCostInfo(CharAttributeCostSums& info) const override;

protected:
    using CharAttribute::CharAttribute;
};

class CharAttributePriMod : public CharAttributeMod {
public:
    void GetCostInfo(CharAttributeCostSums& info) const override;

protected:
    using CharAttributeMod::CharAttributeMod;
};

class CharAttributeSecMod : public CharAttributeMod {
public:
    void GetCostInfo(CharAttributeCostSums& info) const override;

protected:
    using CharAttributeMod::CharAttributeMod;
};

class CharAttributeAttackSpeedMod : public CharAttributeMod {
public:
    void GetCostInfo(CharAttributeCostSums& info) const override;

protected:
    using CharAttributeMod::CharAttributeMod;
};

class CharAttributeOtherSpeedMod : public CharAttributeMod {
public:
    void GetCostInfo(CharAttributeCostSums& info) const override;

protected:
    using CharAttributeMod::CharAttributeMod;
};

// Speeds up everything a character does: it lands on each speed, never on a total of its own.
class CharAttributeMod_TotalSpeed final : public CharAttributeMod {
public:
    CharAttributeMod_TotalSpeed();
    void AddToAccumulator(CharAttributeAccumulator& accumulator, uint32_t level) const override;
    // Priced as two attack speeds and one other speed, which is what it buys.
    void GetCostInfo(CharAttributeCostSums& info) const override;
    std::unique_ptr<CharAttribute> Clone() const override;
};

// Attack speed also hastens the weapon's own base speed.
class CharAttributeMod_AttackSpeed final : public CharAttributeAttackSpeedMod {
public:
    CharAttributeMod_AttackSpeed();
    void AddToAccumulator(CharAttributeAccumulator& accumulator, uint32_t level) const override;
    std::unique_ptr<CharAttribute> Clone() const override;
};

using CharAttributeMod_Strength =
    CharAttributeKind<CharAttributePriMod, CharAttribute_Strength, "characterStrengthModifier",
                      "CharacterStrengthModifier">;
using CharAttributeMod_Dexterity =
    CharAttributeKind<CharAttributePriMod, CharAttribute_Dexterity, "characterDexterityModifier",
                      "CharacterDexterityModifier">;
using CharAttributeMod_Intelligence =
    CharAttributeKind<CharAttributePriMod, CharAttribute_Intelligence,
                      "characterIntelligenceModifier", "CharacterIntelligenceModifier">;
using CharAttributeMod_Life = CharAttributeKind<CharAttributeSecMod, CharAttribute_Life,
                                                "characterLifeModifier", "CharacterLifeModifier">;
using CharAttributeMod_Mana = CharAttributeKind<CharAttributeSecMod, CharAttribute_Mana,
                                                "characterManaModifier", "CharacterManaModifier">;
using CharAttributeMod_LifeRegen =
    CharAttributeKind<CharAttributePriMod, CharAttribute_LifeRegen, "characterLifeRegenModifier",
                      "CharacterLifeRegenModifier">;
using CharAttributeMod_ManaRegen =
    CharAttributeKind<CharAttributePriMod, CharAttribute_ManaRegen, "characterManaRegenModifier",
                      "CharacterManaRegenModifier">;
using CharAttributeMod_ManaLimitReserve =
    CharAttributeKind<CharAttributeMod, CharAttribute_ManaLimitReserve,
                      "characterManaLimitReserveModifier", "CharacterManaLimitReserveModifier">;
using CharAttributeMod_ManaLimitReserveReduction =
    CharAttributeKind<CharAttributeMod, CharAttribute_ManaLimitReserveReduction,
                      "characterManaLimitReserveReductionModifier",
                      "CharacterManaLimitReserveReductionModifier">;
using CharAttributeMod_RunSpeed =
    CharAttributeKind<CharAttributeOtherSpeedMod, CharAttribute_RunSpeed,
                      "characterRunSpeedModifier", "CharacterRunSpeedModifier">;
using CharAttributeMod_SpellCastSpeed =
    CharAttributeKind<CharAttributeAttackSpeedMod, CharAttribute_SpellCastSpeed,
                      "characterSpellCastSpeedModifier", "CharacterSpellCastSpeedModifier">;

} // namespace GAME
