#include "items/MarketClient.h"

#include "characters/Player.h"
#include "core/RandomUniform.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/Rect.h"
#include "game/GameEngine.h"
#include "items/MarketArmor.h"
#include "items/MarketMiniMart.h"
#include "items/MarketMisc.h"
#include "items/MarketWeapon.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineNetworkInterface.h"

#include <utility>

namespace GAME {

namespace {

constexpr const char* kMarketClientSource = "Project/Game/MarketClient";

template <class Category> std::unique_ptr<MarketMiniMart> Make()
{
    return std::make_unique<Category>();
}

} // namespace

MarketClient::MarketClient(GameEngineClientServicesModule* owner, uint32_t marketId)
    : owner(owner), marketId(marketId)
{
    categories.push_back(Make<MarketWeapon_Axe>());
    categories.push_back(Make<MarketWeapon_Bow>());
    categories.push_back(Make<MarketWeapon_Mace>());
    categories.push_back(Make<MarketWeapon_Spear>());
    categories.push_back(Make<MarketWeapon_Staff>());
    categories.push_back(Make<MarketWeapon_Sword>());
    categories.push_back(Make<MarketArmor_Armband>());
    categories.push_back(Make<MarketArmor_BodyArmor>());
    categories.push_back(Make<MarketArmor_Greaves>());
    categories.push_back(Make<MarketArmor_Helm>());
    categories.push_back(Make<MarketArmor_Shield>());
    categories.push_back(Make<MarketMisc_Ring>());
    categories.push_back(Make<MarketMisc_Bracelet>());
    categories.push_back(Make<MarketMisc_Amulet>());
    auto staticGoods = std::make_unique<MarketMisc_Static>();
    staticCategory = staticGoods.get();
    categories.push_back(std::move(staticGoods));
    for (const auto& category : categories)
        category->SetMarket(this);

    Rect size(0.0f, 0.0f, float(kSackPixelWidth), float(kSackPixelHeight));
    const GraphicsEngine& graphics = GraphicsEngine::Instance();
    if (graphics.IsDownsizing())
        graphics.GetResAdjRect(Rect(size), size);
    for (InventorySack& sack : sacks)
        sack.SetDims(static_cast<int32_t>(size.width), static_cast<int32_t>(size.height));
}

MarketClient::~MarketClient()
{
    ClearStock();
}

void MarketClient::Load()
{
    const LoadTable& record = LoadMarketRecord(marketName);
    healthPotionRecord = record.GetString("marketHealthPotion", "");
    manaPotionRecord = record.GetString("marketManaPotion", "");
    marketCostAdjustment = record.GetFloat("marketCostAdjustment", 0.0f);
    marketDepreciation = record.GetFloat("marketDepreciation", 0.0f);
    maxPlayerPurchase = record.GetInt("maxPlayerPurchase", 0);
}

void MarketClient::Update(int /*ms*/)
{
    if (updateRequestPending) {
        updateRequestPending = false;
        if (GameEngineNetworkInterface* network = GetNetwork())
            network->C2S_MarketUpdateRequest(marketId);
    }
    CreateQueuedItem(miniMartQueue, false);
    CreateQueuedItem(staticQueue, true);
}

void MarketClient::S2C_MarketUpdate(const std::string& name, uint32_t bracket, uint32_t seed,
                                    const std::vector<uint32_t>& sold)
{
    if (name == marketName && bracket == levelBracket && seed == stockSeed) {
        for (MarketStockEntry& entry : stockEntries) {
            if (entry.status == MarketItemStatus_Sold)
                entry.status = MarketItemStatus_Available;
        }
        for (uint32_t slot : sold) {
            if (MarketStockEntry* entry = FindSlot(slot))
                entry->status = MarketItemStatus_Sold;
        }
        soldSlots.clear();
        soldSlots.insert(sold.begin(), sold.end());
        return;
    }
    marketName = name;
    levelBracket = bracket;
    stockSeed = seed;
    RandomUniform rng;
    rng.Seed(seed);
    Load();
    RefreshStock(rng);
    soldSlots.clear();
    soldSlots.insert(sold.begin(), sold.end());
}

void MarketClient::S2C_MarketPurchaseConfirmation(uint32_t slot, uint32_t buyerId)
{
    MarketStockEntry* entry = FindSlot(slot);
    if (entry == nullptr)
        return;
    entry->status = MarketItemStatus_Sold;
    if (buyerId == 0 || buyerId != GetMainPlayerId())
        return;
    entry->bought = true;
    const uint32_t displayed = entry->itemId;
    boughtItems[CompletePurchase(entry->replica, entry->cost)] = displayed;
}

void MarketClient::S2C_MarketPurchaseDenied(uint32_t slot, uint32_t buyerId,
                                            MarketItemStatus status)
{
    MarketStockEntry* entry = FindSlot(slot);
    if (entry == nullptr)
        return;
    entry->status = status;
    if (buyerId != 0 && buyerId == GetMainPlayerId())
        ShowError("tagMarketError03");
}

void MarketClient::S2C_MarketItemStatusUpdate(uint32_t slot, MarketItemStatus status)
{
    if (MarketStockEntry* entry = FindSlot(slot))
        entry->status = status;
}

void MarketClient::QueueMiniMartItem(Market_TypeEnum type, const ItemReplicaInfo& replica)
{
    miniMartQueue.push_back({type, replica});
}

void MarketClient::QueueStaticItem(Market_TypeEnum type, const ItemReplicaInfo& replica)
{
    staticQueue.push_back({type, replica});
}

void MarketClient::RefreshStock(RandomUniform& rng)
{
    ClearStock();
    // Items still queued from the old stock would take the new stock's slot numbers.
    miniMartQueue.clear();
    staticQueue.clear();
    if (marketName.empty())
        return;
    for (const std::string* potion : {&healthPotionRecord, &manaPotionRecord}) {
        if (potion->empty())
            continue;
        ItemReplicaInfo replica;
        replica.baseName = *potion;
        replica.seed = static_cast<uint32_t>(GameEngine::Get().GetRandomSeed());
        QueueStaticItem(Market_UsedAndStaticMisc, replica);
    }
    const LoadTable& record = LoadMarketRecord(marketName);
    staticCategory->Refresh(record, levelBracket, GameEngine::Get().GetRandomGen());
    for (const auto& category : categories) {
        if (category.get() != staticCategory)
            category->Refresh(record, levelBracket, rng);
    }
}

void MarketClient::ClearStock()
{
    boughtItems.clear();
    staticPurchases.clear();
    for (InventorySack& sack : sacks)
        sack.RemoveAllItems();
    DestroyEntries(stockEntries);
    DestroyEntries(staticEntries);
    DestroyEntries(soldEntries);
}

void MarketClient::DestroyEntries(std::vector<MarketStockEntry>& entries)
{
    ObjectManager& objects = ObjectManager::Instance();
    for (const MarketStockEntry& entry : entries)
        objects.DestroyObjectEx(objects.GetObject<Item>(entry.itemId), kMarketClientSource,
                                __LINE__);
    entries.clear();
}

void MarketClient::CreateQueuedItem(std::deque<QueuedItem>& queue, bool isStatic)
{
    if (queue.empty())
        return;
    const QueuedItem queued = std::move(queue.front());
    queue.pop_front();
    Item* item = Item::CreateItem(queued.replica);
    if (item == nullptr)
        return;
    sacks[size_t(SackIndexOf(*item, isStatic))].AddItem(item, true);
    std::vector<MarketStockEntry>& entries = isStatic ? staticEntries : stockEntries;
    MarketStockEntry entry;
    entry.slot = static_cast<uint32_t>(entries.size());
    entry.itemId = item->GetObjectId();
    entry.cost = GetBuyPrice(item->GetItemCost(false));
    entry.replica = queued.replica;
    if (!isStatic && soldSlots.erase(entry.slot) != 0)
        entry.status = MarketItemStatus_Sold;
    entries.push_back(std::move(entry));
}

int MarketClient::SackIndexOf(const Item& item, bool isStatic) const
{
    static constexpr int kGeneralSack = 3;
    if (isStatic)
        return kGeneralSack;
    switch (item.GetItemMarketType()) {
    case Market_MeleeWeapons:
        return 0;
    case Market_RangedWeapons:
        return 1;
    case Market_Armor:
        return 2;
    default:
        return kGeneralSack;
    }
}

InventorySack* MarketClient::GetInventorySack(int32_t type)
{
    return const_cast<InventorySack*>(std::as_const(*this).GetInventorySack(type));
}

const InventorySack* MarketClient::GetInventorySack(int32_t type) const
{
    switch (type) {
    case Market_MeleeWeapons:
        return &sacks[0];
    case Market_RangedWeapons:
        return &sacks[1];
    case Market_Armor:
        return &sacks[2];
    case Market_General:
        return &sacks[3];
    case kSoldSackType:
        return &sacks[4];
    default:
        return nullptr;
    }
}

MarketStockEntry* MarketClient::FindSlot(uint32_t slot)
{
    return slot < stockEntries.size() ? &stockEntries[slot] : nullptr;
}

GameEngineNetworkInterface* MarketClient::GetNetwork() const
{
    return owner != nullptr ? owner->GetNetworkInterface() : nullptr;
}

Player* MarketClient::GetMainPlayer() const
{
    return gGameEngine != nullptr ? gGameEngine->GetMainPlayer() : nullptr;
}

uint32_t MarketClient::GetMainPlayerId() const
{
    const Player* player = GetMainPlayer();
    return player != nullptr ? player->GetObjectId() : 0;
}

} // namespace GAME
