#pragma once

#include "multiplayer/GameEngineServerServicesModuleBase.h"

#include <cstdint>
#include <memory>

namespace GAME {

// The server services of single player and of a network server: the authoritative player list
// and the game balance level that follows the number of players and the difficulty.
class GameEngineServerServicesModule : public GameEngineServerServicesModuleBase {
public:
    GameEngineServerServicesModule();
    ~GameEngineServerServicesModule() override;

    void Update(int ms) override;
    PlayerManagerServer* GetPlayerManager() override;
    // Merchants' markets are not served yet: there is no market server to find or refresh.
    MarketServer* GetMarketServer(uint32_t marketId) override;
    void ForceMarketRefresh(uint32_t marketId) override;

    int32_t GetBalanceLevel() const { return balanceLevel; }

private:
    std::unique_ptr<PlayerManagerServer> playerManager;
    int32_t balanceLevel = 0;
};

} // namespace GAME
