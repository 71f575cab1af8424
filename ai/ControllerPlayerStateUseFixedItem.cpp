#include "ai/ControllerPlayerStateUseFixedItem.h"

#include "engine/Name.h"

namespace GAME {

void ControllerPlayerStateUseFixedItem::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        SetState("Idle", ControllerAIStateData());
}

} // namespace GAME
