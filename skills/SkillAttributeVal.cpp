#include "skills/SkillAttributeVal.h"

#include "items/CostInfo_SkillAttributes.h"
#include "skills/SkillAttributeAccumulator.h"

namespace GAME {

void SkillAttributeVal::AddToAccumulator(SkillAttributeAccumulator& accumulator,
                                         uint32_t level) const
{
    accumulator.AddValue(GetType(), GetTotalValue(accumulator.GetRandomGen(), level));
}

void SkillAttributeVal::GetCostInfo(CostInfo_SkillAttributes& info) const
{
    // The level value is the item's own; the affix values are held apart from it, so nothing
    // of theirs is taken back out of the base.
    info.base += GetValue(1);
    for (const float affix : {GetPrefixValue(), GetSuffixValue()}) {
        if (affix > 0.0f) {
            info.bonus += affix;
            ++info.bonusCount;
        }
    }
}

} // namespace GAME
