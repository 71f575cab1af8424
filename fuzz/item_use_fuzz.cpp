// A hostile item or one-shot record (the input of item_record_fuzz), its item in a hero's hands
// and bag: equipment is worn, takes the enchantment at "Records/Fuzz/Enchantment.dbr", swings and
// hits with its sounds and trail, and is taken off; then the item goes into the hero's bag, which
// uses it as a one-shot and as a potion and lets a long frame pass. Nothing may crash or hang,
// and a bag that took the item still accounts for it.
#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "engine/WorldVec3.h"
#include "fuzz/ItemInput.h"
#include "items/Item.h"
#include "items/ItemEquipment.h"
#include "items/PlayerInventoryCtrl.h"
#include "items/Weapon.h"

#include <cstdint>

namespace {

using namespace GAME;

void Wear(ItemEquipment& equipment, Player& hero)
{
    equipment.AttachItem(hero, "R Hand");
    if (auto* weapon = DynamicCast<Weapon>(&equipment)) {
        weapon->SetWeaponEnchantment(hero, "Records/Fuzz/Enchantment.dbr");
        weapon->EnableWeaponTrail();
        weapon->DisableWeaponTrail();
        weapon->PlaySwipeSound(WorldVec3());
        weapon->PlayHitSound(WorldVec3());
        weapon->GetProjectileName();
    }
    equipment.AreRequirementsMet(&hero);
    equipment.DetachItem(hero);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WithFuzzItem(data, size, [](Item& item) {
        Player* hero = MakeHero();
        item.InitialUpdate();
        if (auto* equipment = DynamicCast<ItemEquipment>(&item))
            Wear(*equipment, *hero);
        PlayerInventoryCtrl& bag = hero->GetControllerPlayer()->GetInventoryCtrl();
        const uint32_t id = item.GetObjectId();
        hero->GetInventory().AddItemToInventory(id, false);
        bag.AddItem(id, true);
        bag.UseOneShot(id);
        bag.UsePotionOfType(PlayerInventoryCtrl::kHealth, 0.8f, 1.2f);
        bag.Update(100000);
    });
    return 0;
}
