#include "engine/EffectEntity.h"
#include "engine/World.h"
#include "items/EquipManager.h"
#include "items/Weapon.h"
#include "tests/support/WearerFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using WeaponEnchantmentEffectsTest = WearerFixture;

// Effects left on a weapon whose wearer left the world would never be drawn nor freed.
TEST_F(WeaponEnchantmentEffectsTest, TheActiveEffectFollowsTheTrailAndClearedEffectsPlayOut)
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
        EXPECT_EQ(active->GetParent(), sword);
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
