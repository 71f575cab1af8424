#pragma once

#include "items/RandomizerWeightModifiers.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;
class RandomUniform;

// Picks the item records a slot, a chest or a corpse drops, from weighted names in the owner's
// record. Filled once from that record and rolled as often as the owner drops something.
class LootLoader {
public:
    enum Location : int32_t {
        Head = 0,
        Neck = 1,
        Torso = 2,
        LowerBody = 3,
        Forearm = 4,
        LeftHand = 5,
        RightHand = 6,
        Finger1 = 7,
        Finger2 = 8,
        Misc1 = 9,
        Misc2 = 10,
        Misc3 = 11
    };
    static constexpr uint32_t kNumLocations = 12;
    // A location has six weight and name keys; asking for more changes nothing.
    static constexpr uint32_t kMaxLocationCount = 6;

    struct Entry {
        std::string name;
        uint32_t weight = 0;
    };

    LootLoader() = default;
    virtual ~LootLoader() = default;

    // Reads "chanceToEquip<Location>Item<i>" and "loot<Location>Item<i>" for i = 1..count; the
    // name is element `index` of its list (the game difficulty).
    virtual void Load(const LoadTable& table, Location location, uint32_t count, uint32_t index);
    // The same with the caller's keys, each followed by i.
    virtual void Load(const LoadTable& table, const char* nameKey, const char* weightKey,
                      uint32_t count, uint32_t index);
    // The three record names of one drop: a picked loot-table record rolls in its place.
    // Nothing picked leaves base as it was.
    virtual void GetLootName(std::string& base, std::string& prefix, std::string& suffix,
                             RandomUniform& random) const;
    virtual void SetRandomizerWeightModifiers(const RandomizerWeightModifiers& modifiers)
    {
        weightModifiers = modifiers;
    }
    // Follows chained "LootTable" records from base, at most depth more after the first.
    virtual void ValidateSelectLootRecursive(std::string& base, std::string& prefix,
                                             std::string& suffix, int depth,
                                             RandomUniform& random) const;

    void SetLevel(uint32_t charLevel, uint32_t levelArgument)
    {
        level1 = charLevel;
        level2 = levelArgument;
    }
    void SetNoBrokenItems() { noBrokenItems = true; }

    // Never above what the generator's upper bound can carry.
    uint32_t GetTotalWeight() const { return totalWeight; }
    const std::vector<Entry>& GetEntries() const { return entries; }

private:
    template <typename KeyFor>
    void LoadEntries(const LoadTable& table, uint32_t count, uint32_t index, KeyFor keyFor);

    uint32_t totalWeight = 0;
    std::vector<Entry> entries;
    // Handed to the loot-table record a pick names.
    uint32_t level1 = 0;
    uint32_t level2 = 0;
    bool noBrokenItems = false;
    RandomizerWeightModifiers weightModifiers;
};

} // namespace GAME
