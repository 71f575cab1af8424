#include "ai/ControllerPlayerStateRespawning.h"

#include "characters/RespawnAction.h"
#include "engine/Name.h"
#include "engine/WorldCoords.h"

namespace GAME {

void ControllerPlayerStateRespawning::OnBegin()
{
    Player* player = GetCharacter();
    if (player == nullptr)
        return;
    player->SetLifeState(LifeState_Respawning);
    GetController()->HandleAction(
        new RespawnAction(player->GetObjectId(), player->GetClosestRespawnPoint()));
}

void ControllerPlayerStateRespawning::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        SetState("Idle", ControllerAIStateData());
}

} // namespace GAME
