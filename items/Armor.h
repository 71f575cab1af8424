#pragma once

#include "items/ItemEquipment.h"

#include <cstdint>
#include <string>

namespace GAME {

class LoadTable;
class WorldCoords;

// Equipment worn for protection or adornment: jewellery, clothing and protective pieces. It
// dresses its wearer with the mesh and textures of the wearer's body.
class Armor : public ItemEquipment {
    GAME_DECLARE_CLASS(Armor)

public:
    Armor();
    ~Armor() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    std::wstring GetGameDescription(bool flag) const override;
    void GetUIGameDescription(std::vector<GameTextLine>& lines) const override;
    void CreateUIAttributeText(std::vector<GameTextLine>& lines) const override;
    void AttachItem(Character& character, const char* attachPoint) override;
    void DetachItem(Character& character) override;

    virtual void SetArmorGender(Character& character);
    virtual void ResetArmorGender(Character& character);

    void PlayBlockSound(const WorldCoords& position);
    // Heard where a blow lands on the armour; nothing without an impact sound.
    void PlayImpactSound(const WorldCoords& position);

protected:
    void ChangeArmorMesh(const std::string& mesh, const std::string& baseTexture,
                         const std::string& bumpTexture);

private:
    struct Body {
        std::string mesh, bumpTexture, baseTexture;
    };

    uint32_t blockSound = 0;
    uint32_t impactSound = 0;
    // native, male, female, satyr, jackal man, tigerman
    Body bodies[6];
};

} // namespace GAME
