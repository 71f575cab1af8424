#include "items/MarketServer.h"

#include "characters/NpcMerchant.h"
#include "core/DesignerEquationLoader.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/MarketMiniMart.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEngineServerServicesModuleBase.h"

#include <cstring>

namespace GAME {

MarketServer::MarketServer(GameEngineServerServicesModuleBase* owner, uint32_t marketId)
    : owner(owner), marketId(marketId)
{}

MarketServer::~MarketServer() = default;

void MarketServer::LoadFromMerchant()
{
    const auto* merchant = ObjectManager::Instance().GetObject<NpcMerchant>(marketId);
    if (merchant == nullptr)
        return;
    marketName = merchant->GetMarketName();
    Load();
}

void MarketServer::Load()
{
    if (!marketName.empty()) {
        const LoadTable& record = LoadMarketRecord(marketName);
        refreshTimeMin = SaturateToInt(record.GetFloat("marketRefreshTimeMin", 0.0f));
        refreshTimeMax = SaturateToInt(record.GetFloat("marketRefreshTimeMax", 0.0f));
        std::vector<int32_t> thresholds;
        record.GetIntList("marketPlayerLevel", thresholds);
        bracketThresholds.assign(thresholds.begin(), thresholds.end());
        const std::string equationFile = record.GetString("marketPlayerLevelEquationFile", "");
        if (!equationFile.empty()) {
            playerLevelEquation =
                LoadDesignerEquation(LoadMarketRecord(equationFile), "playerLevelEquation", this,
                                     "-=- Market Equation load failure : %s");
        }
    }
    refreshTimer = DrawRefreshTime();
}

void MarketServer::Update(int32_t elapsedMs)
{
    const auto* merchant = ObjectManager::Instance().GetObject<NpcMerchant>(marketId);
    if (merchant != nullptr && merchant->IsChatting()) {
        refreshTimer = DrawRefreshTime();
        if (!refreshPending)
            return;
    }
    refreshTimer = AddSaturating(refreshTimer, elapsedMs == INT32_MIN ? INT32_MAX : -elapsedMs);
    if (refreshTimer > 0 && !refreshPending)
        return;
    refreshTimer = DrawRefreshTime();
    levelBracket = GetLevelBracket(GetMarketPlayerLevel());
    Refresh();
    refreshPending = false;
}

void MarketServer::OnPurchaseRequest(uint32_t bracket, uint32_t seed, uint32_t slot,
                                     uint32_t playerId)
{
    GameEngineNetworkInterface* network = GetNetwork();
    if (!IsCurrent(bracket, seed, slot)) {
        if (network != nullptr)
            network->S2C_MarketPurchaseDenied(marketId, slot, playerId, MarketItemStatus(0));
        return;
    }
    if (slot >= slotStatuses.size())
        slotStatuses.resize(size_t(slot) + 1, MarketItemStatus_Available);
    MarketItemStatus& status = slotStatuses[slot];
    if (status != MarketItemStatus_Available) {
        if (network != nullptr)
            network->S2C_MarketPurchaseDenied(marketId, slot, playerId, status);
        return;
    }
    status = MarketItemStatus_Sold;
    if (network != nullptr)
        network->S2C_MarketPurchaseConfirmation(marketId, slot, playerId);
}

void MarketServer::OnSellBack(uint32_t bracket, uint32_t seed, uint32_t slot, uint32_t /*playerId*/)
{
    if (!IsCurrent(bracket, seed, slot) || GetSlotStatus(slot) != MarketItemStatus_Sold)
        return;
    slotStatuses[slot] = MarketItemStatus_Available;
    if (GameEngineNetworkInterface* network = GetNetwork())
        network->S2C_MarketItemStatusUpdate(marketId, slot, MarketItemStatus_Available);
}

void MarketServer::OnUpdateRequest()
{
    // A pending refresh sends the update anyway.
    if (!refreshPending)
        SendUpdate();
}

bool MarketServer::GetDesignerVariable(const char* name, float& value)
{
    static constexpr struct {
        const char* name;
        uint32_t PlayerInfo::*field;
    } kVariables[] = {
        {"averagePlayerLevel", &PlayerInfo::averagePlayerLevel},
        {"minPlayerLevel", &PlayerInfo::minPlayerLevel},
        {"maxPlayerLevel", &PlayerInfo::maxPlayerLevel},
        {"numberOfPlayers", &PlayerInfo::numberOfPlayers},
        {"gameDifficulty", &PlayerInfo::gameDifficulty},
    };
    for (const auto& variable : kVariables) {
        if (name != nullptr && std::strcmp(name, variable.name) == 0) {
            value = static_cast<float>(playerInfo.*variable.field);
            return true;
        }
    }
    value = 0.0f;
    return false;
}

uint32_t MarketServer::GetMarketPlayerLevel()
{
    GameEngine::Get().GetPlayerInfo(playerInfo);
    if (playerLevelEquation)
        return SaturateToUInt((*playerLevelEquation)());
    return playerInfo.maxPlayerLevel;
}

uint32_t MarketServer::GetLevelBracket(uint32_t level) const
{
    for (size_t i = 0; i < bracketThresholds.size(); ++i) {
        if (level <= bracketThresholds[i])
            return static_cast<uint32_t>(i + 1);
    }
    return static_cast<uint32_t>(bracketThresholds.size() + 1);
}

MarketItemStatus MarketServer::GetSlotStatus(uint32_t slot) const
{
    return slot < slotStatuses.size() ? slotStatuses[slot] : MarketItemStatus_Available;
}

GameEngineNetworkInterface* MarketServer::GetNetwork() const
{
    return owner != nullptr ? owner->GetNetworkInterface() : nullptr;
}

bool MarketServer::IsCurrent(uint32_t bracket, uint32_t seed, uint32_t slot) const
{
    return slot < slotLimit && bracket == levelBracket && seed == stockSeed;
}

int32_t MarketServer::DrawRefreshTime() const
{
    return GameEngine::Get().GetRandomGen().IGenerate(refreshTimeMin, refreshTimeMax);
}

void MarketServer::NewRandomSeed()
{
    uint32_t seed = stockSeed;
    for (int attempt = 0; attempt < kNewSeedTries && seed == stockSeed; ++attempt)
        seed = static_cast<uint32_t>(GameEngine::Get().GetRandomSeed());
    stockSeed = seed;
}

void MarketServer::Refresh()
{
    slotStatuses.clear();
    NewRandomSeed();
    SendUpdate();
}

void MarketServer::SendUpdate()
{
    std::vector<uint32_t> soldSlots;
    for (size_t slot = 0; slot < slotStatuses.size(); ++slot) {
        if (slotStatuses[slot] != MarketItemStatus_Available)
            soldSlots.push_back(static_cast<uint32_t>(slot));
    }
    if (GameEngineNetworkInterface* network = GetNetwork())
        network->S2C_MarketUpdate(marketId, marketName, levelBracket, stockSeed, soldSlots);
}

} // namespace GAME
