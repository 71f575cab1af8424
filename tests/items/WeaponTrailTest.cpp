#include "engine/WeaponTrail.h"

#include "items/EquipManager.h"
#include "items/Weapon.h"
#include "tests/support/TrimMust.h"
#include "tests/support/WearerFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

constexpr const char* kTrail = "Records/Items/Streak.dbr";
constexpr const char* kFireTrail = "Records/Items/FireStreak.dbr";
constexpr const char* kBlaze = "Records/Items/Blaze.dbr";
constexpr const char* kTrailSword = "Records/Items/TrailSword.dbr";

class WeaponTrailTest : public WearerFixture {
protected:
    void SetUp() override
    {
        WearerFixture::SetUp();
        database.WriteRecord(kTrail, {"Class = WeaponTrail"});
        database.WriteRecord(kFireTrail, {"Class = WeaponTrail"});
        database.WriteRecord(kBlaze, {"weaponTrail = " + std::string(kFireTrail)});
        database.WriteRecord(kTrailSword,
                             {"Class = WeaponMelee_Sword", "weaponTrail = " + std::string(kTrail)});
    }

    static const WeaponTrail* TrailOf(const Weapon& weapon)
    {
        return ObjectManager::Instance().GetObject<WeaponTrail>(weapon.GetWeaponTrailId());
    }
};

TEST_F(WeaponTrailTest, AWornWeaponCarriesItsTrailAndAnEnchantmentsWhileItLasts)
{
    NewWearer();
    auto* sword = ObjectManager::Instance().GetObject<Weapon>(Make(kTrailSword));
    EXPECT_EQ(TrailOf(*sword), nullptr) << "no trail off a character";
    EquipManager& shown = wearer->GetCombatManager().GetEquipManager();
    shown.AttachItemAction(sword->GetObjectId(), EquipLocations_RightHand);
    const WeaponTrail* trail = Must(TrailOf(*sword));
    EXPECT_EQ(trail->GetObjectName(), kTrail);
    EXPECT_EQ(trail->GetParent(), sword);
    sword->EnableWeaponTrail();
    EXPECT_TRUE(trail->IsRunning());
    sword->DisableWeaponTrail();
    EXPECT_FALSE(trail->IsRunning());

    const uint32_t own = sword->GetWeaponTrailId();
    shown.SetWeaponEnchantment(kBlaze);
    EXPECT_EQ(sword->GetWeaponTrailName(), kFireTrail);
    EXPECT_EQ(ObjectManager::Instance().GetObject(own), nullptr) << "the old trail went";
    shown.SetWeaponEnchantment("");
    EXPECT_EQ(sword->GetWeaponTrailName(), kTrail);

    shown.DetachItemAction(sword->GetObjectId());
    EXPECT_EQ(TrailOf(*sword), nullptr);
    EXPECT_EQ(sword->GetWeaponTrailName(), "");
}

} // namespace
} // namespace GAME::Test
