#include "items/GarmentManager.h"

#include "characters/Character.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

TEST(GarmentManagerTest, AVestmentCoversClothingAndNeitherRestoresTheOwnMesh)
{
    Character character;
    GarmentManager garments;

    garments.SetClothing(character, "Cloth.msh", "Cloth.tex", "");
    EXPECT_EQ(character.GetMeshOverride(), "Cloth.msh");
    EXPECT_EQ(character.GetBaseTexture(), "Cloth.tex");
    EXPECT_EQ(character.GetBumpTexture(), "");

    garments.SetVestment(character, "Robe.msh", "", "RobeBump.tex");
    EXPECT_EQ(character.GetMeshOverride(), "Robe.msh");
    // An empty name leaves the texture worn before.
    EXPECT_EQ(character.GetBaseTexture(), "Cloth.tex");
    EXPECT_EQ(character.GetBumpTexture(), "RobeBump.tex");

    garments.SetClothing(character, "Tunic.msh", "Tunic.tex", "TunicBump.tex");
    EXPECT_EQ(character.GetMeshOverride(), "Robe.msh");

    garments.SetVestment(character, "", "", "");
    EXPECT_EQ(character.GetMeshOverride(), "Tunic.msh");
    EXPECT_EQ(character.GetBumpTexture(), "TunicBump.tex");

    garments.SetClothing(character, "", "", "");
    EXPECT_EQ(character.GetMeshOverride(), "");
    EXPECT_EQ(character.GetBaseTexture(), "");
    EXPECT_EQ(character.GetBumpTexture(), "");
}

} // namespace
} // namespace GAME::Test
