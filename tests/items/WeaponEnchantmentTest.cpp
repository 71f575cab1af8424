#include "items/WeaponEnchantment.h"

#include "characters/Character.h"
#include "engine/Color.h"
#include "engine/EffectEntity.h"
#include "engine/SoundPak.h"
#include "engine/WeaponTrail.h"
#include "engine/World.h"
#include "engine/WorldVec3.h"
#include "items/EquipManager.h"
#include "items/Weapon.h"
#include "tests/support/EquipmentRecords.h"
#include "tests/support/TrimMust.h"
#include "tests/support/WearerFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

constexpr const char* kFlame = "Records/Enchantments/Flame.dbr";

class WeaponEnchantmentTest : public EquipmentFixture {
protected:
    void SetUp() override
    {
        EquipmentFixture::SetUp();
        for (const char* pak : {"Swipe", "Hit", "FlameSwipe", "FlameHit", "FlameBow"})
            database.WriteRecord(std::string("Records/Sounds/") + pak + ".dbr",
                                 {"Class = SoundPak", "soundFiles = a.wav"});
        database.WriteRecord(kFlame, {"meleeSwipeSound = Records/Sounds/FlameSwipe.dbr",
                                      "meleeHitSound = Records/Sounds/FlameHit.dbr",
                                      "bowSwipeSound = Records/Sounds/FlameBow.dbr",
                                      "projectileName = Records/Fire.dbr", "useWeaponTint = 1",
                                      "weaponTintRed = 255", "weaponTintGreen = 0",
                                      "weaponTintBlue = 51", "weaponTintAlpha = 255"});
        database.WriteRecord("Records/Arrow.dbr", {"Class = ProjectileBase"});
        database.WriteRecord("Records/Fire.dbr", {"Class = ProjectileBase"});
        database.WriteRecord("Records/Rock.dbr", {"Class = EffectEntity"});
        mark = ObjectManager::Instance().CreateObjectID();
    }

    Weapon* MakeWeapon(const char* className, std::initializer_list<std::string> extra = {})
    {
        std::string text = std::string("Class = ") + className + "\n";
        for (const auto& line : extra)
            text += line + "\n";
        database.WriteFile("Records/Items/W.dbr", text);
        ObjectManager::Instance().GetDatabase().SetRoot(database.GetRoot());
        return ObjectManager::Instance().CreateObjectFromFile<Weapon>("Records/Items/W.dbr");
    }

    // Ids are handed out in order: the packs made since set-up lie past the mark.
    size_t Plays(const char* pak) const
    {
        size_t plays = 0;
        ObjectManager& objects = ObjectManager::Instance();
        const uint32_t last = objects.CreateObjectID();
        for (uint32_t id = mark; id != last; ++id) {
            auto* sound = objects.GetObject<SoundPak>(id);
            if (sound != nullptr &&
                sound->GetObjectName() == std::string("Records/Sounds/") + pak + ".dbr")
                plays += sound->GetPlayRequests().size();
        }
        return plays;
    }

    Character wielder;
    uint32_t mark = 0;
};

TEST_F(WeaponEnchantmentTest, AnEnchantedSwordsSwipePlaysTheEnchantmentsSoundAndItsOwn)
{
    Weapon* sword =
        Must(MakeWeapon("WeaponMelee_Sword", {"swipeSound = Records/Sounds/Swipe.dbr"}));
    sword->SetWeaponEnchantment(wielder, kFlame);
    ASSERT_NE(sword->GetWeaponEnchantment(), nullptr);
    sword->PlaySwipeSound(WorldVec3());
    EXPECT_EQ(Plays("FlameSwipe"), 1u);
    EXPECT_EQ(Plays("Swipe"), 1u);
    EXPECT_NEAR(sword->GetTintColor().blue, 0.2f, 1e-6f);
    // A sword fires nothing of the enchantment's.
    EXPECT_EQ(sword->GetProjectileName(), "");

    sword->ClearWeaponEnchantment();
    EXPECT_FLOAT_EQ(sword->GetTintColor().green, 1.0f);
}

TEST_F(WeaponEnchantmentTest, ABowFiresTheEnchantmentsProjectileAndAShieldTakesNone)
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

    Weapon* shield = Must(MakeWeapon("WeaponArmor_Shield"));
    shield->SetWeaponEnchantment(wielder, kFlame);
    EXPECT_EQ(shield->GetWeaponEnchantment(), nullptr);
    EXPECT_FLOAT_EQ(shield->GetTintColor().green, 1.0f);
}

TEST_F(WeaponEnchantmentTest, ANameThatLoadsNoRecordLeavesTheWeaponBare)
{
    Weapon* sword = Must(MakeWeapon("WeaponMelee_Sword"));
    for (const char* name : {"", "Records/Enchantments/Nowhere.dbr"}) {
        SCOPED_TRACE(name);
        sword->SetWeaponEnchantment(wielder, name);
        EXPECT_EQ(sword->GetWeaponEnchantment(), nullptr);
    }
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
        sword->SetWeaponEnchantment(wielder, kFlame);
        sword->AttachItem(wielder, "R Hand");
        EXPECT_FLOAT_EQ(sword->GetCurrentScale(), row.held);
        sword->DetachItem(wielder);
        EXPECT_EQ(sword->GetWeaponEnchantment(), nullptr);
    }
}

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
    sword->EnableWeaponTrail();
    EXPECT_TRUE(trail->IsRunning());

    const uint32_t own = sword->GetWeaponTrailId();
    shown.SetWeaponEnchantment(kBlaze);
    EXPECT_EQ(sword->GetWeaponTrailName(), kFireTrail);
    EXPECT_EQ(ObjectManager::Instance().GetObject(own), nullptr) << "the old trail went";
    shown.SetWeaponEnchantment("");
    EXPECT_EQ(sword->GetWeaponTrailName(), kTrail);

    shown.DetachItemAction(sword->GetObjectId());
    EXPECT_EQ(TrailOf(*sword), nullptr);
}

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
            if (effect != nullptr)
                EXPECT_TRUE(effect->GetParent() == nullptr && !effect->IsEmitting() &&
                            effect->GetAddToWorldRequests().size() == 1u);
        }
    }
}

} // namespace
} // namespace GAME::Test
