#include "skills/SkillAttributeVal.h"

#include "skills/SkillAttributeAccumulator.h"

namespace GAME {

void SkillAttributeVal::AddToAccumulator(SkillAttributeAccumulator& accumulator,
                                         uint32_t level) const
{
    accumulator.AddValue(GetType(), GetTotalValue(accumulator.GetRandomGen(), level));
}

} // namespace GAME
