#pragma once

#include <cstdint>
#include <map>
#include <memory>

namespace GAME {

class GameEngineNetworkInterface;
class MarketClient;
class PlayerManagerClient;

// The client services, present in every role: the player list as the server describes it, the
// local player's heartbeat and the market of every merchant in the level.
class GameEngineClientServicesModule {
public:
    GameEngineClientServicesModule();
    virtual ~GameEngineClientServicesModule();
    GameEngineClientServicesModule(const GameEngineClientServicesModule&) = delete;
    GameEngineClientServicesModule& operator=(const GameEngineClientServicesModule&) = delete;

    // The address of GameEngine's current-interface pointer (see the server module).
    virtual void SetNetworkInterfaceSlot(GameEngineNetworkInterface** slot);
    virtual void Update(int ms);
    virtual PlayerManagerClient* GetPlayerManagerClient();

    PlayerManagerClient* GetPlayerManager() { return GetPlayerManagerClient(); }
    GameEngineNetworkInterface* GetNetworkInterface() const;

    // A second creation for one id keeps the first market.
    void CreateMarketClient(uint32_t marketId);
    void DestroyMarketClient(uint32_t marketId);
    MarketClient* GetMarketClient(uint32_t marketId);
    MarketClient* FindMarketClient(uint32_t marketId) { return GetMarketClient(marketId); }

private:
    GameEngineNetworkInterface** networkInterfaceSlot = nullptr;
    std::map<uint32_t, std::unique_ptr<MarketClient>> marketClients;
    std::unique_ptr<PlayerManagerClient> playerManager;
};

} // namespace GAME
