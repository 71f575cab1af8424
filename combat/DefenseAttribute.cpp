#include "combat/DefenseAttribute.h"

#include "core/AttributeRolls.h"
#include "core/Helpers.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"

namespace GAME {

bool DefenseAttribute::LoadFromTable(const LoadTable& record, bool /*keepEmpty*/)
{
    if (chanceKey != nullptr)
        record.GetFloatList(chanceKey, chances);
    return true;
}

float DefenseAttribute::AtLevel(const std::vector<float>& list, uint32_t level)
{
    return GetLevelEntry(list, level);
}

float DefenseAttribute::Jitter(float value, float percent, RandomUniform& generator)
{
    return JitterAttributeValue(value, percent, generator);
}

float DefenseAttribute::Scale(float value, float percent)
{
    return ScaleAttributeValue(value, percent);
}

void DefenseAttribute::ScaleAll(std::vector<float>& list, float percent)
{
    if (percent == 0.0f)
        return;
    for (float& value : list)
        value = Scale(value, percent);
}

float DefenseAttribute::PercentOf(float value, float percent)
{
    return GAME::PercentOf(value, percent);
}

float DefenseAttribute::JitterPercent(float percent, const RandomUniform* generator)
{
    if (!(percent > 0.0f) || generator == nullptr)
        return 0.0f;
    return Clamp(percent, 0.0f, 50.0f);
}

} // namespace GAME
