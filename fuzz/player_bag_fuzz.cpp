// Hostile bytes read twice into players with a controller: as the bag's block and as the
// equipment block. Nothing may crash or hang, every item the bag made is carried by the player,
// and every slot holds an item that exists, whatever relic it names with whatever shard count.
#include "ai/ControllerPlayer.h"
#include "characters/CharAttributeAccumulator.h"
#include "characters/Player.h"
#include "engine/IOStreamRead.h"
#include "engine/ObjectManager.h"
#include "fuzz/BagRecords.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "items/EquipmentCtrl.h"
#include "items/ItemEquipment.h"
#include "items/PlayerInventoryCtrl.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace GAME;

// The records the bag's saves name: a potion, a ring, a sword and a relic, held for the run.
void HoldBagRecords()
{
    static const bool held = [] {
        HoldRunRecords(BagRecords());
        return true;
    }();
    (void)held;
}

// A fresh player with the controller that keeps his bag and equipment.
ControllerPlayer& MakePlayer()
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* player = static_cast<Player*>(objects.CreateObject("Player"));
    auto* controller = static_cast<ControllerPlayer*>(objects.CreateObject("ControllerPlayer"));
    controller->AttachParent(player->GetObjectId());
    player->SetControllerId(controller->GetObjectId());
    return *controller;
}

void ReadBag(const uint8_t* data, size_t size)
{
    ObjectManager& objects = ObjectManager::Instance();
    ControllerPlayer* controller = &MakePlayer();
    Player* player = objects.GetObject<Player>(controller->GetParentId());
    PlayerInventoryCtrl& bag = controller->GetInventoryCtrl();
    IOStreamRead save(std::vector<uint8_t>(data, data + size));
    bag.StreamProperties(&save);
    if (bag.GetNumberOfSacks() > PlayerInventoryCtrl::kMaxSacks)
        abort();
    for (uint32_t sack = 0; sack < bag.GetNumberOfSacks(); ++sack) {
        for (const auto& entry : bag.GetInventoryInSack(static_cast<int32_t>(sack))) {
            if (!player->GetInventory().IsItemInInventory(entry.first))
                abort();
        }
    }
    objects.DestroyObjectEx(controller, "Fuzz/PlayerSave", __LINE__);
    objects.DestroyObjectEx(player, "Fuzz/PlayerSave", __LINE__);
    objects.ProcessDestroyedObjects();
}

void ReadEquipment(const uint8_t* data, size_t size)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t first = objects.CreateObjectID();
    EquipmentCtrl& equipment = MakePlayer().GetEquipmentCtrl();
    IOStreamRead save(std::vector<uint8_t>(data, data + size));
    equipment.StreamProperties(&save);
    for (int32_t slot = EquipmentCtrlLocation_Head; slot <= EquipmentCtrlLocation_HandLeft;
         ++slot) {
        const uint32_t id = equipment.GetItem(static_cast<EquipmentCtrlLocation>(slot));
        auto* item = objects.GetObject<ItemEquipment>(id);
        if (id != 0 && objects.GetObject<Item>(id) == nullptr)
            abort();
        // A relic of any size prices and counts without overflowing.
        if (item != nullptr && item->HasRelic()) {
            CharAttributeAccumulator attributes;
            item->GetCharAttributes(attributes);
            (void)item->GetItemCost(false);
        }
    }
    equipment.AttributesHaveChanged();
    for (uint32_t id = first, last = objects.CreateObjectID(); id != last; ++id) {
        if (Object* object = objects.GetObject(id))
            objects.DestroyObjectEx(object, "Fuzz/PlayerSave", __LINE__);
    }
    objects.ProcessDestroyedObjects();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Players live in a running game: one hub for the whole run, with the bag's records.
    StartQuietGame();
    HoldBagRecords();
    const InputStart start;
    ReadBag(data, size);
    ReadEquipment(data, size);
    EndInput(start);
    return 0;
}
