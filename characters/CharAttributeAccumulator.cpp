#include "characters/CharAttributeAccumulator.h"

#include <cmath>

namespace GAME {

namespace {
// Types can arrive from records and commands; one past the table is ignored rather than read.
bool IsSlot(CharAttributeType type)
{
    return type < kCharAttributeTypeCount;
}
} // namespace

void CharAttributeAccumulator::AddValue(CharAttributeType type, float value)
{
    if (IsSlot(type))
        values[type] += value;
}

void CharAttributeAccumulator::AddModifier(CharAttributeType type, float modifier)
{
    if (IsSlot(type))
        modifiers[type] += modifier;
}

float CharAttributeAccumulator::GetValue(CharAttributeType type) const
{
    if (!IsSlot(type))
        return 0.0f;
    return values[type] + std::fabs(values[type]) * modifiers[type] * 0.01f;
}

float CharAttributeAccumulator::GetModifier(CharAttributeType type) const
{
    return IsSlot(type) ? modifiers[type] : 0.0f;
}

void CharAttributeAccumulator::Clear()
{
    for (uint32_t i = 0; i < kCharAttributeTypeCount; ++i) {
        values[i] = 0.0f;
        modifiers[i] = 0.0f;
    }
}

} // namespace GAME
