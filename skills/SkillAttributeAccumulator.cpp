#include "skills/SkillAttributeAccumulator.h"

#include <cmath>

namespace GAME {

namespace {
// A type from outside the table is ignored rather than written past it.
bool IsSlot(SkillAttributeType type)
{
    return type < kSkillAttributeTypeCount;
}
} // namespace

void SkillAttributeAccumulator::AddValue(SkillAttributeType type, float amount)
{
    if (IsSlot(type))
        values[type] += amount;
}

void SkillAttributeAccumulator::AddModifier(SkillAttributeType type, float amount)
{
    if (IsSlot(type))
        modifiers[type] += amount;
}

float SkillAttributeAccumulator::GetValue(SkillAttributeType type) const
{
    if (!IsSlot(type))
        return 0.0f;
    return values[type] + std::fabs(values[type]) * modifiers[type] * 0.01f;
}

void SkillAttributeAccumulator::Clear()
{
    for (uint32_t i = 0; i < kSkillAttributeTypeCount; ++i) {
        values[i] = 0.0f;
        modifiers[i] = 0.0f;
    }
}

} // namespace GAME
