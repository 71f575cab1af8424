#include "ai/ControllerPlayerStateTalkToNpc.h"

#include "characters/Npc.h"

namespace GAME {

void ControllerPlayerStateTalkToNpc::RequestNpcAction(bool flagA, bool flagB,
                                                      const WorldVec3& point, const Npc* npc)
{
    // A held button on the NPC being talked to does not start the talk again.
    if (npc != nullptr && npc->GetObjectId() == GetCurrentAlly() &&
        GetController()->IsCommandRepeated())
        return;
    DefaultRequestNpcAction(flagA, flagB, point, npc);
}

} // namespace GAME
