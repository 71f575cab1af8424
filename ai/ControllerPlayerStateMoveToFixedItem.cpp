#include "ai/ControllerPlayerStateMoveToFixedItem.h"

#include "engine/ObjectManager.h"
#include "world/FixedItem.h"

namespace GAME {

bool ControllerPlayerStateMoveToFixedItem::IsTargetValid(uint32_t id) const
{
    return ObjectManager::Instance().GetObject<FixedItem>(id) != nullptr;
}

void ControllerPlayerStateMoveToFixedItem::Arrived(uint32_t id)
{
    SetState("UseFixedItem", ControllerAIStateData(0, id, 0, WorldVec3()));
}

void ControllerPlayerStateMoveToFixedItem::RequestFixedItemAction(bool flagA, bool flagB,
                                                                  const WorldVec3& point,
                                                                  const FixedItem* fixedItem)
{
    if (fixedItem != nullptr && fixedItem->GetObjectId() == GetCurrentAlly())
        return;
    DefaultRequestFixedItemAction(flagA, flagB, point, fixedItem);
}

} // namespace GAME
