#include "items/EquipmentCtrl.h"

#include "ai/ControllerCharacter.h"
#include "characters/Character.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"

namespace GAME {

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
