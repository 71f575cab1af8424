#include "characters/CharAttribute.h"

#include "core/AttributeRolls.h"
#include "core/Helpers.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"

namespace GAME {

CharAttribute::CharAttribute(CharAttributeType type, const char* recordKey, const char* textTag)
    : type(type), recordKey(recordKey), textTag(textTag)
{}

float CharAttribute::GetValue(uint32_t level) const
{
    if (level == 0)
        return 0.0f;
    const float base =
        baseValues.empty() ? 0.0f : baseValues[Min<size_t>(level, baseValues.size()) - 1];
    return base + prefixValue + suffixValue;
}

bool CharAttribute::IsNotEmpty() const
{
    return !baseValues.empty() || prefixValue != 0.0f || suffixValue != 0.0f;
}

void CharAttribute::LoadBaseTable(const LoadTable& table)
{
    table.GetFloatList(recordKey, baseValues);
    // Designers write a lone 0 to mean "not given".
    if (baseValues.size() == 1 && baseValues[0] == 0.0f)
        baseValues.clear();
}

void CharAttribute::LoadPrefixTable(const LoadTable& table, RandomUniform* random)
{
    prefixValue = LoadAffixValue(table, random);
}

void CharAttribute::LoadSuffixTable(const LoadTable& table, RandomUniform* random)
{
    suffixValue = LoadAffixValue(table, random);
}

float CharAttribute::LoadAffixValue(const LoadTable& table, RandomUniform* random) const
{
    const float value = table.GetFloat(recordKey, 0.0f);
    // Nothing rolls a value that is not there, so its spread is not even looked up.
    if (random == nullptr || value == 0.0f)
        return value;
    return Jitter(value, table.GetFloat("lootRandomizerJitter", 0.0f), *random);
}

void CharAttribute::CreateText(uint32_t level, std::vector<std::wstring>& /*headerLines*/,
                               std::vector<std::wstring>& lines) const
{
    const float value = GetValue(level);
    if (value != 0.0f)
        lines.push_back(
            LocalizationManager::Instance().Format(textTag, static_cast<double>(value)));
}

void CharAttribute::CreateNextText(uint32_t level, uint32_t nextLevel,
                                   std::vector<std::wstring>& /*headerLines*/,
                                   std::vector<std::wstring>& lines) const
{
    const float next = GetValue(nextLevel);
    if (next != GetValue(level))
        lines.push_back(LocalizationManager::Instance().Format(textTag, static_cast<double>(next)));
}

void CharAttribute::SetBaseValue(float value)
{
    baseValues.assign(1, value);
    prefixValue = 0.0f;
    suffixValue = 0.0f;
}

void CharAttribute::AddJitter(float percent, RandomUniform* random)
{
    if (!(percent > 0.0f) || random == nullptr)
        return;
    const float clamped = Clamp(percent, 0.0f, 50.0f);
    for (float& value : baseValues)
        value = Jitter(value, clamped, *random);
}

void CharAttribute::ScaleAttribute(float percent)
{
    if (percent == 0.0f)
        return;
    for (float& value : baseValues)
        value = Scale(value, percent);
    prefixValue = Scale(prefixValue, percent);
    suffixValue = Scale(suffixValue, percent);
}

float CharAttribute::Jitter(float value, float percent, RandomUniform& random)
{
    return JitterAttributeValue(value, percent, random);
}

float CharAttribute::Scale(float value, float percent)
{
    return ScaleAttributeValue(value, percent);
}

void CharAttribute::AddCost(float& sum, int32_t& count) const
{
    const float value = GetValue(1);
    if (value == 0.0f)
        return;
    sum += value;
    ++count;
}

} // namespace GAME
