#include "game/TeleportLocalClientActivity.h"

#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/PieOmatic.h"
#include "game/GameEngine.h"
#include "multiplayer/NetworkRegionLoaderClient.h"

namespace GAME {

TeleportLocalClientActivity::TeleportLocalClientActivity()
{
    SetRegionLoader(std::make_unique<NetworkRegionLoaderClient>());
    GameEngine::Get().LockMouse();
}

TeleportLocalClientActivity::~TeleportLocalClientActivity()
{
    if (gGameEngine != nullptr)
        gGameEngine->UnlockMouse();
}

void TeleportLocalClientActivity::AddStatisticText()
{
    gEngine->AddStatisticText("TeleportLocalClientActivity");
}

void TeleportLocalClientActivity::StartOutbound()
{
    const int32_t* at = GetIntegerDestination();
    GameEngine::Get().CtoS_StartTeleportOutbound(GetPlayerId(), at[0], at[1], at[2]);
    RaiseNeedsSleep();
    if (Player* player = GetPlayer())
        player->SetTeleporting(true);
}

void TeleportLocalClientActivity::MoveCharacter()
{
    if (Player* player = GetPlayer())
        PlaceCharacterAtDestination(*player);
}

void TeleportLocalClientActivity::UpdateState()
{
    Player& player = *GetPlayer();
    GameEngine& game = GameEngine::Get();
    switch (GetState()) {
    case 0:
        Depart(player);
        break;
    case 1:
        if (GetStateTimer() > kFadeTime) {
            gEngine->SetTeleportMode(true);
            game.SetRenderingEnabled(false, RenderingDisable_Teleport);
            GraphicsEngine::Instance().ReloadAllResources();
            GetPieForUpdate().FadeIn();
            SetState(2);
        }
        break;
    case 2:
        WaitForLoading();
        if (IsLoaded() && GetStateTimer() >= kLoadingStep) {
            game.SetRenderingEnabled(true, RenderingDisable_Teleport);
            BeginUnDissolve(player);
            MoveCharacter();
            gEngine->SetTeleportMode(false);
            GetPieForUpdate().FadeOut();
            SetState(3);
        }
        break;
    case 3:
        if (GetStateTimer() > kFadeTime) {
            player.SetInvincible(false);
            SetState(4);
        }
        break;
    case 4:
        player.SetTeleporting(false);
        SetState(kFinishedState);
        break;
    default:
        break;
    }
}

} // namespace GAME
