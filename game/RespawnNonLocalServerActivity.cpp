#include "game/RespawnNonLocalServerActivity.h"

#include "engine/Engine.h"
#include "multiplayer/NetworkRegionLoaderServer.h"

namespace GAME {

RespawnNonLocalServerActivity::RespawnNonLocalServerActivity() = default;

RespawnNonLocalServerActivity::~RespawnNonLocalServerActivity() = default;

void RespawnNonLocalServerActivity::AddStatisticText()
{
    gEngine->AddStatisticText("RespawnNonLocalServerActivity");
}

void RespawnNonLocalServerActivity::CreateLoader()
{
    InstallLoader(std::make_unique<NetworkRegionLoaderServer>());
}

} // namespace GAME
