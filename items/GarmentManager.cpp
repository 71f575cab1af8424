#include "items/GarmentManager.h"

#include "characters/Character.h"

namespace GAME {

namespace {
void Wear(Character& character, const std::string& mesh, const std::string& baseTexture,
          const std::string& bumpTexture)
{
    character.SetMesh(mesh);
    if (!baseTexture.empty())
        character.SetBaseTexture(baseTexture);
    if (!bumpTexture.empty())
        character.SetBumpTexture(bumpTexture);
}
} // namespace

GarmentManager::~GarmentManager() = default;

void GarmentManager::SetClothing(Character& character, const std::string& mesh,
                                 const std::string& baseTexture, const std::string& bumpTexture)
{
    clothingMesh = mesh;
    clothingBaseTexture = baseTexture;
    clothingBumpTexture = bumpTexture;
    UpdateGarment(character);
}

void GarmentManager::SetVestment(Character& character, const std::string& mesh,
                                 const std::string& baseTexture, const std::string& bumpTexture)
{
    vestmentMesh = mesh;
    vestmentBaseTexture = baseTexture;
    vestmentBumpTexture = bumpTexture;
    UpdateGarment(character);
}

void GarmentManager::UpdateGarment(Character& character)
{
    if (!vestmentMesh.empty()) {
        Wear(character, vestmentMesh, vestmentBaseTexture, vestmentBumpTexture);
    } else if (!clothingMesh.empty()) {
        Wear(character, clothingMesh, clothingBaseTexture, clothingBumpTexture);
    } else {
        character.RestoreMesh();
        character.SetBaseTexture("");
        character.SetBumpTexture("");
    }
}

} // namespace GAME
