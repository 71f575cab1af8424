#include "ai/ControllerPlayerStateMoveToStrategicMovement.h"

#include "engine/ObjectManager.h"
#include "world/StrategicMovementBase.h"

namespace GAME {

bool ControllerPlayerStateMoveToStrategicMovement::IsTargetValid(uint32_t id) const
{
    return ObjectManager::Instance().GetObject<StrategicMovementBase>(id) != nullptr;
}

void ControllerPlayerStateMoveToStrategicMovement::Arrived(uint32_t id)
{
    SetState("DoStrategicMovement", ControllerAIStateData(0, id, 0, WorldVec3()));
}

void ControllerPlayerStateMoveToStrategicMovement::RequestStrategicMovementAction(
    bool flagA, bool flagB, const WorldVec3& point, const StrategicMovementBase* object)
{
    if (object != nullptr && object->GetObjectId() == GetCurrentAlly())
        return;
    DefaultRequestStrategicMovementAction(flagA, flagB, point, object);
}

} // namespace GAME
