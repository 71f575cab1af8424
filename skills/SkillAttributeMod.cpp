#include "skills/SkillAttributeMod.h"

#include "items/CostInfo_SkillAttributes.h"
#include "skills/SkillAttributeAccumulator.h"

namespace GAME {

void SkillAttributeMod::AddToAccumulator(SkillAttributeAccumulator& accumulator,
                                         uint32_t level) const
{
    accumulator.AddModifier(GetType(), GetTotalValue(accumulator.GetRandomGen(), level));
}

void SkillAttributeMod::GetCostInfo(CostInfo_SkillAttributes& info) const
{
    info.modifier += GetValue(1);
    for (const float affix : {GetPrefixValue(), GetSuffixValue()}) {
        if (affix > 0.0f)
            ++info.bonusCount;
    }
}

} // namespace GAME
