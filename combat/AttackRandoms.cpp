#include "combat/AttackRandoms.h"

#include "core/RandomUniform.h"

#include <initializer_list>

namespace GAME {

void AttackRandoms::Fill(RandomUniform& generator)
{
    const int low = static_cast<int>(minimum);
    const int high = static_cast<int>(maximum);
    for (uint32_t* value : {&r0, &r1, &r2, &r3, &r4, &r5, &r6})
        *value = static_cast<uint32_t>(generator.IGenerate(low, high));
}

} // namespace GAME
