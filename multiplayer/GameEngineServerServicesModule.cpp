#include "multiplayer/GameEngineServerServicesModule.h"

#include "characters/NpcMerchant.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "items/MarketServer.h"
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

GameEngineServerServicesModule::~GameEngineServerServicesModule()
{
    marketServers.clear();
}

void GameEngineServerServicesModule::Update(int ms)
{
    playerManager->Update(ms);

    const int32_t level =
        static_cast<int32_t>(playerManager->GetNumberOfPlayers()) +
        kBalanceLevelsPerDifficulty * static_cast<int32_t>(gEngine->GetGameInfo().GetDifficulty());
    if (level != balanceLevel) {
        balanceLevel = level;
        if (GameEngineNetworkInterface* network = GetNetworkInterface())
            network->GameBalanceUpdate(level);
    }
    for (const auto& [id, market] : marketServers)
        market->Update(ms);
}

PlayerManagerServer* GameEngineServerServicesModule::GetPlayerManager()
{
    return playerManager.get();
}

MarketServer* GameEngineServerServicesModule::GetMarketServer(uint32_t marketId)
{
    const auto found = marketServers.find(marketId);
    if (found != marketServers.end())
        return found->second.get();
    if (ObjectManager::Instance().GetObject<NpcMerchant>(marketId) == nullptr)
        return nullptr;
    auto market = std::make_unique<MarketServer>(this, marketId);
    market->LoadFromMerchant();
    return marketServers.emplace(marketId, std::move(market)).first->second.get();
}

void GameEngineServerServicesModule::ForceMarketRefresh(uint32_t marketId)
{
    for (const auto& [id, market] : marketServers) {
        if (marketId == 0 || id == marketId)
            market->ForceRefresh();
    }
}

} // namespace GAME
