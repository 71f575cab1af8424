#include "items/WeaponArmor_Shield.h"

#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/WorldCoords.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using WeaponArmor_ShieldTest = EngineFixture;

TEST_F(WeaponArmor_ShieldTest, ReadsItsBlockValuesAndPlaysItsOwnBlockSound)
{
    database.WriteRecord("Records/Block.dbr", {"Class = SoundPak"});
    database.WriteRecord("Records/Shield.dbr",
                         {"Class = WeaponArmor_Shield", "defensiveBlockChance = 12.5",
                          "defensiveBlock = 40", "blockAbsorption = 55", "blockRecoveryTime = 0.7",
                          "blockSound = Records/Block.dbr"});
    ObjectManager& objects = ObjectManager::Instance();
    auto* shield = objects.CreateObjectFromFile<WeaponArmor_Shield>("Records/Shield.dbr");
    ASSERT_NE(shield, nullptr);
    EXPECT_EQ(shield->GetShieldBlockChance(), 12.5f);
    EXPECT_EQ(shield->GetShieldDefense(), 40.0f);
    EXPECT_EQ(shield->GetShieldAbsorption(), 55.0f);
    EXPECT_EQ(shield->GetShieldRecoveryTime(), 700); // 699 if multiplied in double precision

    auto* sound = objects.GetObject<SoundPak>(shield->GetObjectId() + 1);
    ASSERT_NE(sound, nullptr);
    const WorldCoords place(3, Coords::FromTranslation(Vec3(1.0f, 2.0f, 3.0f)));
    shield->PlayBlockSound(place);
    ASSERT_EQ(sound->GetPlayRequests().size(), 1u);
    EXPECT_TRUE(sound->GetPlayRequests()[0].positioned);
    EXPECT_EQ(sound->GetPlayRequests()[0].coords, place);

    // Reloading drops the old sound; a record that is no sound pack gives none.
    shield->Load(Record("blockRecoveryTime = 1e12\nblockSound = Records/Shield.dbr\n"));
    EXPECT_EQ(shield->GetShieldRecoveryTime(), INT32_MAX);
    EXPECT_EQ(shield->GetShieldBlockChance(), 0.0f);
    EXPECT_EQ(objects.GetObjectCount(), 1u);
    shield->PlayBlockSound(place);
}

} // namespace
} // namespace GAME::Test
