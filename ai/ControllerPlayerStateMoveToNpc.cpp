#include "ai/ControllerPlayerStateMoveToNpc.h"

#include "characters/Npc.h"
#include "engine/ObjectManager.h"

namespace GAME {

bool ControllerPlayerStateMoveToNpc::IsTargetValid(uint32_t id) const
{
    return ObjectManager::Instance().GetObject<Npc>(id) != nullptr;
}

void ControllerPlayerStateMoveToNpc::Arrived(uint32_t id)
{
    SetState("TalkToNpc", ControllerAIStateData(0, id, 0, WorldVec3()));
}

void ControllerPlayerStateMoveToNpc::RequestNpcAction(bool flagA, bool flagB,
                                                      const WorldVec3& point, const Npc* npc)
{
    if (npc != nullptr && npc->GetObjectId() == GetCurrentAlly())
        return;
    DefaultRequestNpcAction(flagA, flagB, point, npc);
}

} // namespace GAME
