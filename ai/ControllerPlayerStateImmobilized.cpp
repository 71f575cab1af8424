#include "ai/ControllerPlayerStateImmobilized.h"

#include "characters/CharacterConfigCommands.h"

namespace GAME {

void ControllerPlayerStateImmobilized::OnBegin()
{
    GetController()->Immobilize();
}

void ControllerPlayerStateImmobilized::OnEnd()
{
    GetController()->SendCommand(
        std::make_unique<ReleaseImmobilizeConfigCmd>(GetDrivenCharacterId()));
}

} // namespace GAME
