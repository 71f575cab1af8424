#include "game/RespawnLocalClientActivity.h"

#include "engine/Engine.h"
#include "game/GameEngine.h"
#include "multiplayer/NetworkRegionLoaderClient.h"

namespace GAME {

RespawnLocalClientActivity::RespawnLocalClientActivity()
{
    GameEngine::Get().LockMouse();
}

RespawnLocalClientActivity::~RespawnLocalClientActivity()
{
    if (gGameEngine != nullptr)
        gGameEngine->UnlockMouse();
}

void RespawnLocalClientActivity::AddStatisticText()
{
    gEngine->AddStatisticText("RespawnLocalClientActivity");
}

void RespawnLocalClientActivity::CreateLoader()
{
    InstallLoader(std::make_unique<NetworkRegionLoaderClient>());
}

} // namespace GAME
