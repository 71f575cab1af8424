#pragma once

#include "items/LootBase.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// Up to thirty item records with fixed weights, affixes from the table's own record.
class LootItemTable_FixedWeight : public LootBase {
    GAME_DECLARE_CLASS(LootItemTable_FixedWeight)

public:
    static constexpr uint32_t kNumEntries = 30;

    struct Entry {
        uint32_t cumulativeWeight = 0;
        std::string name;
    };

    LootItemTable_FixedWeight() = default;
    void Load(const LoadTable& table) override;
    ~LootItemTable_FixedWeight() override;
    void GetLootName(std::string& base, std::string& prefix, std::string& suffix,
                     RandomUniform& random, int& depth) override;
    void OverrideTest(std::string& base, std::string& prefix, std::string& suffix,
                      RandomUniform& random) override;

    const std::vector<Entry>& GetEntries() const { return entries; }

    // "lootName1".."lootName30" with their weights, as cumulative weights; shared with the
    // master table, whose entries name further tables.
    static void LoadCumulative(const LoadTable& table, std::vector<Entry>& out);
    // The first entry whose cumulative weight exceeds a draw below the last one; null if none.
    static const Entry* PickCumulative(const std::vector<Entry>& list, RandomUniform& random);

private:
    std::vector<Entry> entries;
    uint32_t overrideIndex = 0;
};

} // namespace GAME
