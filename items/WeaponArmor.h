#pragma once

#include "items/Weapon.h"

namespace GAME {

// A weapon worn as armour: the base of the shield.
class WeaponArmor : public Weapon {
    GAME_DECLARE_CLASS(WeaponArmor)

public:
    WeaponArmor() = default;
    ~WeaponArmor() override;
    Item_Type GetItemType() const override { return ItemType_Shield; }
    void CreateUIAttributeText(std::vector<GameTextLine>& lines) const override;

protected:
    virtual void GetUIArmorSpecificText(std::vector<GameTextLine>& /*lines*/) const {}
};

} // namespace GAME
