#pragma once

#include <cstdint>

namespace GAME {

class GameEngineNetworkInterface;
class MarketServer;
class PlayerManagerServer;

// The server services of a network client: there is no authority here, so the module owns
// nothing, runs nothing and answers every question with nothing.
class GameEngineServerServicesModuleBase {
public:
    GameEngineServerServicesModuleBase() = default;
    virtual ~GameEngineServerServicesModuleBase() = default;
    GameEngineServerServicesModuleBase(const GameEngineServerServicesModuleBase&) = delete;
    GameEngineServerServicesModuleBase&
    operator=(const GameEngineServerServicesModuleBase&) = delete;

    // The address of GameEngine's current-interface pointer, so that a change of role reaches
    // the module without telling it.
    virtual void SetNetworkInterfaceSlot(GameEngineNetworkInterface** slot);
    virtual void Update(int ms);
    virtual PlayerManagerServer* GetPlayerManager();
    virtual MarketServer* GetMarketServer(uint32_t marketId);
    virtual void ForceMarketRefresh(uint32_t marketId);

    PlayerManagerServer* GetPlayerManagerServer() { return GetPlayerManager(); }
    // The interface the slot points to now; null before the slot is set.
    GameEngineNetworkInterface* GetNetworkInterface() const;

private:
    GameEngineNetworkInterface** networkInterfaceSlot = nullptr;
};

} // namespace GAME
