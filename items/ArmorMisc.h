#pragma once

#include "items/Armor.h"

#include <string>

namespace GAME {

// Vestments and clothing: garments the wearer's garment manager puts on the body, chosen by
// the wearer's gender (male for 1, female for 2, native otherwise).
class ArmorMisc : public Armor {
    GAME_DECLARE_CLASS(ArmorMisc)

public:
    ArmorMisc();
    Market_TypeEnum GetItemMarketType() const override { return Market_Armor; }
    void Load(const LoadTable& table) override;
    void AttachItem(Character& character, const char* attachPoint) override;
    void DetachItem(Character& character) override;

protected:
    // Hands the strings to the garment manager; empty strings undress.
    virtual void Dress(Character& /*character*/, const std::string& /*mesh*/,
                       const std::string& /*baseTexture*/, const std::string& /*bumpTexture*/)
    {}

    // The nine keys are this prefix followed by NativeMesh, MaleMesh, ... FemaleBumpTexture.
    std::string garmentKeyPrefix;
    // A vestment hangs on no point: the garment manager shows it, not the item.
    bool attachAtPoint = true;

private:
    // native, male, female each
    std::string mesh[3];
    std::string baseTexture[3];
    std::string bumpTexture[3];
};

class ArmorMisc_Vestment : public ArmorMisc {
    GAME_DECLARE_CLASS(ArmorMisc_Vestment)

public:
    ArmorMisc_Vestment();
    Item_Type GetItemType() const override { return ItemType_UpperBody; }
    virtual void SetVestment(Character& character, const std::string& mesh,
                             const std::string& baseTexture, const std::string& bumpTexture);

protected:
    void Dress(Character& character, const std::string& mesh, const std::string& baseTexture,
               const std::string& bumpTexture) override
    {
        SetVestment(character, mesh, baseTexture, bumpTexture);
    }
};

class ArmorMisc_Clothing : public ArmorMisc {
    GAME_DECLARE_CLASS(ArmorMisc_Clothing)

public:
    ArmorMisc_Clothing();
    Item_Type GetItemType() const override { return ItemType_Clothing; }
    virtual void SetClothing(Character& character, const std::string& mesh,
                             const std::string& baseTexture, const std::string& bumpTexture);

protected:
    void Dress(Character& character, const std::string& mesh, const std::string& baseTexture,
               const std::string& bumpTexture) override
    {
        SetClothing(character, mesh, baseTexture, bumpTexture);
    }
};

} // namespace GAME
