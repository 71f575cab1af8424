#pragma once

#include "core/RandomUniform.h"

#include <cstdint>

namespace GAME::Test {

// A generator started from the seed, as the game seeds one for a draw it must repeat.
inline RandomUniform Seeded(uint32_t seed)
{
    RandomUniform random;
    random.Seed(seed);
    return random;
}

} // namespace GAME::Test
