#include "multiplayer/GameEngineClientServicesModule.h"

#include "multiplayer/PlayerManagerClient.h"

namespace GAME {

GameEngineClientServicesModule::GameEngineClientServicesModule()
    : playerManager(std::make_unique<PlayerManagerClient>())
{
    playerManager->SetClientServicesModule(this);
}

GameEngineClientServicesModule::~GameEngineClientServicesModule() = default;

void GameEngineClientServicesModule::SetNetworkInterfaceSlot(GameEngineNetworkInterface** slot)
{
    networkInterfaceSlot = slot;
}

void GameEngineClientServicesModule::Update(int ms)
{
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

void GameEngineClientServicesModule::CreateMarketClient(uint32_t /*marketId*/) {}

void GameEngineClientServicesModule::DestroyMarketClient(uint32_t /*marketId*/) {}

MarketClient* GameEngineClientServicesModule::GetMarketClient(uint32_t /*marketId*/)
{
    return nullptr;
}

} // namespace GAME
