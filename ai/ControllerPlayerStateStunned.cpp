#include "ai/ControllerPlayerStateStunned.h"

#include "characters/CharacterConfigCommands.h"

namespace GAME {

void ControllerPlayerStateStunned::OnBegin()
{
    TakeStun();
}

void ControllerPlayerStateStunned::OnEnd()
{
    GetController()->SendCommand(std::make_unique<ReleaseStunConfigCmd>(GetDrivenCharacterId()));
}

} // namespace GAME
