#include "multiplayer/GameEngineServerServicesModule.h"

#include "engine/Engine.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/PlayerManagerServer.h"

namespace GAME {

namespace {
// Each step of difficulty weighs as much as six more players.
constexpr int32_t kBalanceLevelsPerDifficulty = 6;
} // namespace

GameEngineServerServicesModule::GameEngineServerServicesModule()
    : playerManager(std::make_unique<PlayerManagerServer>())
{
    playerManager->SetServerServicesModule(this);
}

GameEngineServerServicesModule::~GameEngineServerServicesModule() = default;

void GameEngineServerServicesModule::Update(int ms)
{
    playerManager->Update(ms);

    const int32_t level =
        static_cast<int32_t>(playerManager->GetNumberOfPlayers()) +
        kBalanceLevelsPerDifficulty * static_cast<int32_t>(gEngine->GetGameInfo().GetDifficulty());
    if (level == balanceLevel)
        return;
    balanceLevel = level;
    if (GameEngineNetworkInterface* network = GetNetworkInterface())
        network->GameBalanceUpdate(level);
}

PlayerManagerServer* GameEngineServerServicesModule::GetPlayerManager()
{
    return playerManager.get();
}

MarketServer* GameEngineServerServicesModule::GetMarketServer(uint32_t /*marketId*/)
{
    return nullptr;
}

void GameEngineServerServicesModule::ForceMarketRefresh(uint32_t /*marketId*/) {}

} // namespace GAME
