#pragma once

#include <string>

namespace GAME {

class Character;

// Dresses a character: clothing or a vestment replaces its body mesh and textures, a vestment
// over clothing, and with neither the character's own mesh comes back.
class GarmentManager {
public:
    GarmentManager() = default;
    virtual ~GarmentManager();

    virtual void SetClothing(Character& character, const std::string& mesh,
                             const std::string& baseTexture, const std::string& bumpTexture);
    virtual void SetVestment(Character& character, const std::string& mesh,
                             const std::string& baseTexture, const std::string& bumpTexture);
    virtual void UpdateGarment(Character& character);

private:
    std::string vestmentMesh;
    std::string vestmentBaseTexture;
    std::string vestmentBumpTexture;
    std::string clothingMesh;
    std::string clothingBaseTexture;
    std::string clothingBumpTexture;
};

} // namespace GAME
