#pragma once

#include "engine/Object.h"
#include "items/RandomizerWeightModifiers.h"

#include <cstdint>
#include <memory>
#include <string>

namespace GAME {

class LoadTable;
class RandomUniform;

// A loot-table record that turns itself into a base item name and its two affixes. Made from
// its record for one roll, configured, asked once and destroyed.
class LootBase : public Object {
    GAME_DECLARE_CLASS(LootBase)

public:
    struct Destroyer {
        void operator()(LootBase* table) const;
    };
    using Handle = std::unique_ptr<LootBase, Destroyer>;

    LootBase() = default;
    void Load(const LoadTable& table) override;
    ~LootBase() override;

    virtual void GetLootName(std::string& base, std::string& prefix, std::string& suffix,
                             RandomUniform& random, int& depth);
    virtual void SetLevel(uint32_t parentLevel, uint32_t averagePlayerLevel);
    virtual void OverrideTest(std::string& base, std::string& prefix, std::string& suffix,
                              RandomUniform& random);
    virtual void SetNoBrokenItems(bool flag) { noBrokenItems = flag; }
    virtual void SetRandomizerWeightModifiers(const RandomizerWeightModifiers& modifiers)
    {
        weightModifiers = modifiers;
    }

    // The loot table a record makes, or null when the record makes something else. The class
    // is looked up before anything is made: most names rolled are item records, and making an
    // item only to throw it away costs more than the whole roll.
    static Handle Create(const std::string& record);
    static bool IsLootBaseRecord(const std::string& record);

    bool GetNoBrokenItems() const { return noBrokenItems; }
    const RandomizerWeightModifiers& GetWeightModifiers() const { return weightModifiers; }

protected:
    // The affixes of a picked item, from the randomizer settings of this table's own record;
    // the table test forces every affix chance and the both and broken picks instead.
    void RollAffixes(std::string& prefix, std::string& suffix, RandomUniform& random,
                     bool overrideTest = false) const;
    // The table test names its entries one per call, the first again after the last, each
    // with forced affixes.
    template <class Entries>
    void NextOverride(const Entries& entries, uint32_t& index, std::string& base,
                      std::string& prefix, std::string& suffix, RandomUniform& random) const
    {
        if (entries.empty())
            return;
        if (index >= entries.size())
            index = 0;
        base = entries[index].name;
        RollAffixes(prefix, suffix, random, true);
        index = index + 1 >= entries.size() ? 0 : index + 1;
    }

    bool noBrokenItems = false;
    RandomizerWeightModifiers weightModifiers;
};

} // namespace GAME
