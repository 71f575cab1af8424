#pragma once

#include "world/Proxy.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;

// The draw of a weighted pick over a total in 64 bits, within the shared generator's range.
uint32_t DrawProxyWeight(uint64_t sum);

// The index of the first eligible item whose running weight reaches one draw of the shared
// generator, or the size for none. The draw is made even when nothing is eligible, so the shared
// sequence never depends on what the records hold.
template <typename Item, typename Weight, typename Eligible>
size_t PickProxyWeighted(const std::vector<Item>& items, Weight weight, Eligible eligible)
{
    uint64_t sum = 0;
    for (const Item& item : items)
        sum += eligible(item) ? weight(item) : 0u;
    const uint32_t drawn = DrawProxyWeight(sum);
    uint64_t running = 0;
    for (size_t index = 0; index < items.size(); ++index) {
        if (!eligible(items[index]))
            continue;
        running += weight(items[index]);
        if (running >= drawn)
            return index;
    }
    return items.size();
}

// What both pools keep: their proxy, their record and the objects they made and still hold.
class ProxyPoolObjects {
public:
    void SetParent(Proxy* proxy) { parent = proxy; }
    std::vector<uint32_t>& GetObjects() { return objects; }
    const std::vector<uint32_t>& GetObjects() const { return objects; }
    // Every held object that still exists.
    void PreLoad(bool flag);
    const std::string& GetRecordName() const { return recordName; }
    // The level of the last run.
    int32_t GetProxyLevel() const { return proxyLevel; }

protected:
    // Keeps the record name; the record, or null for none.
    const LoadTable* BeginLoad(const std::string& record);
    // The entity made from the record and held, or null with the failure logged.
    Entity* CreateHeld(const std::string& record);

    Proxy* parent = nullptr;
    std::string recordName;
    std::vector<uint32_t> objects;
    int32_t proxyLevel = 0;
};

// A spawn pool: up to 30 monster records and 30 champion records with weights, difficulties
// and limits, and how many to make. Run with the proxy level as a difficulty budget, it makes
// its objects at once, outside the world, and keeps them until the proxy places them; what is
// still held when the pool goes is destroyed with it.
class ProxyPool : public ProxyPoolObjects {
public:
    struct ProxyPoolEntry {
        std::string name;
        uint32_t weight = 0;
        // Compared signed against the budget.
        uint32_t difficulty = 0;
        uint32_t difficultyCutoff = 0;
        // Picks left; 0 is unavailable.
        uint32_t limit = 0;
        bool alwaysSpawn = false;
        bool heroOrBoss = false;
    };
    // The record keys of one entry.
    struct ProxySelectionNameSet {
        char name[16];
        char weight[24];
        char difficulty[24];
        char difficultyCutoff[32];
        char limit[16];
        char alwaysSpawn[24];
    };
    static constexpr size_t kSlots = 30;
    // Every count and limit a record gives is held to this many objects.
    static constexpr int32_t kMaxCount = 256;

    ProxyPool() = default;
    ProxyPool(const ProxyPool&) = default;
    ProxyPool& operator=(const ProxyPool&) = default;
    virtual ~ProxyPool();

    void LoadFromFile(const std::string& record);
    void RunPool(int32_t budget);

    static bool IsAvailable(const int32_t& budget, const ProxyPoolEntry& entry);
    static bool IsMustSpawn(const ProxyPoolEntry& entry);
    static bool PickSelection(std::vector<ProxyPoolEntry>& entries, int32_t& budget,
                              ProxyPoolEntry& out);
    static bool GetMustPickSelection(std::vector<ProxyPoolEntry>& entries, int32_t& budget,
                                     ProxyPoolEntry& out);
    static void GetLeastDifficultSelection(std::vector<ProxyPoolEntry>& entries,
                                           ProxyPoolEntry& out);
    bool CreateAddToSpawnList(const ProxyPoolEntry& entry);
    void RemoveObjectsNotPlaced();

    const std::vector<ProxyPoolEntry>& GetEntries() const { return entries; }
    const std::vector<ProxyPoolEntry>& GetChampionEntries() const { return championEntries; }
    // The two name tables, filled once.
    static const ProxySelectionNameSet* GetNameTable(bool champion);

private:
    void LoadSelection(const LoadTable& table, const ProxySelectionNameSet* sets,
                       uint32_t defaultLimit, std::vector<ProxyPoolEntry>& out);
    // A count after the settings of the difficulty, their modifier and the designer's equation.
    uint32_t Count(uint32_t base, const char* addKey, const char* modifierKey,
                   const std::string& equation) const;
    void RunChampions(int32_t& budget, uint32_t minimum, uint32_t maximum);
    void RunMain(int32_t& budget, uint32_t minimum, uint32_t maximum);
    void FillCheapest(std::vector<ProxyPoolEntry>& from, uint32_t minimum);

    uint32_t spawnMin = 0;
    uint32_t spawnMax = 0;
    uint32_t championMin = 0;
    uint32_t championMax = 0;
    float championChance = 0.0f;
    std::string spawnMinEquation;
    std::string spawnMaxEquation;
    std::string championMinEquation;
    std::string championMaxEquation;
    std::vector<ProxyPoolEntry> entries;
    std::vector<ProxyPoolEntry> championEntries;
};

// The small pool beside a spawn pool that may make one fixed item (a chest, a shrine) and hands
// it the proxy level.
class ProxyAccessoryPool : public ProxyPoolObjects {
public:
    static constexpr int kSlots = 10;

    ProxyAccessoryPool() = default;
    ProxyAccessoryPool(const ProxyAccessoryPool&) = default;
    ProxyAccessoryPool& operator=(const ProxyAccessoryPool&) = default;
    virtual ~ProxyAccessoryPool();

    void LoadFromFile(const std::string& record);
    void RunPool(int32_t level);
    void GetFixedItemSelection(std::string& out) const;
    bool CreateAddToOtherList(const std::string& record);
    void LoadFixedItemSelections(const LoadTable& table);
    void RemoveObjectsNotPlaced();

private:
    uint32_t fixedItemChance = 0;
    std::vector<Proxy::ProxySelection> selections;
};

} // namespace GAME
