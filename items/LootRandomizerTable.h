#pragma once

#include "engine/Object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;
class RandomUniform;

// A weighted list of affix records, or of further randomizer tables, from which one name is
// drawn.
class LootRandomizerTable : public Object {
    GAME_DECLARE_CLASS(LootRandomizerTable)

public:
    static constexpr uint32_t kNumEntries = 60;

    struct Entry {
        std::string name;
        uint32_t weight = 0;
    };

    LootRandomizerTable() = default;
    void Load(const LoadTable& table) override;
    ~LootRandomizerTable() override;
    // False, with the table left empty, unless the record is a randomizer table.
    virtual bool ManualLoad(const std::string& record);
    // Empty when nothing is picked.
    virtual void GetRandomizerName(std::string& out, RandomUniform& random) const;

    uint32_t GetTotalWeight() const { return totalWeight; }
    const std::vector<Entry>& GetEntries() const { return entries; }

private:
    uint32_t totalWeight = 0;
    std::vector<Entry> entries;
};

} // namespace GAME
