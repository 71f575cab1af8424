#include "ai/ControllerAIStatePreStart.h"

#include "ai/ControllerAI.h"
#include "characters/Character.h"

namespace GAME {

ControllerAIStatePreStart::ControllerAIStatePreStart(ControllerAI* controller)
    : ControllerAIStateT<ControllerAI, Character>(controller)
{}

void ControllerAIStatePreStart::OnBegin()
{
    Character* character = GetCharacter();
    if (character != nullptr && character->IsAlive())
        Die();
}

} // namespace GAME
