#include "skills/SkillAttributeMod.h"

#include "skills/SkillAttributeAccumulator.h"

namespace GAME {

void SkillAttributeMod::AddToAccumulator(SkillAttributeAccumulator& accumulator,
                                         uint32_t level) const
{
    accumulator.AddModifier(GetType(), GetTotalValue(accumulator.GetRandomGen(), level));
}

} // namespace GAME
