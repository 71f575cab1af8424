#include "items/MarketMiniMart.h"

#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/LootBase.h"
#include "items/MarketClient.h"
#include "items/MarketMisc.h"

namespace GAME {

namespace {

// The bounds of an item seed; a hub-less caller (a tool) still rolls in the usual range.
void GetItemSeedRange(int& low, int& high)
{
    low = 1;
    high = 32767;
    if (gGameEngine != nullptr) {
        low = static_cast<int>(gGameEngine->GetRandomSeedMinimum());
        high = static_cast<int>(gGameEngine->GetRandomSeedMaximum());
    }
}

} // namespace

const LoadTable& LoadMarketRecord(const std::string& name)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (!name.empty())
        objects.LoadTableFile(name);
    return objects.GetLoadTable(name);
}

void MarketMiniMart::Refresh(const LoadTable& marketRecord, uint32_t bracket, RandomUniform& rng)
{
    int32_t count = rng.IGenerate(GetNumItemsMin(marketRecord), GetNumItemsMax(marketRecord));
    if (count > kMaxItems) {
        gEngine->Log(Engine::LogData, "Market category %d of %s asks for %d items; %d are listed",
                     static_cast<int>(GetMarketType()), marketRecord.GetSourceName().c_str(), count,
                     kMaxItems);
        count = kMaxItems;
    }
    const std::string tableName = GetTableName(marketRecord, bracket);
    if (!tableName.empty()) {
        if (LootBase::Handle table = LootBase::Create(tableName)) {
            table->SetNoBrokenItems(true);
            table->SetLevel(bracket, bracket);
            for (int32_t i = 0; i < count; ++i)
                LoadItem(table.get(), rng);
        }
    }
    UploadItems();
}

void MarketMiniMart::LoadItem(LootBase* table, RandomUniform& rng)
{
    // One record and one depth for every try: a try that picks no affix keeps the one before.
    ItemReplicaInfo item;
    int depth = kLootDepth;
    for (int attempt = 0; attempt < kLoadTries; ++attempt) {
        table->GetLootName(item.baseName, item.prefixName, item.suffixName, rng, depth);
        if (!IsUnique(item.baseName, item.prefixName, item.suffixName))
            continue;
        if (!item.baseName.empty()) {
            int low = 0;
            int high = 0;
            GetItemSeedRange(low, high);
            item.seed = static_cast<uint32_t>(rng.IGenerate(low, high));
            pendingItems.push_back(item);
        }
        return;
    }
}

bool MarketMiniMart::IsUnique(const std::string& base, const std::string& prefix,
                              const std::string& suffix) const
{
    for (const ItemReplicaInfo& item : pendingItems) {
        if (item.baseName == base && item.prefixName == prefix && item.suffixName == suffix)
            return false;
    }
    return true;
}

void MarketMiniMart::UploadItems()
{
    if (market != nullptr) {
        for (const ItemReplicaInfo& item : pendingItems)
            market->QueueMiniMartItem(GetMarketType(), item);
    }
    pendingItems.clear();
}

void MarketMisc_Static::UploadItems()
{
    if (market != nullptr) {
        for (const ItemReplicaInfo& item : pendingItems)
            market->QueueStaticItem(GetMarketType(), item);
    }
    pendingItems.clear();
}

MarketMiniMart_Keyed::MarketMiniMart_Keyed(const char* kind, Market_TypeEnum type)
    : minKey(std::string("marketNum") + kind + "Min"),
      maxKey(std::string("marketNum") + kind + "Max"),
      tablePrefix(std::string("market") + kind + "Table"), type(type)
{}

int32_t MarketMiniMart_Keyed::GetNumItemsMin(const LoadTable& marketRecord) const
{
    return marketRecord.GetInt(minKey.c_str(), 0);
}

int32_t MarketMiniMart_Keyed::GetNumItemsMax(const LoadTable& marketRecord) const
{
    return marketRecord.GetInt(maxKey.c_str(), 0);
}

std::string MarketMiniMart_Keyed::GetTableName(const LoadTable& marketRecord,
                                               uint32_t bracket) const
{
    const std::string key = tablePrefix + std::to_string(bracket);
    return marketRecord.GetString(key.c_str(), "");
}

} // namespace GAME
