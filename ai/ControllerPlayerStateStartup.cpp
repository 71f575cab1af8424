#include "ai/ControllerPlayerStateStartup.h"

namespace GAME {

void ControllerPlayerStateStartup::OnBegin()
{
    SetState("LongIdle", ControllerAIStateData());
}

} // namespace GAME
