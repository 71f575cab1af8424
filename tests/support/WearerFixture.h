#pragma once

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "tests/combat/DeathFixture.h"

#include <string>

namespace GAME::Test {

// A player standing in the world with a player controller, and weapons and armour of every
// hand type to put on him.
class WearerFixture : public DeathFixture {
protected:
    static constexpr const char* kHero = "Records/Creatures/Wearer.dbr";
    static constexpr const char* kHood = "Records/Items/Hood.dbr";
    static constexpr const char* kHelmet = "Records/Items/Helmet.dbr";
    static constexpr const char* kSword = "Records/Items/Sword.dbr";
    static constexpr const char* kBow = "Records/Items/Bow.dbr";
    static constexpr const char* kSpear = "Records/Items/Spear.dbr";
    static constexpr const char* kStaff = "Records/Items/Staff.dbr";
    static constexpr const char* kShield = "Records/Items/Shield.dbr";

    void SetUp() override
    {
        DeathFixture::SetUp();
        database.WriteRecord(kHood, {"Class = Item"});
        database.WriteRecord(kHelmet, {"Class = ArmorProtective_Head", "strengthRequirement = 40"});
        database.WriteRecord(kSword, {"Class = WeaponMelee_Sword"});
        database.WriteRecord(kBow, {"Class = WeaponHunting_Bow"});
        database.WriteRecord(kSpear, {"Class = WeaponHunting_Spear"});
        database.WriteRecord(kStaff, {"Class = WeaponMagical_Staff"});
        database.WriteRecord(kShield, {"Class = WeaponArmor_Shield"});
    }

    // The player, his controller attached; strength 50 and a hood as default head piece.
    ControllerPlayer* NewWearer()
    {
        wearer = Spawn<Player>(
            kHero, {"characterStrength = 50", "defaultHeadPiece = " + std::string(kHood)});
        auto* controller = static_cast<ControllerPlayer*>(
            ObjectManager::Instance().CreateObject("ControllerPlayer"));
        controller->AttachParent(wearer->GetObjectId());
        wearer->SetControllerId(controller->GetObjectId());
        return controller;
    }

    static uint32_t Make(const char* record)
    {
        ItemReplicaInfo info;
        info.baseName = record;
        Item* item = Item::CreateItem(info);
        return item != nullptr ? item->GetObjectId() : 0;
    }

    Player* wearer = nullptr;
};

} // namespace GAME::Test
