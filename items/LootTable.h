#pragma once

#include "engine/Object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;
class RandomUniform;

// The older self-contained loot record: weighted items or further loot tables, with its own
// prefix and suffix lists and pick weights.
class LootTable : public Object {
    GAME_DECLARE_CLASS(LootTable)

public:
    static constexpr uint32_t kNumEntries = 30;
    // Chained randomizer tables followed after the first draw, beyond the first.
    static constexpr int kRandomizerDepth = 5;

    struct Entry {
        std::string name;
        uint32_t weight = 0;
    };

    LootTable() = default;
    void Load(const LoadTable& table) override;
    ~LootTable() override;
    // False unless the record is a loot table.
    virtual bool ManualLoad(const std::string& record);
    // Nothing picked leaves all three names as they were.
    virtual void GetLootName(std::string& base, std::string& prefix, std::string& suffix,
                             RandomUniform& random);
    virtual void GetRandomizerName(const std::vector<Entry>& list, float chance, float total,
                                   std::string& out, RandomUniform& random);

    const std::vector<Entry>& GetItems() const { return items; }
    const std::vector<Entry>& GetPrefixes() const { return prefixes; }
    const std::vector<Entry>& GetSuffixes() const { return suffixes; }

private:
    uint32_t totalItemWeight = 0;
    std::vector<Entry> items;
    float prefixChance = 0.0f;
    uint32_t prefixTotal = 0;
    std::vector<Entry> prefixes;
    float suffixChance = 0.0f;
    uint32_t suffixTotal = 0;
    std::vector<Entry> suffixes;
    int32_t bothPrefixSuffix = 0;
    int32_t noPrefixNoSuffix = 0;
    int32_t prefixOnly = 0;
    int32_t suffixOnly = 0;
};

} // namespace GAME
