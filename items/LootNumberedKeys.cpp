#include "items/LootNumberedKeys.h"

namespace GAME {

LootNumberedKeys::LootNumberedKeys(const char* nameStem, const char* weightStem, uint32_t count)
{
    names.reserve(count);
    weights.reserve(count);
    for (uint32_t i = 1; i <= count; ++i) {
        names.push_back(nameStem + std::to_string(i));
        weights.push_back(weightStem + std::to_string(i));
    }
}

} // namespace GAME
