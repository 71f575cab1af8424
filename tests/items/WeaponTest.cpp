#include "items/Weapon.h"

#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

using WeaponTest = EngineFixture;

TEST_F(WeaponTest, EachClassIsMadeByNameUnderItsParentAndReportsItsKind)
{
    const struct {
        const char* name;
        const char* parent;
        Weapon_Type type;
    } family[] = {
        {"Weapon", "ItemEquipment", Weapon_Type_Weapon},
        {"WeaponArmor", "Weapon", Weapon_Type_Weapon},
        {"WeaponArmor_Shield", "WeaponArmor", Weapon_Type_Shield},
        {"WeaponHunting", "Weapon", Weapon_Type_Weapon},
        {"WeaponHunting_Bow", "WeaponHunting", Weapon_Type_Bow},
        {"WeaponHunting_Spear", "WeaponHunting", Weapon_Type_Spear},
        {"WeaponMagical", "Weapon", Weapon_Type_Weapon},
        {"WeaponMagical_Staff", "WeaponMagical", Weapon_Type_Staff},
        {"WeaponMelee", "Weapon", Weapon_Type_Weapon},
        {"WeaponMelee_Sword", "WeaponMelee", Weapon_Type_Sword},
        {"WeaponMelee_Axe", "WeaponMelee", Weapon_Type_Axe},
        {"WeaponMelee_Mace", "WeaponMelee", Weapon_Type_Mace},
    };
    for (const auto& entry : family) {
        auto* weapon = DynamicCast<Weapon>(ObjectManager::Instance().CreateObject(entry.name));
        ASSERT_NE(weapon, nullptr) << entry.name;
        EXPECT_EQ(std::string(weapon->GetClassInfo()->GetName()), entry.name);
        ASSERT_NE(weapon->GetClassInfo()->GetParent(), nullptr) << entry.name;
        EXPECT_EQ(std::string(weapon->GetClassInfo()->GetParent()->GetName()), entry.parent);
        EXPECT_EQ(weapon->GetWeaponType(), entry.type) << entry.name;
    }
}

} // namespace
} // namespace GAME::Test
