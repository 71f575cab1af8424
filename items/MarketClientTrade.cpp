#include "items/MarketClient.h"

#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/GameTextLine.h"
#include "core/Saturate.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "multiplayer/GameEngineNetworkInterface.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace GAME {

namespace {

constexpr const char* kMarketClientTradeSource = "Project/Game/MarketClientTrade";

// c + trunc(c * percent / 100), never wrapping: a price percentage is a designer's figure.
uint32_t AddPercent(uint32_t value, float percent)
{
    const double base = value;
    return SaturateToUInt(base + std::trunc(base * percent * 0.01));
}

size_t ItemCount(const InventorySack* sack)
{
    return sack != nullptr ? sack->GetInventory().size() : 0;
}

void AddTradeLine(std::vector<GameTextLine>& lines, const std::wstring& text)
{
    lines.emplace_back(GameTextClass::Default, text, false);
}

} // namespace

uint32_t MarketClient::GetBuyPrice(uint32_t cost) const
{
    return AddPercent(cost, marketCostAdjustment);
}

void MarketClient::Open(Market_TypeEnum& type, const Vec2& ids)
{
    openIds = ids;
    if (ItemCount(GetInventorySack(type)) != 0)
        return;
    Market_TypeEnum best = Market_General;
    for (Market_TypeEnum next : {Market_MeleeWeapons, Market_RangedWeapons, Market_Armor}) {
        if (ItemCount(GetInventorySack(next)) > ItemCount(GetInventorySack(best)))
            best = next;
    }
    type = best;
}

void MarketClient::Close()
{
    for (MarketStockEntry& entry : stockEntries)
        entry.bought = false;
    staticPurchases.clear();
}

MarketItemStatus MarketClient::GetItemStatus(uint32_t itemId) const
{
    const MarketStockEntry* entry = FindEntry(itemId);
    return entry != nullptr ? entry->status : MarketItemStatus(0);
}

uint32_t MarketClient::GetItemCost(uint32_t itemId) const
{
    const MarketStockEntry* entry = FindEntry(itemId);
    return entry != nullptr ? entry->cost : 0;
}

bool MarketClient::IsItemAffordable(uint32_t itemId) const
{
    const Player* player = GetMainPlayer();
    const uint32_t cost = GetItemCost(itemId);
    return GetItemStatus(itemId) == MarketItemStatus_Available && cost != 0 && player != nullptr &&
           cost <= player->GetCurrentMoney();
}

bool MarketClient::PlayerPurchaseRequest(uint32_t itemId)
{
    if (GetItemStatus(itemId) != MarketItemStatus_Available) {
        ShowError("tagMarketError03");
        return false;
    }
    if (!IsItemAffordable(itemId)) {
        ShowError("tagMarketError01");
        return false;
    }
    Player* player = GetMainPlayer();
    const Item* item = ObjectManager::Instance().GetObject<Item>(itemId);
    if (item == nullptr || !player->IsInventorySpaceAvailable(item)) {
        player->PlayInventoryFullSound();
        ShowError("tagMarketError02");
        return false;
    }
    const Found found = Find(itemId);
    MarketStockEntry& entry = *found.entry;
    switch (found.list) {
    case EntryList::Stock:
        entry.status = MarketItemStatus_PurchasePending;
        if (GameEngineNetworkInterface* network = GetNetwork())
            network->C2S_MarketPurchaseRequest(marketId, levelBracket, stockSeed, entry.slot,
                                               player->GetObjectId());
        break;
    case EntryList::Static:
        staticPurchases[CompletePurchase(entry.replica, entry.cost)] = entry.cost;
        break;
    case EntryList::Sold: {
        const uint32_t price = entry.cost;
        staticPurchases[CompletePurchase(entry.replica, price)] = price;
        RemoveSoldEntry(itemId);
        break;
    }
    case EntryList::None:
        return false;
    }
    GameEngine::Get().PlayMarketPurchaseSound();
    return true;
}

bool MarketClient::PlayerSaleRequest(uint32_t itemId, bool silent)
{
    const uint32_t price = GetSalePrice(itemId);
    if (price == 0) {
        ShowError("tagMarketError04");
        return false;
    }
    if (Player* player = GetMainPlayer())
        player->AddMoney(price);
    if (const MarketStockEntry* bought = FindBoughtEntry(itemId)) {
        if (GameEngineNetworkInterface* network = GetNetwork())
            network->C2S_MarketSellBack(marketId, levelBracket, stockSeed, bought->slot,
                                        GetMainPlayerId());
    } else if (staticPurchases.count(itemId) == 0) {
        if (const Item* item = ObjectManager::Instance().GetObject<Item>(itemId))
            KeepSoldItem(*item, price);
    }
    if (!silent)
        GameEngine::Get().PlayMarketSaleSound();
    if (boughtItems.erase(itemId) == 0)
        staticPurchases.erase(itemId);
    return true;
}

uint32_t MarketClient::GetSalePrice(uint32_t itemId) const
{
    if (const MarketStockEntry* bought = FindBoughtEntry(itemId))
        return bought->cost;
    const auto paid = staticPurchases.find(itemId);
    if (paid != staticPurchases.end())
        return paid->second;
    const Item* item = ObjectManager::Instance().GetObject<Item>(itemId);
    if (item == nullptr)
        return 0;
    uint32_t price = AddPercent(item->GetItemCost(false), -marketDepreciation);
    if (maxPlayerPurchase != 0)
        price = std::min(price, SaturateToUInt(maxPlayerPurchase));
    return price;
}

void MarketClient::CreateUIPlayerBuyText(uint32_t itemId, std::vector<GameTextLine>& lines) const
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    if (GetItemStatus(itemId) != MarketItemStatus_Available) {
        AddTradeLine(lines, texts.Format("Sold"));
        return;
    }
    const bool affordable = IsItemAffordable(itemId);
    const char* tag = affordable ? "MarketCostAffordable" : "MarketCostTooExpensive";
    if (IsSoldEntry(itemId))
        tag = affordable ? "MarketCostPreviousTransaction"
                         : "MarketCostPreviousTransactionTooExpensive";
    AddTradeLine(lines, texts.Format(tag, GetItemCost(itemId)));
}

void MarketClient::CreateUIPlayerSellText(uint32_t itemId, std::vector<GameTextLine>& lines) const
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    const uint32_t price = GetSalePrice(itemId);
    if (FindBoughtEntry(itemId) != nullptr)
        AddTradeLine(lines, texts.Format("MarketValuePreviousTransaction", price));
    else if (price == 0)
        AddTradeLine(lines, texts.Format("CanNotBeSoldHere"));
    else
        AddTradeLine(lines, texts.Format("MarketValue", price));
}

uint32_t MarketClient::GetBoughtCopy(uint32_t displayedId) const
{
    uint32_t newest = 0;
    for (const auto& [copy, displayed] : boughtItems) {
        if (displayed == displayedId)
            newest = copy;
    }
    return newest;
}

MarketClient::Found MarketClient::Find(uint32_t itemId)
{
    for (auto [list, entries] :
         {std::pair{EntryList::Stock, &stockEntries}, std::pair{EntryList::Static, &staticEntries},
          std::pair{EntryList::Sold, &soldEntries}}) {
        for (MarketStockEntry& entry : *entries) {
            if (entry.itemId == itemId)
                return {list, &entry};
        }
    }
    return {};
}

const MarketStockEntry* MarketClient::FindEntry(uint32_t itemId) const
{
    return itemId != 0 ? const_cast<MarketClient*>(this)->Find(itemId).entry : nullptr;
}

bool MarketClient::IsSoldEntry(uint32_t itemId) const
{
    return const_cast<MarketClient*>(this)->Find(itemId).list == EntryList::Sold;
}

const MarketStockEntry* MarketClient::FindBoughtEntry(uint32_t copyId) const
{
    const auto bought = boughtItems.find(copyId);
    const Item* copy = ObjectManager::Instance().GetObject<Item>(copyId);
    if (bought == boughtItems.end() || copy == nullptr)
        return nullptr;
    ItemReplicaInfo replica;
    copy->GetItemReplicaInfo(replica);
    for (const MarketStockEntry& entry : stockEntries) {
        if (entry.itemId == bought->second)
            return entry.bought && entry.replica == replica ? &entry : nullptr;
    }
    return nullptr;
}

uint32_t MarketClient::CompletePurchase(const ItemReplicaInfo& replica, uint32_t cost)
{
    Player* player = GetMainPlayer();
    if (player == nullptr)
        return 0;
    player->SubtractMoney(cost);
    ItemReplicaInfo copy = replica;
    copy.id = ObjectManager::Instance().CreateObjectID();
    GameEngine::Get().CreateItemForCharacter(player->GetObjectId(), player->GetCoords(), copy,
                                             nullptr);
    return copy.id;
}

void MarketClient::RemoveSoldEntry(uint32_t itemId)
{
    sacks[kSackCount - 1].RemoveItem(itemId);
    const auto found = std::find_if(soldEntries.begin(), soldEntries.end(),
                                    [itemId](const auto& entry) { return entry.itemId == itemId; });
    if (found == soldEntries.end())
        return;
    soldEntries.erase(found);
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(objects.GetObject<Item>(itemId), kMarketClientTradeSource, __LINE__);
}

void MarketClient::KeepSoldItem(const Item& item, uint32_t price)
{
    ItemReplicaInfo replica;
    item.GetItemReplicaInfo(replica);
    replica.id = 0;
    Item* copy = Item::CreateItem(replica);
    if (copy == nullptr)
        return;
    InventorySack& sack = sacks[kSackCount - 1];
    // The oldest sales make room; an empty sack that still cannot hold the copy keeps nothing.
    while (!sack.IsSpaceForItem(copy) && sack.GetFirstItem() != 0)
        RemoveSoldEntry(sack.GetFirstItem());
    if (!sack.AddItem(copy, true)) {
        ObjectManager::Instance().DestroyObjectEx(copy, kMarketClientTradeSource, __LINE__);
        return;
    }
    MarketStockEntry entry;
    entry.slot = static_cast<uint32_t>(soldEntries.size());
    entry.itemId = copy->GetObjectId();
    entry.cost = price;
    entry.replica = replica;
    soldEntries.push_back(std::move(entry));
}

void MarketClient::ShowError(const char* tag) const
{
    GameEngine::Get().GetDialogManager().AddDialog(DialogManager::DialogNotice, false,
                                                   DialogManager::PartyMarket, std::string(tag),
                                                   false, 0u, false);
}

} // namespace GAME
