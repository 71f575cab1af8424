#include "game/TeleportNonLocalClientActivity.h"

#include "characters/Player.h"
#include "engine/Engine.h"

namespace GAME {

TeleportNonLocalClientActivity::TeleportNonLocalClientActivity() = default;

TeleportNonLocalClientActivity::~TeleportNonLocalClientActivity() = default;

void TeleportNonLocalClientActivity::AddStatisticText()
{
    gEngine->AddStatisticText("TeleportNonLocalClientActivity");
}

// The server tells the others; a client only watches.
void TeleportNonLocalClientActivity::StartOutbound() {}

void TeleportNonLocalClientActivity::MoveCharacter()
{
    if (Player* player = GetPlayer())
        PlaceCharacterAtDestination(*player);
}

void TeleportNonLocalClientActivity::UpdateState()
{
    Player& player = *GetPlayer();
    switch (GetState()) {
    case 0:
        Depart(player);
        break;
    case 1:
        if (GetStateTimer() > kFadeTime)
            SetState(2);
        break;
    case 2:
        WaitForLoading();
        if (IsLoaded()) {
            MoveCharacter();
            BeginUnDissolve(player);
            SetState(3);
        }
        break;
    case 3:
        player.SetInvincible(false);
        player.SetTeleporting(false);
        SetState(kFinishedState);
        break;
    default:
        break;
    }
}

} // namespace GAME
