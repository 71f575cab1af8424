#include "multiplayer/GameEngineClientServicesModule.h"

#include "items/MarketClient.h"
#include "multiplayer/PlayerManagerClient.h"

namespace GAME {

GameEngineClientServicesModule::GameEngineClientServicesModule()
    : playerManager(std::make_unique<PlayerManagerClient>())
{
    playerManager->SetClientServicesModule(this);
}

GameEngineClientServicesModule::~GameEngineClientServicesModule()
{
    // The markets go before the player manager they may still ask about the players.
    marketClients.clear();
}

void GameEngineClientServicesModule::SetNetworkInterfaceSlot(GameEngineNetworkInterface** slot)
{
    networkInterfaceSlot = slot;
}

void GameEngineClientServicesModule::Update(int ms)
{
    for (const auto& [id, market] : marketClients)
        market->Update(ms);
    playerManager->Update(ms);
}

PlayerManagerClient* GameEngineClientServicesModule::GetPlayerManagerClient()
{
    return playerManager.get();
}

GameEngineNetworkInterface* GameEngineClientServicesModule::GetNetworkInterface() const
{
    return networkInterfaceSlot != nullptr ? *networkInterfaceSlot : nullptr;
}

void GameEngineClientServicesModule::CreateMarketClient(uint32_t marketId)
{
    if (marketClients.count(marketId) == 0)
        marketClients.emplace(marketId, std::make_unique<MarketClient>(this, marketId));
}

void GameEngineClientServicesModule::DestroyMarketClient(uint32_t marketId)
{
    marketClients.erase(marketId);
}

MarketClient* GameEngineClientServicesModule::GetMarketClient(uint32_t marketId)
{
    const auto found = marketClients.find(marketId);
    return found != marketClients.end() ? found->second.get() : nullptr;
}

} // namespace GAME
