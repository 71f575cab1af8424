#include "ai/ControllerNpcHerdAnimal.h"

#include "ai/ControllerNpcHerdStates.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerNpcHerdAnimal, ControllerAI);

void ControllerNpcHerdAnimal::RegisterStates()
{
    AddState("FollowHerd", new ControllerNpcAnimalStateFollowHerd(this));
}

void ControllerNpcHerdAnimal::RegisterTemporaryStates()
{
    AddTemporaryState("Wiggle", new ControllerNpcAnimalStateWiggle(this));
}

void ControllerNpcHerdAnimal::InitializeStates()
{
    SetState("FollowHerd", ControllerAIStateData());
}

} // namespace GAME
