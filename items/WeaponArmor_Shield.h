#pragma once

#include "items/WeaponArmor.h"

#include <cstdint>

namespace GAME {

class LoadTable;
class WorldCoords;

// A shield, held in the left hand: it may block a blow, taking part of its damage, and then
// needs a while before it can block again.
class WeaponArmor_Shield : public WeaponArmor {
    GAME_DECLARE_CLASS(WeaponArmor_Shield)

public:
    WeaponArmor_Shield();
    ~WeaponArmor_Shield() override;
    Market_TypeEnum GetItemMarketType() const override { return Market_Armor; }
    int32_t GetLeftHandType() const override { return 32; }
    Weapon_Type GetWeaponType() const override { return Weapon_Type_Shield; }

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    // Affixes raise the block chance and defense by the percentages they sum to.
    void InitializeEquipmentSpecial(const LoadTable* prefix, const LoadTable* suffix) override;

    float GetShieldBlockChance() const { return blockChance; }
    float GetShieldDefense() const { return blockDefense; }
    float GetShieldAbsorption() const { return blockAbsorption; }
    // Milliseconds, truncated; the record gives seconds.
    int32_t GetShieldRecoveryTime() const;
    void PlayBlockSound(const WorldCoords& position);

private:
    uint32_t blockSound = 0;
    float blockChance = 0.0f;
    float blockDefense = 0.0f;
    float blockAbsorption = 0.0f;
    // Seconds.
    float blockRecoveryTime = 0.0f;
    float recordBlockChance = 0.0f;
    float recordBlockDefense = 0.0f;

protected:
    void GetUIArmorSpecificText(std::vector<GameTextLine>& lines) const override;
};

} // namespace GAME
