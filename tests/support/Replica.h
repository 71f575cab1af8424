#pragma once

#include "items/ItemReplicaInfo.h"

#include <cstdint>
#include <string>

namespace GAME::Test {

// An item's replica with the fields most tests set; the others keep their defaults.
inline ItemReplicaInfo Replica(const std::string& baseName, uint32_t seed = 0, uint32_t var1 = 0)
{
    ItemReplicaInfo info;
    info.baseName = baseName;
    info.seed = seed;
    info.var1 = var1;
    return info;
}

} // namespace GAME::Test
