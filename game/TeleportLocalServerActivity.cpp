#include "game/TeleportLocalServerActivity.h"

#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/PieOmatic.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "multiplayer/NetworkRegionLoaderOwnPlayer.h"

namespace GAME {

TeleportLocalServerActivity::TeleportLocalServerActivity()
{
    SetRegionLoader(std::make_unique<NetworkRegionLoaderOwnPlayer>());
    GameEngine::Get().LockMouse();
}

TeleportLocalServerActivity::~TeleportLocalServerActivity()
{
    if (gGameEngine != nullptr)
        gGameEngine->UnlockMouse();
}

void TeleportLocalServerActivity::AddStatisticText()
{
    gEngine->AddStatisticText("TeleportLocalServerActivity");
}

void TeleportLocalServerActivity::StartOutbound()
{
    const int32_t* at = GetIntegerDestination();
    GameEngine::Get().StoC_StartTeleportOutbound(GetPlayerId(), at[0], at[1], at[2]);
    RaiseNeedsSleep();
}

void TeleportLocalServerActivity::MoveCharacter()
{
    Player* player = GetPlayer();
    World* world = gEngine->GetWorld();
    if (player == nullptr || world == nullptr || !GetDestination().HasRegion())
        return;
    world->SetCoords(player, WorldCoords(GetDestination()));
}

void TeleportLocalServerActivity::UpdateState()
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
        if (!IsLoaded() && IsLoaderDone()) {
            WaitForLoading();
            // The server's own world must run again at once; only the picture waits.
            gEngine->SetTeleportMode(false);
        }
        if (IsLoaded() && GetStateTimer() >= kLoadingStep) {
            MoveCharacter();
            game.SetRenderingEnabled(true, RenderingDisable_Teleport);
            BeginUnDissolve(player);
            GetPieForUpdate().FadeOut();
            SetState(3);
        }
        break;
    case 3:
        if (GetStateTimer() > kFadeTime) {
            player.SetInvincible(false);
            player.SetTeleporting(false);
            SetState(kFinishedState);
        }
        break;
    default:
        break;
    }
}

} // namespace GAME
