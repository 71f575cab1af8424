// A hostile item or one-shot record: made, initialised, priced, worded and stacked, with huge
// costs and limits, bad classifications and sounds naming records of other classes. The input
// holds the item's record and, after a line "@@ <record path>", records it may name. Equipment
// rolls with the affixes at "Records/Fuzz/Prefix.dbr" and "Records/Fuzz/Suffix.dbr" and the cost
// record the input may give. Nothing may crash or hang. The same items are worn and used by
// item_use_fuzz, and rolled again, saved, restored and replicated by item_state_fuzz.
#include "characters/Player.h"
#include "core/GameTextLine.h"
#include "engine/CollisionData.h"
#include "fuzz/ItemInput.h"
#include "fuzz/QuietGame.h"
#include "items/Item.h"
#include "items/ItemEquipment.h"
#include "items/OneShot_Potion.h"

#include <cstdint>
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
        equipment->AreRequirementsMet(&hero);
        equipment->GetUIDisplayText(&hero, lines);
    }
    if (auto* potion = DynamicCast<OneShot_Potion>(&item)) {
        potion->AddToStack(0xFFFFFFFFu);
        potion->IsStackFull();
        potion->GetItemCost(true);
        potion->RemoveFromStack(3);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartQuietGame();
    // The hero only reads the item, and it reads him: one stands for the whole run.
    static Player* const hero = MakeHero();
    WithFuzzItem(data, size, [](Item& item) { Exercise(item, *hero); });
    return 0;
}
