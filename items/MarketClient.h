#pragma once

#include "engine/Vec2.h"
#include "items/InventorySack.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/MarketItemStatus.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace GAME {

class GameEngineClientServicesModule;
class GameEngineNetworkInterface;
class LoadTable;
class MarketMiniMart;
class MarketMisc_Static;
class Player;
class RandomUniform;
struct GameTextLine;

// One stock slot as a player's machine sees it: the item on display, its price and status,
// and whether the local player bought it during this visit.
struct MarketStockEntry {
    uint32_t slot = 0;
    uint32_t itemId = 0;
    MarketItemStatus status = MarketItemStatus_Available;
    uint32_t cost = 0;
    bool bought = false;
    ItemReplicaInfo replica;
};

// What a player's machine knows of one merchant's market.
//
// The stock never travels. The server sends a market record, a level bracket and a seed; the
// client seeds a generator with it and lets the fourteen stock categories roll in their fixed
// order, so every machine queues the same items in the same order, and the slot of an item is
// simply its place in that queue. The potions and the static goods are extras of each machine:
// they take no slot and draw from the game's own generator. Items are made from the queues one
// of each per frame, so a rebuild never stalls a frame.
//
// A purchase from the stock is asked of the server (the slot goes pending) and completes when
// the confirmation arrives; a purchase of a static good or of something the player sold here
// completes at once. Selling back a copy bought in this visit refunds its price and frees the
// slot on the server; anything else sells at the depreciated price and is shown in the fifth
// sack. Closing the market ends the visit.
class MarketClient {
public:
    static constexpr int kSackCount = 5;
    // Market_TypeEnum 5 names no category: it stands for the sack of what the player sold.
    static constexpr int32_t kSoldSackType = 5;
    static constexpr int32_t kSackPixelWidth = 256;
    static constexpr int32_t kSackPixelHeight = 448;

    MarketClient(GameEngineClientServicesModule* owner, uint32_t marketId);
    ~MarketClient();
    MarketClient(const MarketClient&) = delete;
    MarketClient& operator=(const MarketClient&) = delete;

    // The market record's own keys.
    void Load();
    // The pending update request, then at most one queued item of each queue. The frame time
    // is not needed.
    void Update(int ms);

    // From the server.
    void S2C_MarketUpdate(const std::string& name, uint32_t bracket, uint32_t seed,
                          const std::vector<uint32_t>& soldSlots);
    void S2C_MarketPurchaseConfirmation(uint32_t slot, uint32_t buyerId);
    void S2C_MarketPurchaseDenied(uint32_t slot, uint32_t buyerId, MarketItemStatus status);
    void S2C_MarketItemStatusUpdate(uint32_t slot, MarketItemStatus status);

    // From the stock categories.
    void QueueMiniMartItem(Market_TypeEnum type, const ItemReplicaInfo& replica);
    void QueueStaticItem(Market_TypeEnum type, const ItemReplicaInfo& replica);

    // For the user interface.
    void Open(Market_TypeEnum& type, const Vec2& ids);
    void Close();
    // Types 1-4 and the sold items' 5; null for any other.
    InventorySack* GetInventorySack(int32_t type);
    const InventorySack* GetInventorySack(int32_t type) const;
    // 0 for an item not listed here.
    MarketItemStatus GetItemStatus(uint32_t itemId) const;
    uint32_t GetItemCost(uint32_t itemId) const;
    bool IsItemAffordable(uint32_t itemId) const;
    bool PlayerPurchaseRequest(uint32_t itemId);
    bool PlayerSaleRequest(uint32_t itemId, bool silent);
    // What this market pays for the player's item; 0 when it does not buy it.
    uint32_t GetSalePrice(uint32_t itemId) const;
    void CreateUIPlayerBuyText(uint32_t itemId, std::vector<GameTextLine>& lines) const;
    void CreateUIPlayerSellText(uint32_t itemId, std::vector<GameTextLine>& lines) const;

    uint32_t GetMarketId() const { return marketId; }
    const std::string& GetMarketName() const { return marketName; }
    uint32_t GetBracket() const { return levelBracket; }
    uint32_t GetSeed() const { return stockSeed; }
    const std::vector<MarketStockEntry>& GetStockEntries() const { return stockEntries; }
    const std::vector<MarketStockEntry>& GetStaticEntries() const { return staticEntries; }
    const std::vector<MarketStockEntry>& GetSoldEntries() const { return soldEntries; }
    // Copies bought from the stock in this visit, each with the displayed item it copies.
    const std::map<uint32_t, uint32_t>& GetBoughtItems() const { return boughtItems; }
    // The newest copy bought of the displayed item in this visit; 0 when none.
    uint32_t GetBoughtCopy(uint32_t displayedId) const;
    size_t GetQueuedItemCount() const { return miniMartQueue.size() + staticQueue.size(); }
    uint32_t GetBuyPrice(uint32_t cost) const;
    const Vec2& GetOpenIds() const { return openIds; }

private:
    struct QueuedItem {
        Market_TypeEnum type;
        ItemReplicaInfo replica;
    };
    enum class EntryList { None, Stock, Static, Sold };
    struct Found {
        EntryList list = EntryList::None;
        MarketStockEntry* entry = nullptr;
    };

    GameEngineNetworkInterface* GetNetwork() const;
    Player* GetMainPlayer() const;
    uint32_t GetMainPlayerId() const;
    void RefreshStock(RandomUniform& rng);
    void ClearStock();
    void DestroyEntries(std::vector<MarketStockEntry>& entries);
    void CreateQueuedItem(std::deque<QueuedItem>& queue, bool isStatic);
    int SackIndexOf(const Item& item, bool isStatic) const;
    Found Find(uint32_t itemId);
    const MarketStockEntry* FindEntry(uint32_t itemId) const;
    bool IsSoldEntry(uint32_t itemId) const;
    MarketStockEntry* FindSlot(uint32_t slot);
    // The stock entry a purchased copy stands for, while it is marked bought; null otherwise.
    const MarketStockEntry* FindBoughtEntry(uint32_t copyId) const;
    // Takes the money and asks for a copy at the main player; the copy's id.
    uint32_t CompletePurchase(const ItemReplicaInfo& replica, uint32_t cost);
    void RemoveSoldEntry(uint32_t itemId);
    void KeepSoldItem(const Item& item, uint32_t price);
    void ShowError(const char* tag) const;

    GameEngineClientServicesModule* owner;
    uint32_t marketId;
    std::string marketName;
    uint32_t levelBracket = 0;
    uint32_t stockSeed = 0;
    std::vector<MarketStockEntry> stockEntries;
    std::vector<MarketStockEntry> staticEntries;
    std::vector<MarketStockEntry> soldEntries;
    std::map<uint32_t, uint32_t> boughtItems;
    std::map<uint32_t, uint32_t> staticPurchases;
    // The fifteen categories: the fourteen seeded ones in their rolling order, then the static.
    std::vector<std::unique_ptr<MarketMiniMart>> categories;
    MarketMisc_Static* staticCategory = nullptr;
    std::string healthPotionRecord;
    std::string manaPotionRecord;
    bool updateRequestPending = true;
    std::array<InventorySack, kSackCount> sacks;
    float marketCostAdjustment = 0.0f;
    float marketDepreciation = 0.0f;
    int32_t maxPlayerPurchase = 0;
    std::deque<QueuedItem> miniMartQueue;
    std::deque<QueuedItem> staticQueue;
    std::set<uint32_t> soldSlots;
    Vec2 openIds;
};

} // namespace GAME
