#include "ai/ControllerPlayerStatePickupItem.h"

#include "engine/Name.h"

namespace GAME {

void ControllerPlayerStatePickupItem::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        SetState("Idle", ControllerAIStateData());
}

} // namespace GAME
