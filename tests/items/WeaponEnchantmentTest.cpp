#include "items/WeaponEnchantment.h"

#include "characters/Character.h"
#include "engine/EffectEntity.h"
#include "engine/World.h"
#include "items/EquipManager.h"
#include "items/Weapon.h"
#include "tests/support/EquipmentRecords.h"
#include "tests/support/Must.h"
#include "tests/support/WearerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kFlame = "Records/Enchantments/Flame.dbr";

class WeaponEnchantmentTest : public EquipmentFixture {
protected:
    void SetUp() override
    {
        EquipmentFixture::SetUp();
        database.WriteRecord(kFlame, {"projectileName = Records/Fire.dbr"});
        database.WriteRecord("Records/Arrow.dbr", {"Class = ProjectileBase"});
        database.WriteRecord("Records/Fire.dbr", {"Class = ProjectileBase"});
        database.WriteRecord("Records/Rock.dbr", {"Class = EffectEntity"});
    }

    Weapon* MakeWeapon(const char* className, std::vector<std::string> lines = {})
    {
        lines.insert(lines.begin(), std::string("Class = ") + className);
        database.WriteRecord("Records/Items/W.dbr", lines);
        ObjectManager::Instance().GetDatabase().SetRoot(database.GetRoot());
        return ObjectManager::Instance().CreateObjectFromFile<Weapon>("Records/Items/W.dbr");
    }

    Character wielder;
};

TEST_F(WeaponEnchantmentTest, ABowFiresTheEnchantmentsProjectileASwordNoneAndAShieldTakesNone)
{
    Weapon* bow =
        Must(MakeWeapon("WeaponHunting_Bow", {"basicProjectileName = Records/Arrow.dbr"}));
    EXPECT_EQ(bow->GetProjectileName(), "Records/Arrow.dbr");
    bow->SetWeaponEnchantment(wielder, kFlame);
    EXPECT_EQ(bow->GetProjectileName(), "Records/Fire.dbr");

    // A name whose record is no projectile fires nothing, the enchantment's or the bow's.
    database.WriteRecord("Records/Enchantments/Dull.dbr", {"projectileName = Records/Rock.dbr"});
    bow->SetWeaponEnchantment(wielder, "Records/Enchantments/Dull.dbr");
    EXPECT_EQ(bow->GetProjectileName(), "Records/Arrow.dbr");
    bow = Must(MakeWeapon("WeaponHunting_Bow", {"basicProjectileName = Records/Rock.dbr"}));
    EXPECT_EQ(bow->GetProjectileName(), "");

    Weapon* sword = Must(MakeWeapon("WeaponMelee_Sword"));
    sword->SetWeaponEnchantment(wielder, kFlame);
    ASSERT_NE(sword->GetWeaponEnchantment(), nullptr);
    EXPECT_EQ(sword->GetProjectileName(), "");
    // A name that loads no record leaves the weapon bare.
    for (const char* name : {"", "Records/Enchantments/Nowhere.dbr"}) {
        SCOPED_TRACE(name);
        sword->SetWeaponEnchantment(wielder, kFlame);
        sword->SetWeaponEnchantment(wielder, name);
        EXPECT_EQ(sword->GetWeaponEnchantment(), nullptr);
    }

    Weapon* shield = Must(MakeWeapon("WeaponArmor_Shield"));
    shield->SetWeaponEnchantment(wielder, kFlame);
    EXPECT_EQ(shield->GetWeaponEnchantment(), nullptr);
}

// A wielder without a weapon scale leaves the base scale, and no scale above 0 gives 1.
TEST_F(WeaponEnchantmentTest, AWeaponHeldWithoutAScaleFallsBackToItsBaseScaleThenOne)
{
    const struct {
        float base, held;
    } rows[] = {{2.0f, 2.0f}, {0.0f, 1.0f}, {-1.0f, 1.0f}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.base);
        Weapon* sword = Must(MakeWeapon("WeaponMelee_Sword"));
        sword->SetBaseScale(row.base);
        sword->AttachItem(wielder, "R Hand");
        EXPECT_FLOAT_EQ(sword->GetCurrentScale(), row.held);
        sword->DetachItem(wielder);
    }
}

using WeaponTrailTest = WearerFixture;

// Effects left on a weapon whose wearer left the world would never be drawn nor freed.
TEST_F(WeaponTrailTest, TheActiveEffectFollowsTheTrailAndClearedEffectsPlayOut)
{
    database.WriteRecord("Records/Glow.dbr", {"Class = EffectEntity"});
    database.WriteRecord("Records/Embers.dbr", {"weaponEffect = Records/Glow.dbr",
                                                "weaponActiveEffect = Records/Glow.dbr"});
    NewWearer();
    auto* sword = ObjectManager::Instance().GetObject<Weapon>(Make(kSword));
    EquipManager& shown = wearer->GetCombatManager().GetEquipManager();
    shown.AttachItemAction(sword->GetObjectId(), EquipLocations_RightHand);
    for (bool inWorld : {true, false}) {
        SCOPED_TRACE(inWorld);
        shown.SetWeaponEnchantment("Records/Embers.dbr");
        auto* glow = ObjectManager::Instance().GetObject<EffectEntity>(sword->GetWeaponEffectId());
        auto* active =
            ObjectManager::Instance().GetObject<EffectEntity>(sword->GetWeaponActiveEffectId());
        ASSERT_TRUE(glow != nullptr && active != nullptr);
        EXPECT_TRUE(glow->IsEmitting());
        EXPECT_FALSE(active->IsEmitting());
        sword->EnableWeaponTrail();
        EXPECT_TRUE(active->IsEmitting());
        sword->DisableWeaponTrail();
        EXPECT_FALSE(active->IsEmitting());

        const uint32_t ids[2] = {glow->GetObjectId(), active->GetObjectId()};
        if (!inWorld)
            gEngine->GetWorld()->RemoveEntity(wearer);
        shown.SetWeaponEnchantment("");
        for (uint32_t id : ids) {
            auto* effect = ObjectManager::Instance().GetObject<EffectEntity>(id);
            EXPECT_EQ(effect != nullptr, inWorld);
            if (effect != nullptr) {
                EXPECT_TRUE(effect->GetParent() == nullptr && !effect->IsEmitting() &&
                            effect->GetAddToWorldRequests().size() == 1u);
            }
        }
    }
}

} // namespace
} // namespace GAME::Test
