#include "skills/SkillAttribute.h"

#include "core/AttributeRolls.h"
#include "core/Helpers.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"

namespace GAME {

namespace {
// A chance of 0 means the designer gave none: the part always applies.
float Rolled(float value, float chance, RandomUniform& random)
{
    const float roll = random.FGenerate(0.0f, 100.0f);
    return chance == 0.0f || roll <= chance ? value : 0.0f;
}
} // namespace

SkillAttribute::SkillAttribute(SkillAttributeType type, const char* valueKey, const char* chanceKey,
                               const char* textTag)
    : type(type), chanceKey(chanceKey), valueKey(valueKey), textTag(textTag)
{}

void SkillAttribute::LoadBaseTable(const LoadTable& table)
{
    table.GetFloatList(valueKey, values);
    table.GetFloatList(chanceKey, chances);
    // Designers write a lone 0 to mean "not given".
    if (values.size() == 1 && values[0] == 0.0f)
        values.clear();
}

void SkillAttribute::LoadPrefixTable(const LoadTable& table, RandomUniform* random)
{
    prefix = LoadAffix(table, random);
}

void SkillAttribute::LoadSuffixTable(const LoadTable& table, RandomUniform* random)
{
    suffix = LoadAffix(table, random);
}

SkillAttribute::Affix SkillAttribute::LoadAffix(const LoadTable& table, RandomUniform* random) const
{
    Affix affix;
    affix.value = table.GetFloat(valueKey, 0.0f);
    // Nothing rolls a value that is not there, so its spread is not even looked up.
    if (random != nullptr && affix.value != 0.0f)
        affix.value = JitterAttributeValue(affix.value,
                                           table.GetFloat("lootRandomizerJitter", 0.0f), *random);
    affix.chance = table.GetFloat(chanceKey, 0.0f);
    return affix;
}

bool SkillAttribute::IsNotEmpty() const
{
    return !values.empty() || prefix.value != 0.0f || suffix.value != 0.0f;
}

float SkillAttribute::GetValue(uint32_t level) const
{
    return GetLevelEntry(values, level);
}

float SkillAttribute::GetChance(uint32_t level) const
{
    return GetLevelEntry(chances, level);
}

float SkillAttribute::GetTotalValue(RandomUniform& random, uint32_t level) const
{
    float total = 0.0f;
    total += Rolled(GetValue(level), GetChance(level), random);
    total += Rolled(prefix.value, prefix.chance, random);
    total += Rolled(suffix.value, suffix.chance, random);
    return total;
}

void SkillAttribute::AddJitter(float percent, RandomUniform* random)
{
    if (!(percent > 0.0f) || random == nullptr)
        return;
    const float limited = Clamp(percent, 0.0f, 50.0f);
    for (float& value : values)
        value = JitterAttributeValue(value, limited, *random);
}

void SkillAttribute::ScaleAttribute(float percent)
{
    if (percent == 0.0f)
        return;
    for (float& value : values)
        value = ScaleAttributeValue(value, percent);
    prefix.value = ScaleAttributeValue(prefix.value, percent);
    suffix.value = ScaleAttributeValue(suffix.value, percent);
}

void SkillAttribute::CreateText(uint32_t level, std::vector<std::wstring>& lines) const
{
    AddLine(GetValue(level), GetChance(level), lines);
    AddLine(prefix.value, prefix.chance, lines);
    AddLine(suffix.value, suffix.chance, lines);
}

void SkillAttribute::CreateNextText(uint32_t level, uint32_t nextLevel,
                                    std::vector<std::wstring>& lines) const
{
    if (GetValue(level) != GetValue(nextLevel) || GetChance(level) != GetChance(nextLevel))
        AddLine(GetValue(nextLevel), GetChance(nextLevel), lines);
}

void SkillAttribute::AddLine(float value, float chance, std::vector<std::wstring>& lines) const
{
    if (!(value > 0.0f))
        return;
    const LocalizationManager& texts = LocalizationManager::Instance();
    std::wstring line;
    if (chance > 0.0f)
        line = texts.Format("ChanceOfTag", static_cast<double>(chance));
    lines.push_back(line + texts.Format(textTag, static_cast<double>(value)));
}

} // namespace GAME
