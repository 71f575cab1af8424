#include "game/RespawnLocalServerActivity.h"

#include "engine/Engine.h"
#include "game/GameEngine.h"
#include "multiplayer/NetworkRegionLoaderOwnPlayer.h"

namespace GAME {

RespawnLocalServerActivity::RespawnLocalServerActivity()
{
    GameEngine::Get().LockMouse();
}

RespawnLocalServerActivity::~RespawnLocalServerActivity()
{
    if (gGameEngine != nullptr)
        gGameEngine->UnlockMouse();
}

void RespawnLocalServerActivity::AddStatisticText()
{
    gEngine->AddStatisticText("RespawnLocalServerActivity");
}

void RespawnLocalServerActivity::CreateLoader()
{
    InstallLoader(std::make_unique<NetworkRegionLoaderOwnPlayer>());
}

} // namespace GAME
