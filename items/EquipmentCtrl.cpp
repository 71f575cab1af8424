#include "items/EquipmentCtrl.h"

#include "ai/ControllerCharacter.h"
#include "characters/Character.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"

#include <cstring>
#include <initializer_list>

namespace GAME {

namespace {

// Matched by name so that a slot takes the kinds as soon as they are registered.
bool IsOfClass(const Item& item, const char* name)
{
    for (const RTTI_ClassInfo* info = item.GetClassInfo(); info != nullptr;
         info = info->GetParent()) {
        if (std::strcmp(info->GetName(), name) == 0)
            return true;
    }
    return false;
}

bool SlotTakes(EquipmentCtrl::BodySlot slot, const Item& item)
{
    auto anyOf = [&item](std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (IsOfClass(item, name))
                return true;
        }
        return false;
    };
    switch (slot) {
    case EquipmentCtrl::BodySlot_Head:
        return anyOf({"ArmorProtective_Head"});
    case EquipmentCtrl::BodySlot_Neck:
        return anyOf({"ArmorJewelry_Amulet"});
    case EquipmentCtrl::BodySlot_UpperBody:
        return anyOf({"ArmorProtective_UpperBody", "ArmorMisc_Vestment", "ArmorMisc_Clothing"});
    case EquipmentCtrl::BodySlot_LowerBody:
        return anyOf({"ArmorProtective_LowerBody"});
    case EquipmentCtrl::BodySlot_Forearm:
        return anyOf({"ArmorProtective_Forearm", "ArmorJewelry_Bracelet"});
    case EquipmentCtrl::BodySlot_Finger1:
    case EquipmentCtrl::BodySlot_Finger2:
        return anyOf({"ArmorJewelry_Ring"});
    default:
        return false;
    }
}

} // namespace

EquipmentCtrl::EquipmentCtrl()
{
    body[BodySlot_Head].location = EquipLocations_Head;
    body[BodySlot_Neck].location = EquipLocations_Neck;
    body[BodySlot_UpperBody].location = EquipLocations_UpperBody;
    body[BodySlot_LowerBody].location = EquipLocations_LowerBody;
    body[BodySlot_Finger1].location = EquipLocations_Finger;
    body[BodySlot_Finger2].location = EquipLocations_Finger;
    body[BodySlot_Forearm].location = EquipLocations_Forearm;
}

void EquipmentCtrl::SetParent(Character* character)
{
    parentId = character == nullptr ? 0 : character->GetObjectId();
}

void EquipmentCtrl::SetController(ControllerCharacter* controller)
{
    this->controller = controller;
    primary.SetController(controller);
    alternate.SetController(controller);
}

Character* EquipmentCtrl::GetParent() const
{
    const uint32_t id =
        parentId != 0 ? parentId : (controller == nullptr ? 0 : controller->GetParentId());
    return id == 0 ? nullptr : ObjectManager::Instance().GetObject<Character>(id);
}

void EquipmentCtrl::SetAlternateEquipment(bool flag)
{
    useAlternate = flag;
    primary.SetAlternate(flag);
    alternate.SetAlternate(!flag);
}

bool EquipmentCtrl::AreRequirementsMet(const Item* item) const
{
    // Items carry no attribute requirements yet, so any existing item may be worn.
    return ignoreRequirements || item != nullptr;
}

bool EquipmentCtrl::CanItemBePlaced(BodySlot slot, uint32_t id, bool mustBeEmpty) const
{
    if (slot >= BodySlot_Count || (mustBeEmpty && body[slot].itemId != 0))
        return false;
    const Item* item = ObjectManager::Instance().GetObject<Item>(id);
    return item != nullptr && SlotTakes(slot, *item) && AreRequirementsMet(item);
}

void EquipmentCtrl::PlaceItem(BodySlot slot, uint32_t& id, bool quiet)
{
    if (slot >= BodySlot_Count ||
        (id != 0 && ObjectManager::Instance().GetObject<Item>(id) == nullptr))
        return;
    // No drop sound exists yet to play when not quiet.
    static_cast<void>(quiet);
    EquipmentInfo& entry = body[slot];
    const uint32_t old = entry.itemId;
    if (old != 0 && entry.attached && controller != nullptr)
        controller->SendEquipDetachAction(old);
    entry.attached = false;
    entry.itemId = id;
    if (id != 0) {
        entry.attached = true;
        if (controller != nullptr)
            controller->SendEquipAttachAction(id, entry.location);
    }
    id = old;
}

bool EquipmentCtrl::AutoInsertItem(uint32_t id)
{
    if (ObjectManager::Instance().GetObject<Item>(id) == nullptr)
        return false;
    Character* character = GetParent();
    primary.SetParent(character);
    alternate.SetParent(character);
    for (uint32_t i = 0; i < BodySlot_Count; ++i) {
        const auto slot = static_cast<BodySlot>(i);
        if (CanItemBePlaced(slot, id, true)) {
            uint32_t placed = id;
            PlaceItem(slot, placed, true);
            return true;
        }
    }
    EquipmentCtrlWeaponSet& set = GetSetInUse();
    uint32_t placed = id;
    if (set.CanItemBePlaced_HandRight(id, true)) {
        set.PlaceItem_HandRight(placed, true);
        return true;
    }
    if (set.CanItemBePlaced_HandLeft(id, true)) {
        set.PlaceItem_HandLeft(placed, true);
        return true;
    }
    return false;
}

void EquipmentCtrl::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    Character* character = GetParent();
    primary.SetParent(character);
    alternate.SetParent(character);
    stream->BeginBlock();
    stream->StreamBool("useAlternate", useAlternate);
    for (EquipmentInfo& entry : body) {
        if (stream->HasFailed())
            break;
        StreamSlot(stream, character, entry.itemId, entry.attached, entry.location);
    }
    primary.StreamProperties(stream);
    alternate.StreamProperties(stream);
    stream->EndBlock();
}

bool EquipmentCtrl::StreamSlot(IOStream* stream, Character* character, uint32_t& itemId,
                               bool& attached, EquipLocations location)
{
    ItemReplicaInfo info;
    bool attachedValue = false;
    if (!stream->IsReading()) {
        // A slot whose item vanished is saved empty rather than as a dangling name.
        if (const Item* item = ObjectManager::Instance().GetObject<Item>(itemId)) {
            item->GetItemReplicaInfo(info);
            info.id = 0;
            attachedValue = attached;
        }
        info.StreamProperties(stream, attachedValue);
        return false;
    }
    info.StreamProperties(stream, attachedValue);
    if (stream->HasFailed() || info.baseName.empty() || character == nullptr)
        return false;
    info.id = 0;
    Item* item = Item::CreateItem(info);
    if (item == nullptr)
        return false;
    itemId = item->GetObjectId();
    attached = attachedValue;
    character->GetInventory().AddItemToInventory(itemId, false);
    if (attached)
        character->AttachItemAction(itemId, location);
    return true;
}

} // namespace GAME
