#include "ai/ControllerPlayerStateUseSkillWhileTrapped.h"

#include "characters/CharacterConfigCommands.h"
#include "engine/Name.h"

namespace GAME {

void ControllerPlayerStateUseSkillWhileTrapped::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        SetState("Trapped", ControllerAIStateData());
}

void ControllerPlayerStateUseSkillWhileTrapped::EndTrap()
{
    GetController()->SendCommand(std::make_unique<ReleaseTrapConfigCmd>(GetDrivenCharacterId()));
    SetState("Idle", ControllerAIStateData());
}

} // namespace GAME
