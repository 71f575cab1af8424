#include "engine/EffectEntity.h"
#include "engine/World.h"
#include "items/EquipManager.h"
#include "items/Weapon.h"
#include "tests/support/WearerFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

constexpr const char* kGlow = "Records/Effects/Glow.dbr";
constexpr const char* kSparks = "Records/Effects/Sparks.dbr";
constexpr const char* kEmbers = "Records/Enchantments/Embers.dbr";

class WeaponEnchantmentEffectsTest : public WearerFixture {
protected:
    void SetUp() override
    {
        WearerFixture::SetUp();
        database.WriteRecord(kGlow, {"Class = EffectEntity"});
        database.WriteRecord(kSparks, {"Class = EffectEntity"});
        database.WriteRecord(kEmbers, {"weaponEffect = " + std::string(kGlow),
                                       "weaponActiveEffect = " + std::string(kSparks)});
        NewWearer();
        sword = ObjectManager::Instance().GetObject<Weapon>(Make(kSword));
        Shown().AttachItemAction(sword->GetObjectId(), EquipLocations_RightHand);
        Shown().SetWeaponEnchantment(kEmbers);
    }

    EquipManager& Shown() { return wearer->GetCombatManager().GetEquipManager(); }
    static EffectEntity* Effect(uint32_t id)
    {
        return ObjectManager::Instance().GetObject<EffectEntity>(id);
    }

    Weapon* sword = nullptr;
};

TEST_F(WeaponEnchantmentEffectsTest, TheActiveEffectEmitsOnlyWhileTheTrailRuns)
{
    EffectEntity* glow = Effect(sword->GetWeaponEffectId());
    EffectEntity* sparks = Effect(sword->GetWeaponActiveEffectId());
    ASSERT_NE(glow, nullptr);
    ASSERT_NE(sparks, nullptr);
    EXPECT_EQ(glow->GetObjectName(), kGlow);
    EXPECT_EQ(glow->GetParent(), sword);
    EXPECT_EQ(sparks->GetParent(), sword);
    EXPECT_TRUE(glow->IsEmitting());
    EXPECT_FALSE(sparks->IsEmitting());
    sword->EnableWeaponTrail();
    EXPECT_TRUE(sparks->IsEmitting());
    sword->DisableWeaponTrail();
    EXPECT_FALSE(sparks->IsEmitting());
    EXPECT_TRUE(glow->IsEmitting());
}

// Effects left attached to a weapon off the world would never be drawn nor freed.
TEST_F(WeaponEnchantmentEffectsTest, ClearedEffectsPlayOutInTheWorldOrGoWithTheEnchantment)
{
    for (bool inWorld : {true, false}) {
        SCOPED_TRACE(inWorld);
        if (!inWorld) {
            Shown().SetWeaponEnchantment(kEmbers);
            gEngine->GetWorld()->RemoveEntity(wearer);
        }
        const uint32_t ids[2] = {sword->GetWeaponEffectId(), sword->GetWeaponActiveEffectId()};
        Shown().SetWeaponEnchantment("");
        EXPECT_EQ(sword->GetWeaponEffectId(), 0u);
        EXPECT_EQ(sword->GetWeaponActiveEffectId(), 0u);
        for (uint32_t id : ids) {
            EffectEntity* effect = Effect(id);
            if (!inWorld) {
                EXPECT_EQ(effect, nullptr);
                continue;
            }
            ASSERT_NE(effect, nullptr);
            EXPECT_EQ(effect->GetParent(), nullptr);
            EXPECT_FALSE(effect->IsEmitting());
            EXPECT_EQ(effect->GetAddToWorldRequests().size(), 1u);
        }
    }
}

} // namespace
} // namespace GAME::Test
