#pragma once

#include "items/RandomizerWeightModifiers.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;
class RandomUniform;

// Decides from a loot table's own record whether a picked item gets a prefix, a suffix, both,
// neither or a broken affix, and which randomizer table each affix comes from. Built for one
// roll and dropped.
class LootItemTableRandomizer {
public:
    static constexpr uint32_t kListSize = 15;

    struct Entry {
        uint32_t cumulativeWeight = 0;
        std::string name;
    };

    LootItemTableRandomizer() = default;
    virtual ~LootItemTableRandomizer() = default;

    virtual void LoadFromDatabase(const std::string& record);
    virtual void GetRandomizerNames(std::string& prefix, std::string& suffix,
                                    RandomUniform& random);
    virtual void OverrideWeightsAndChance();
    virtual void SetNoBrokenItems();
    virtual void SetWeightModifiers(const RandomizerWeightModifiers& modifiers);

    void Load(const LoadTable& table);

    uint32_t GetBothPrefixSuffix() const { return bothPrefixSuffix; }
    uint32_t GetNoPrefixNoSuffix() const { return noPrefixNoSuffix; }
    uint32_t GetPrefixOnly() const { return prefixOnly; }
    uint32_t GetSuffixOnly() const { return suffixOnly; }
    uint32_t GetBrokenOnly() const { return brokenOnly; }
    const std::vector<Entry>& GetPrefixList() const { return prefixList; }
    const std::vector<Entry>& GetSuffixList() const { return suffixList; }
    const std::vector<Entry>& GetBrokenList() const { return brokenList; }

private:
    static void DrawFromList(const std::vector<Entry>& list, float chance, std::string& out,
                             RandomUniform& random);

    std::vector<Entry> prefixList;
    std::vector<Entry> suffixList;
    std::vector<Entry> brokenList;
    float prefixChance = 0.0f;
    float suffixChance = 0.0f;
    float brokenChance = 0.0f;
    uint32_t bothPrefixSuffix = 0;
    uint32_t noPrefixNoSuffix = 0;
    uint32_t prefixOnly = 0;
    uint32_t suffixOnly = 0;
    uint32_t brokenOnly = 0;
};

} // namespace GAME
