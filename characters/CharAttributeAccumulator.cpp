#include "characters/CharAttributeAccumulator.h"

namespace GAME {

void CharAttributeAccumulator::AddValue(CharAttributeType type, float value)
{
    totals.AddValue(type, value);
}

void CharAttributeAccumulator::AddModifier(CharAttributeType type, float modifier)
{
    totals.AddModifier(type, modifier);
}

float CharAttributeAccumulator::GetModifier(CharAttributeType type) const
{
    return totals.GetModifier(type);
}

void CharAttributeAccumulator::Clear()
{
    totals.Clear();
}

} // namespace GAME
