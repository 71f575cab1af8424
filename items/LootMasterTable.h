#pragma once

#include "items/LootItemTable_FixedWeight.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// Up to thirty loot-table records with weights: the chosen table rolls in its place.
class LootMasterTable : public LootBase {
    GAME_DECLARE_CLASS(LootMasterTable)

public:
    using Entry = LootItemTable_FixedWeight::Entry;

    LootMasterTable() = default;
    void Load(const LoadTable& table) override;
    ~LootMasterTable() override;
    // Nested master tables share the caller's depth, so a loop of them ends.
    void GetLootName(std::string& base, std::string& prefix, std::string& suffix,
                     RandomUniform& random, int& depth) override;
    void SetLevel(uint32_t parentLevel, uint32_t averagePlayerLevel) override;

    const std::vector<Entry>& GetEntries() const { return entries; }

private:
    std::vector<Entry> entries;
    uint32_t level1 = 0;
    uint32_t level2 = 0;
};

} // namespace GAME
