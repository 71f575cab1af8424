#include "ai/ControllerNpcHerder.h"

#include "ai/ControllerNpcHerdStates.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerNpcHerder, ControllerAI);

void ControllerNpcHerder::RegisterStates()
{
    AddState("DirectHerd", new ControllerNpcStateDirectHerd(this));
}

void ControllerNpcHerder::InitializeStates()
{
    SetState("DirectHerd", ControllerAIStateData());
}

} // namespace GAME
