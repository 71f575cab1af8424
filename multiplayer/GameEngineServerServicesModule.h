#pragma once

#include "multiplayer/GameEngineServerServicesModuleBase.h"

#include <cstdint>
#include <map>
#include <memory>

namespace GAME {

// The server services of single player and of a network server: the authoritative player list,
// the game balance level that follows the number of players and the difficulty, and the market
// of every merchant a client asked about.
class GameEngineServerServicesModule : public GameEngineServerServicesModuleBase {
public:
    GameEngineServerServicesModule();
    ~GameEngineServerServicesModule() override;

    void Update(int ms) override;
    PlayerManagerServer* GetPlayerManager() override;
    // Made and loaded on the first request, but only for an id that names a merchant: a client
    // could otherwise have a market made for any number it sends.
    MarketServer* GetMarketServer(uint32_t marketId) override;
    // 0 flags every market; an id without a market changes nothing.
    void ForceMarketRefresh(uint32_t marketId) override;
    size_t GetMarketServerCount() const { return marketServers.size(); }

    int32_t GetBalanceLevel() const { return balanceLevel; }

private:
    std::unique_ptr<PlayerManagerServer> playerManager;
    std::map<uint32_t, std::unique_ptr<MarketServer>> marketServers;
    int32_t balanceLevel = 0;
};

} // namespace GAME
