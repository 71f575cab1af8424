#include "multiplayer/GameEngineServerServicesModuleBase.h"

namespace GAME {

void GameEngineServerServicesModuleBase::SetNetworkInterfaceSlot(GameEngineNetworkInterface** slot)
{
    networkInterfaceSlot = slot;
}

void GameEngineServerServicesModuleBase::Update(int /*ms*/) {}

PlayerManagerServer* GameEngineServerServicesModuleBase::GetPlayerManager()
{
    return nullptr;
}

MarketServer* GameEngineServerServicesModuleBase::GetMarketServer(uint32_t /*marketId*/)
{
    return nullptr;
}

void GameEngineServerServicesModuleBase::ForceMarketRefresh(uint32_t /*marketId*/) {}

GameEngineNetworkInterface* GameEngineServerServicesModuleBase::GetNetworkInterface() const
{
    return networkInterfaceSlot != nullptr ? *networkInterfaceSlot : nullptr;
}

} // namespace GAME
