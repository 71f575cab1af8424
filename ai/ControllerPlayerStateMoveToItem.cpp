#include "ai/ControllerPlayerStateMoveToItem.h"

#include "engine/ObjectManager.h"
#include "items/Item.h"

namespace GAME {

bool ControllerPlayerStateMoveToItem::IsTargetValid(uint32_t id) const
{
    return ObjectManager::Instance().GetObject<Item>(id) != nullptr;
}

void ControllerPlayerStateMoveToItem::Arrived(uint32_t id)
{
    SetState("PickupItem", ControllerAIStateData(0, id, 0, WorldVec3()));
}

void ControllerPlayerStateMoveToItem::RequestItemAction(bool flagA, bool flagB,
                                                        const WorldVec3& point, const Item* item)
{
    if (item != nullptr && item->GetObjectId() == GetCurrentAlly())
        return;
    DefaultRequestItemAction(flagA, flagB, point, item);
}

} // namespace GAME
