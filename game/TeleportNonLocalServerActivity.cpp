#include "game/TeleportNonLocalServerActivity.h"

#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldFrustum.h"
#include "game/GameEngine.h"

#include <utility>

namespace GAME {

namespace {

int32_t PlayerHost(uint32_t playerId)
{
    return static_cast<int32_t>(playerId >> 28);
}

} // namespace

TeleportNonLocalServerActivity::TeleportNonLocalServerActivity()
{
    auto loader = std::make_unique<NetworkRegionLoaderServer>();
    loader->AddLoadedListener(this);
    loader->Hold();
    SetRegionLoader(std::move(loader));
}

TeleportNonLocalServerActivity::~TeleportNonLocalServerActivity()
{
    // Ended before the move: the host must not stay blind for the rest of the game.
    if (frustumEntry) {
        const WorldFrustum frustum = frustumEntry->frustum;
        gEngine->GetNetworkEntityList().ReturnFrustumEntry(std::move(frustumEntry), frustum);
    }
}

void TeleportNonLocalServerActivity::AddStatisticText()
{
    gEngine->AddStatisticText("TeleportNonLocalServerActivity");
}

void TeleportNonLocalServerActivity::StartOutbound()
{
    const int32_t* at = GetIntegerDestination();
    GameEngine::Get().ServerPropegateTeleport(GetPlayerId(), at[0], at[1], at[2]);
}

void TeleportNonLocalServerActivity::OnRegionsLoaded()
{
    if (frustumStolen)
        MoveCharacter();
    else
        movePending = true;
}

void TeleportNonLocalServerActivity::StealFrustumEntry()
{
    frustumEntry =
        gEngine->GetNetworkEntityList().StealFrustumEntryOfHost(PlayerHost(GetPlayerId()));
    Player* player = GetPlayer();
    World* world = gEngine->GetWorld();
    if (player != nullptr && world != nullptr && player->IsInWorld())
        world->RemoveEntity(player);
    frustumStolen = true;
}

void TeleportNonLocalServerActivity::MoveCharacter()
{
    if (moved)
        return;
    movePending = false;
    moved = true;
    ReturnFrustumEntry();
    if (Player* player = GetPlayer())
        PlaceCharacterAtDestination(*player);
    gEngine->UpdateClientEntities(PlayerHost(GetPlayerId()));
    if (NetworkRegionLoaderServer* loader = GetServerLoader())
        loader->Release();
}

void TeleportNonLocalServerActivity::ReturnFrustumEntry()
{
    if (!frustumEntry)
        return;
    WorldFrustum frustum;
    GameEngine::Get().GetFrustumForPlayer(frustum, GetDestination());
    gEngine->GetNetworkEntityList().ReturnFrustumEntry(std::move(frustumEntry), frustum);
}

NetworkRegionLoaderServer* TeleportNonLocalServerActivity::GetServerLoader() const
{
    return static_cast<NetworkRegionLoaderServer*>(GetRegionLoader());
}

void TeleportNonLocalServerActivity::UpdateState()
{
    if (movePending && frustumStolen)
        MoveCharacter();
    Player& player = *GetPlayer();
    switch (GetState()) {
    case 0:
        Depart(player);
        break;
    case 1:
        if (GetStateTimer() > kFadeTime) {
            StealFrustumEntry();
            gEngine->SetTeleportMode(true);
            SetState(2);
        }
        break;
    case 2:
        WaitForLoading();
        if (IsLoaded()) {
            gEngine->SetTeleportMode(false);
            BeginUnDissolve(player);
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
