#include "items/Armor.h"

#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/WorldCoords.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using ArmorTest = EngineFixture;

TEST_F(ArmorTest, PlaysItsImpactSoundWhereTheBlowLands)
{
    database.WriteRecord("Records/Impact.dbr", {"Class = SoundPak"});
    database.WriteRecord("Records/Cuirass.dbr",
                         {"Class = Armor", "armorImpactSound = Records/Impact.dbr"});
    ObjectManager& objects = ObjectManager::Instance();
    auto* cuirass = objects.CreateObjectFromFile<Armor>("Records/Cuirass.dbr");
    ASSERT_NE(cuirass, nullptr);
    auto* sound = objects.GetObject<SoundPak>(cuirass->GetObjectId() + 1);
    ASSERT_NE(sound, nullptr);
    const WorldCoords place(5, Coords::FromTranslation(Vec3(4.0f, 0.0f, -2.0f)));
    cuirass->PlayImpactSound(place);
    ASSERT_EQ(sound->GetPlayRequests().size(), 1u);
    EXPECT_EQ(sound->GetPlayRequests()[0].coords, place);
}

} // namespace
} // namespace GAME::Test
