#include "skills/SkillAttributeAccumulator.h"

namespace GAME {

void SkillAttributeAccumulator::AddValue(SkillAttributeType type, float amount)
{
    totals.AddValue(type, amount);
}

void SkillAttributeAccumulator::AddModifier(SkillAttributeType type, float amount)
{
    totals.AddModifier(type, amount);
}

float SkillAttributeAccumulator::GetValue(SkillAttributeType type) const
{
    return totals.GetValue(type);
}

void SkillAttributeAccumulator::Clear()
{
    totals.Clear();
}

} // namespace GAME
