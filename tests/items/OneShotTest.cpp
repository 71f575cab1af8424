#include "items/OneShot.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "items/OneShot_PotionHealth.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using OneShotTest = EngineFixture;

TEST_F(OneShotTest, LoadsBonusSoundAndDelayAndPlaysTheSoundOnUse)
{
    database.WriteRecord("Records/Gulp.dbr", {"Class = SoundPak"});
    database.WriteRecord("Records/Heal.dbr", {"Class = OneShot_PotionHealth",
                                              "bonusLifePoints = 40", "bonusManaPercent = 5",
                                              "useDelayTime = 1.5", "useSound = Records/Gulp.dbr"});
    ObjectManager& objects = ObjectManager::Instance();
    auto* potion = objects.CreateObjectFromFile<OneShot_PotionHealth>("Records/Heal.dbr");
    ASSERT_NE(potion, nullptr);
    EXPECT_FLOAT_EQ(potion->GetBonus().lifePoints, 40.0f);
    EXPECT_FLOAT_EQ(potion->GetBonus().manaPercent, 5.0f);
    EXPECT_EQ(potion->GetUseDelayTime(), 1500);
    auto* sound = objects.GetObject<SoundPak>(potion->GetUseSound());
    ASSERT_NE(sound, nullptr);

    auto* character = static_cast<Character*>(objects.CreateObject("Character"));
    potion->SetStackCount(3);
    potion->Use(character);
    EXPECT_EQ(sound->GetPlayRequests().size(), 1u);
    EXPECT_EQ(potion->GetNumberInStack(), 2u);
}

TEST_F(OneShotTest, WithoutKeysNothingIsLoaded)
{
    database.WriteRecord("Records/Plain.dbr", {"Class = OneShot"});
    auto* plain = ObjectManager::Instance().CreateObjectFromFile<OneShot>("Records/Plain.dbr");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetUseSound(), 0u);
    EXPECT_EQ(plain->GetUseDelayTime(), 0);
    plain->Use(nullptr);
}

TEST_F(OneShotTest, RemovingFromTheStackStopsAtZero)
{
    OneShot_PotionHealth potion;
    potion.SetStackCount(2);
    EXPECT_EQ(potion.RemoveFromStack(1), 1u);
    EXPECT_EQ(potion.RemoveFromStack(1), 0u);
    potion.SetStackCount(2);
    EXPECT_EQ(potion.RemoveFromStack(5), 0u);
}

} // namespace
} // namespace GAME::Test
