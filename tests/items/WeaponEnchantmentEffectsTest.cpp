#include "engine/EffectEntity.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "items/EquipManager.h"
#include "items/Weapon.h"
#include "items/WeaponArmor_Shield.h"
#include "tests/support/TrimMust.h"
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

// A weapon preloads its swing and hit sounds, a shield its block sound too.
TEST_F(WeaponEnchantmentEffectsTest, PreLoadReachesTheSwingHitAndBlockSounds)
{
    for (const char* sound : {"Records/Swing.dbr", "Records/Hit.dbr", "Records/Block.dbr"})
        database.WriteRecord(sound, {"Class = SoundPak"});
    database.WriteRecord("Records/Items/LoudShield.dbr",
                         {"Class = WeaponArmor_Shield", "swipeSound = Records/Swing.dbr",
                          "hitSound = Records/Hit.dbr", "blockSound = Records/Block.dbr"});
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t first = objects.CreateObjectID();
    auto* shield =
        Must(objects.CreateObjectFromFile<WeaponArmor_Shield>("Records/Items/LoudShield.dbr"));
    shield->PreLoad(true);
    std::vector<bool> heard;
    const uint32_t last = objects.CreateObjectID();
    for (uint32_t id = first; id != last; ++id) {
        if (auto* pack = objects.GetObject<SoundPak>(id))
            heard.insert(heard.end(), pack->GetPreLoadRequests().begin(),
                         pack->GetPreLoadRequests().end());
    }
    EXPECT_EQ(heard, std::vector<bool>(3, true));
    objects.DestroyObjectEx(shield, "test", __LINE__);
}

} // namespace
} // namespace GAME::Test
