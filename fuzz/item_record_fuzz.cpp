// A hostile item or one-shot record: made, initialised, priced, worded, stacked, put in a bag and
// used, with huge costs and limits, bad classifications and sounds naming records of other
// classes (item_state_fuzz rolls the same items again, saves, restores and replicates them). The
// input holds the item's record and, after a line "@@ <record path>", records it may name.
// Nothing may crash or hang, and a bag that took the item still accounts for it. Equipment rolls
// with the affixes at "Records/Fuzz/Prefix.dbr" and "Records/Fuzz/Suffix.dbr" and the cost record
// the input may give, is worn, takes the enchantment at "Records/Fuzz/Enchantment.dbr" and is
// taken off.
#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "core/GameTextLine.h"
#include "engine/CollisionData.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/WorldVec3.h"
#include "fuzz/ItemInput.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemEquipment.h"
#include "items/OneShot_Potion.h"
#include "items/PlayerInventoryCtrl.h"
#include "items/Weapon.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace GAME;

void Exercise(Item& item, Player& hero)
{
    item.InitialUpdate();
    item.UpdateSelf(6000);
    CollisionData water;
    water.surface = 7;
    item.CollisionCallback(water);
    item.PlayDropSound();
    item.GetItemCost(true);
    std::vector<GameTextLine> lines;
    item.GetUIDisplayText(&hero, lines);
    item.GetUIRequirementText(&hero, lines);
    std::wstring text;
    item.GetUIBitmapText(text);
    item.GetFullItemDescription(text);
    item.IsItemAvailable(&hero, 5, 5, 5);
    item.DumpCostAttributes();
    float level = 0.0f;
    item.GetDesignerVariable("itemLevel", level);
    if (auto* equipment = DynamicCast<ItemEquipment>(&item)) {
        equipment->AttachItem(hero, "R Hand");
        if (auto* weapon = DynamicCast<Weapon>(equipment)) {
            weapon->SetWeaponEnchantment(hero, "Records/Fuzz/Enchantment.dbr");
            weapon->EnableWeaponTrail();
            weapon->DisableWeaponTrail();
            weapon->PlaySwipeSound(WorldVec3());
            weapon->PlayHitSound(WorldVec3());
            weapon->GetProjectileName();
        }
        equipment->AreRequirementsMet(&hero);
        equipment->GetUIDisplayText(&hero, lines);
        equipment->DetachItem(hero);
    }
    if (auto* potion = DynamicCast<OneShot_Potion>(&item)) {
        potion->AddToStack(0xFFFFFFFFu);
        potion->IsStackFull();
        potion->GetItemCost(true);
        potion->RemoveFromStack(3);
    }
}

Player* MakeHero()
{
    auto* hero = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
    auto* controller =
        static_cast<ControllerPlayer*>(ObjectManager::Instance().CreateObject("ControllerPlayer"));
    controller->AttachParent(hero->GetObjectId());
    hero->SetControllerId(controller->GetObjectId());
    return hero;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WithFuzzItem(data, size, [](Item& item) {
        Player* hero = MakeHero();
        PlayerInventoryCtrl& bag = hero->GetControllerPlayer()->GetInventoryCtrl();
        Exercise(item, *hero);
        const uint32_t id = item.GetObjectId();
        hero->GetInventory().AddItemToInventory(id, false);
        bag.AddItem(id, true);
        bag.UseOneShot(id);
        bag.UsePotionOfType(PlayerInventoryCtrl::kHealth, 0.8f, 1.2f);
        bag.Update(100000);
    });
    return 0;
}
