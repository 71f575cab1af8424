#pragma once

#include "core/EquationInterface.h"
#include "core/PlayerInfo.h"
#include "multiplayer/MarketItemStatus.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class DesignerEquation_Algebra;
class GameEngineNetworkInterface;
class GameEngineServerServicesModuleBase;

// The authoritative side of one merchant's market (the server, or the single player's own
// machine). It never holds items: a stock is named by the market record, a level bracket and a
// seed, from which every client rolls the same items in the same slots (see MarketClient.h).
// What the server keeps is the status of each slot, so that two buyers of one slot are told
// apart, and a timer that rolls a new seed now and then. A refresh makes every slot available
// again and changes the seed, which turns every request still carrying the old seed stale.
class MarketServer : public EquationInterface<float> {
public:
    static constexpr uint32_t kSlotLimit = 600;
    static constexpr int32_t kDefaultRefreshTime = 10; // milliseconds
    // A seed range of one value can never give a different seed: the last draw is taken.
    static constexpr int kNewSeedTries = 16;

    MarketServer(GameEngineServerServicesModuleBase* owner, uint32_t marketId);
    virtual ~MarketServer();
    MarketServer(const MarketServer&) = delete;
    MarketServer& operator=(const MarketServer&) = delete;

    // The market record of the merchant this market belongs to; nothing without that merchant.
    void LoadFromMerchant();
    // Reads the record (none when the name is empty) and always draws the timer.
    void Load();
    void SetMarketName(const std::string& name) { marketName = name; }
    void ForceRefresh() { refreshPending = true; }
    void Update(int32_t elapsedMs);

    void OnPurchaseRequest(uint32_t bracket, uint32_t seed, uint32_t slot, uint32_t playerId);
    void OnSellBack(uint32_t bracket, uint32_t seed, uint32_t slot, uint32_t playerId);
    void OnUpdateRequest();

    bool GetDesignerVariable(const char* name, float& value) override;
    uint32_t GetMarketPlayerLevel();
    // 1-based: the first threshold at or above the level; past them all, one more.
    uint32_t GetLevelBracket(uint32_t level) const;

    uint32_t GetMarketId() const { return marketId; }
    const std::string& GetMarketName() const { return marketName; }
    uint32_t GetBracket() const { return levelBracket; }
    uint32_t GetSeed() const { return stockSeed; }
    int32_t GetRefreshTimer() const { return refreshTimer; }
    bool IsRefreshPending() const { return refreshPending; }
    // Unstored slots count as available.
    MarketItemStatus GetSlotStatus(uint32_t slot) const;
    size_t GetStoredSlotCount() const { return slotStatuses.size(); }

private:
    GameEngineNetworkInterface* GetNetwork() const;
    bool IsCurrent(uint32_t bracket, uint32_t seed, uint32_t slot) const;
    int32_t DrawRefreshTime() const;
    void NewRandomSeed();
    void Refresh();
    void SendUpdate();

    GameEngineServerServicesModuleBase* owner;
    uint32_t slotLimit = kSlotLimit;
    uint32_t marketId;
    std::string marketName;
    uint32_t levelBracket = 0;
    std::vector<uint32_t> bracketThresholds;
    int32_t refreshTimeMin = kDefaultRefreshTime;
    int32_t refreshTimeMax = kDefaultRefreshTime;
    int32_t refreshTimer = 0;
    uint32_t stockSeed = 0;
    std::unique_ptr<DesignerEquation_Algebra> playerLevelEquation;
    PlayerInfo playerInfo;
    bool refreshPending = true;
    std::vector<MarketItemStatus> slotStatuses;
};

} // namespace GAME
