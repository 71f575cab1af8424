#pragma once

#include "items/Item.h"
#include "items/ItemReplicaInfo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;
class LootBase;
class MarketClient;
class RandomUniform;

// A market record (or the record a market names), loaded on first use; an empty table for a
// name that loads nothing.
const LoadTable& LoadMarketRecord(const std::string& name);

// One category of a merchant's stock (axes, helms, rings, ...). Every machine rolls it from
// the same seeded generator in the same order of draws, so the categories must draw exactly
// alike whatever they find in the record: the count is drawn even when no table follows, and a
// try that repeats an item still spends its draws.
class MarketMiniMart {
public:
    // A count past this is a damaged record: every client would roll for ever.
    static constexpr int32_t kMaxItems = 600;
    static constexpr int kLoadTries = 5;
    static constexpr int kLootDepth = 5;

    MarketMiniMart() = default;
    virtual ~MarketMiniMart() = default;
    MarketMiniMart(const MarketMiniMart&) = delete;
    MarketMiniMart& operator=(const MarketMiniMart&) = delete;

    // Virtual operations, in the order of their slots.
    virtual void Refresh(const LoadTable& marketRecord, uint32_t bracket, RandomUniform& rng);
    virtual void LoadItem(LootBase* table, RandomUniform& rng);
    virtual bool IsUnique(const std::string& base, const std::string& prefix,
                          const std::string& suffix) const;
    virtual void UploadItems();
    virtual int32_t GetNumItemsMin(const LoadTable& marketRecord) const = 0;
    virtual int32_t GetNumItemsMax(const LoadTable& marketRecord) const = 0;
    virtual std::string GetTableName(const LoadTable& marketRecord, uint32_t bracket) const = 0;
    virtual Market_TypeEnum GetMarketType() const = 0;

    void SetMarket(MarketClient* owner) { market = owner; }
    const std::vector<ItemReplicaInfo>& GetPendingItems() const { return pendingItems; }

protected:
    MarketClient* market = nullptr;
    std::vector<ItemReplicaInfo> pendingItems;
};

// A category that reads its counts and its tables under its kind's own keys: "marketNumAxeMin",
// "marketNumAxeMax" and "marketAxeTable" followed by the level bracket.
class MarketMiniMart_Keyed : public MarketMiniMart {
public:
    MarketMiniMart_Keyed(const char* kind, Market_TypeEnum type);

    int32_t GetNumItemsMin(const LoadTable& marketRecord) const override;
    int32_t GetNumItemsMax(const LoadTable& marketRecord) const override;
    std::string GetTableName(const LoadTable& marketRecord, uint32_t bracket) const override;
    Market_TypeEnum GetMarketType() const override { return type; }

private:
    std::string minKey;
    std::string maxKey;
    std::string tablePrefix;
    Market_TypeEnum type;
};

// The used-item categories: no count, no table; they still draw their count.
class MarketMiniMart_Used : public MarketMiniMart {
public:
    explicit MarketMiniMart_Used(Market_TypeEnum type) : type(type) {}

    int32_t GetNumItemsMin(const LoadTable&) const override { return 0; }
    int32_t GetNumItemsMax(const LoadTable&) const override { return 0; }
    std::string GetTableName(const LoadTable&, uint32_t) const override { return {}; }
    Market_TypeEnum GetMarketType() const override { return type; }

private:
    Market_TypeEnum type;
};

} // namespace GAME
