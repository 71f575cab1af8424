#pragma once

#include "items/Armor.h"

#include <string>

namespace GAME {

// Vestments and clothing: garments the wearer's garment manager puts on the body.
class ArmorMisc : public Armor {
    GAME_DECLARE_CLASS(ArmorMisc)

public:
    ArmorMisc();
    Market_TypeEnum GetItemMarketType() const override { return Market_Armor; }

protected:
    // native, male, female each
    struct Garment {
        std::string mesh[3];
        std::string baseTexture[3];
        std::string bumpTexture[3];
    };
    // The nine keys are the prefix followed by NativeMesh, MaleMesh, ... FemaleBumpTexture.
    static void LoadGarment(const LoadTable& table, const std::string& prefix, Garment& garment);
    // Male strings for gender 1, female for 2, native otherwise.
    static int GarmentIndex(const Character& character);
};

class ArmorMisc_Vestment : public ArmorMisc {
    GAME_DECLARE_CLASS(ArmorMisc_Vestment)

public:
    ArmorMisc_Vestment();
    Item_Type GetItemType() const override { return ItemType_UpperBody; }
    void Load(const LoadTable& table) override;
    // Hangs on no point: the garment manager shows it, not the item.
    void AttachItem(Character& character, const char* attachPoint) override;
    void DetachItem(Character& character) override;
    virtual void SetVestment(Character& character, const std::string& mesh,
                             const std::string& baseTexture, const std::string& bumpTexture);

private:
    Garment garment;
};

class ArmorMisc_Clothing : public ArmorMisc {
    GAME_DECLARE_CLASS(ArmorMisc_Clothing)

public:
    ArmorMisc_Clothing();
    Item_Type GetItemType() const override { return ItemType_Clothing; }
    void Load(const LoadTable& table) override;
    void AttachItem(Character& character, const char* attachPoint) override;
    void DetachItem(Character& character) override;
    virtual void SetClothing(Character& character, const std::string& mesh,
                             const std::string& baseTexture, const std::string& bumpTexture);

private:
    Garment garment;
};

} // namespace GAME
