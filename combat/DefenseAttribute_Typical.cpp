#include "combat/DefenseAttribute_Typical.h"

#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"

namespace GAME {

bool DefenseAttribute_Typical::LoadFromTable(const LoadTable& record, bool keepEmpty)
{
    // Most kinds are absent from a record: the values decide before the chance is read.
    record.GetFloatList(valueKey, values);
    if (values.size() == 1 && values[0] == 0.0f)
        values.clear();
    if (values.empty()) {
        if (!keepEmpty)
            return false;
        values.push_back(0.0f);
    }
    return DefenseAttribute::LoadFromTable(record, keepEmpty);
}

std::wstring DefenseAttribute_Typical::FormatLine(float chance, float value) const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    std::wstring line;
    if (chance > 0.0f)
        line = text.Format("ChanceOfTag", static_cast<double>(chance));
    return line + text.Format(displayTag, static_cast<double>(value));
}

void DefenseAttribute_Typical::CreateText(uint32_t level, Lines& /*first*/, Lines& second) const
{
    const float value = GetValue(level);
    if (value != 0.0f)
        second.push_back(FormatLine(GetChance(level), value));
}

void DefenseAttribute_Typical::CreateNextText(uint32_t level, uint32_t nextLevel, Lines& /*first*/,
                                              Lines& second) const
{
    // A next level that changes nothing needs no line; one that drops to 0 still shows it.
    const float next = GetValue(nextLevel);
    const float nextChance = GetChance(nextLevel);
    if (next == GetValue(level) && nextChance == GetChance(level))
        return;
    second.push_back(FormatLine(nextChance, next));
}

void DefenseAttribute_Typical::ScaleAttribute(float percent)
{
    ScaleAll(values, percent);
}

void DefenseAttribute_Typical::AddJitter(float percent, RandomUniform* generator)
{
    const float clamped = JitterPercent(percent, generator);
    if (clamped == 0.0f)
        return;
    // Chances stay as designed: only the amounts vary from item to item.
    for (float& value : values)
        value = Jitter(value, clamped, *generator);
}

std::optional<float> DefenseAttribute_Typical::RollValue(CombatAttributeAccumulator& accumulator,
                                                         uint32_t level, bool skipChance) const
{
    const float chance = GetChance(level);
    if (!skipChance && !accumulator.EvaluateChance(chance))
        return std::nullopt;
    return GetValue(level) * accumulator.GetChanceMultiplier(chance);
}

void DefenseAttribute_Typical::AddCost(float& field, int32_t& count) const
{
    float value = GetValue(1);
    const float chance = GetChance(1);
    if (chance > 0.0f)
        value = PercentOf(value, chance);
    if (value == 0.0f)
        return;
    field += value;
    ++count;
}

} // namespace GAME
