#pragma once

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/PlayerInventoryCtrl.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/Replica.h"

#include <string>

namespace GAME::Test {

// A hero with a player controller and its bag, and the one-shot records the bag sorts: three
// health potions of 20, 50 and 100 life, a mana potion, a sack, gold, a reward and a ring.
class BagFixture : public DeathFixture {
protected:
    static constexpr const char* kHeal20 = "Records/Items/Heal20.dbr";
    static constexpr const char* kHeal50 = "Records/Items/Heal50.dbr";
    static constexpr const char* kHeal100 = "Records/Items/Heal100.dbr";
    static constexpr const char* kMana = "Records/Items/Mana.dbr";
    static constexpr const char* kSack = "Records/Items/Sack.dbr";
    static constexpr const char* kGold = "Records/Items/Gold.dbr";
    static constexpr const char* kReward = "Records/Items/Reward.dbr";
    static constexpr const char* kRing = "Records/Items/Ring.dbr";

    void SetUp() override
    {
        DeathFixture::SetUp();
        Potion(kHeal20, "OneShot_PotionHealth", "bonusLifePoints = 20");
        Potion(kHeal50, "OneShot_PotionHealth", "bonusLifePoints = 50");
        Potion(kHeal100, "OneShot_PotionHealth", "bonusLifePoints = 100");
        Potion(kMana, "OneShot_PotionMana", "bonusManaPoints = 30");
        database.WriteRecord(kSack, {"Class = OneShot_Sack", "bitmap = sack.tex"});
        database.WriteRecord(kGold, {"Class = OneShot_Gold", "bitmap = gold.tex"});
        database.WriteRecord(kReward, {"Class = OneShot_InstantReward", "bitmap = token.tex",
                                       "bonusExperiencePoints = 5"});
        database.WriteRecord(kRing, {"Class = ItemEquipment", "bitmap = ring.tex"});
        database.WriteRecord(Player::kPlayerControllerRecord, {"Class = ControllerPlayer"});
    }

    void Potion(const char* record, const char* className, const std::string& bonus)
    {
        database.WriteRecord(record, {std::string("Class = ") + className, bonus,
                                      "bitmap = potion.tex", "useDelayTime = 1.0"});
    }

    // A living player of the given life, with its controller.
    Player* NewHero(int32_t life = 100)
    {
        Player* hero =
            Spawn<Player>("Records/Creatures/BagHero.dbr",
                          {"characterLife = " + std::to_string(life), "characterMana = 100"});
        hero->SetIsControllingCharacter(true);
        // One bio update fills life and mana to their limits; one controller frame settles it
        // in its first state, which takes item orders.
        hero->GetCharacterBio().Update(*hero, 0);
        hero->GetControllerPlayer()->Update(0);
        return hero;
    }

    static PlayerInventoryCtrl& Bag(Player& hero)
    {
        return hero.GetControllerPlayer()->GetInventoryCtrl();
    }

    // Made from the record and handed to the hero as a pick-up is.
    static uint32_t PickUp(Player& hero, const char* record, uint32_t seed = 1)
    {
        Item* item = Item::CreateItem(Replica(record, seed));
        if (item == nullptr)
            return 0;
        hero.GetInventory().AddItemToInventory(item->GetObjectId(), false);
        Bag(hero).AddItem(item->GetObjectId(), true);
        return item->GetObjectId();
    }
};

} // namespace GAME::Test
