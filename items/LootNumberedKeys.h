#pragma once

#include "engine/LoadTable.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

// The numbered name and weight keys of a loot list ("lootName1", "lootWeight1", …), spelled
// once: loot tables are loaded on every roll.
class LootNumberedKeys {
public:
    LootNumberedKeys(const char* nameStem, const char* weightStem, uint32_t count);

    // take(name, weight) for every entry, in order, that has a positive weight and a name.
    template <class Take> void ForEachEntry(const LoadTable& table, Take&& take) const
    {
        for (size_t i = 0; i < names.size(); ++i) {
            const int32_t weight = table.GetInt(weights[i].c_str(), 0);
            if (weight <= 0)
                continue;
            std::string name = table.GetString(names[i].c_str());
            if (!name.empty())
                take(std::move(name), static_cast<uint32_t>(weight));
        }
    }

private:
    std::vector<std::string> names;
    std::vector<std::string> weights;
};

} // namespace GAME
