#include "items/Inventory.h"

#include "core/RTTI_ClassInfo.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/OneShot_Potion.h"
#include "items/OneShot_Sack.h"

#include <algorithm>

namespace GAME {

Inventory::Inventory() : itemAddHandler("GameEvent_ItemAdd", &Inventory::OnItemAdd) {}

Inventory::~Inventory()
{
    DestroyAllObjects();
}

void Inventory::CountPickup(const Item* item) const
{
    // A character may live without the game (tools, tests): then there is no tutorial.
    if (gGameEngine == nullptr)
        return;
    const uint32_t localPlayer = gGameEngine->GetPlayerId();
    if (localPlayer != 0 && localPlayer != owner)
        return;
    gGameEngine->IncrementItemsAdded();
    if (item == nullptr)
        return;
    if (DynamicCast<OneShot_Potion>(item) != nullptr) {
        gGameEngine->SetPotionPickedUp();
        gGameEngine->UnlockTutorialPage(13, true);
    } else if (DynamicCast<OneShot_Sack>(item) != nullptr) {
        gGameEngine->UnlockTutorialPage(24, true);
    } else if (IsRelic(item)) {
        gGameEngine->UnlockTutorialPage(18, true);
    }
}

bool Inventory::IsRelic(const Item* item)
{
    // Relics are not built yet; their class is known by name already.
    const RTTI_ClassInfo* relic = Object::classInfo.FindClass("ItemRelic");
    return relic != nullptr && item->GetClassInfo()->IsA(*relic);
}

void Inventory::AddItemToInventory(uint32_t id, bool flag)
{
    Item* item = id == 0 ? nullptr : ObjectManager::Instance().GetObject<Item>(id);
    CountPickup(item);
    if (item != nullptr)
        item->SetGender(gender);
    if (id == 0 || IsItemInInventory(id))
        return;
    GameEvent_ItemAdd event;
    event.ownerId = owner;
    event.itemId = id;
    event.flag = flag;
    itemAddHandler.SendEvent(&event);
    items.push_back(id);
}

bool Inventory::IsItemInInventory(uint32_t id) const
{
    return std::find(items.begin(), items.end(), id) != items.end();
}

bool Inventory::IsItemInInventory(const std::string& recordName) const
{
    const ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t id : items) {
        const Object* item = objects.GetObject(id);
        if (item == nullptr)
            return false;
        if (item->GetObjectName() == recordName)
            return true;
    }
    return false;
}

void Inventory::RemoveItemFromInventory(uint32_t id)
{
    if (id != 0)
        std::erase(items, id);
}

uint32_t Inventory::PopInventoryItem()
{
    if (items.empty())
        return 0;
    const uint32_t id = items.front();
    items.erase(items.begin());
    return id;
}

void Inventory::DestroyAllObjects()
{
    ObjectManager& objects = ObjectManager::Instance();
    // Ids, not pointers: an item destroyed elsewhere meanwhile is simply skipped.
    for (uint32_t id : items)
        objects.DestroyObjectEx(objects.GetObject(id), "Project\\Game\\Inventory", 45);
    items.clear();
}

void Inventory::OnItemAdd(const GameEvent_ItemAdd& /*event*/) {}

} // namespace GAME
