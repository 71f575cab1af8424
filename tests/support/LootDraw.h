#pragma once

#include <string>
#include <tuple>
#include <utility>

namespace GAME::Test {

// What one draw of a loot table leaves in the base name and its two affixes, starting from the
// names given.
template <class Table, class Random>
std::tuple<std::string, std::string, std::string>
Draw(Table& table, Random& random, std::string base = "", std::string prefix = "",
     std::string suffix = "")
{
    table.GetLootName(base, prefix, suffix, random);
    return {base, prefix, suffix};
}

// What one draw of a randomizer leaves in the two affixes, starting from the names given.
template <class Randomizer, class Random>
std::pair<std::string, std::string> DrawAffixes(Randomizer& randomizer, Random& random,
                                                std::string prefix = "", std::string suffix = "")
{
    randomizer.GetRandomizerNames(prefix, suffix, random);
    return {prefix, suffix};
}

} // namespace GAME::Test
