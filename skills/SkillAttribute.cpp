#include "skills/SkillAttribute.h"

#include "core/Helpers.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"

namespace GAME {

namespace {
float AtLevel(const std::vector<float>& list, uint32_t level)
{
    if (level == 0 || list.empty())
        return 0.0f;
    return list[Min<size_t>(level, list.size()) - 1];
}

// A chance of 0 means the designer gave none: the attribute always applies.
bool Applies(float chance, float roll)
{
    return chance == 0.0f || roll <= chance;
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

bool SkillAttribute::IsNotEmpty() const
{
    return !values.empty();
}

float SkillAttribute::GetValue(uint32_t level) const
{
    return AtLevel(values, level);
}

float SkillAttribute::GetChance(uint32_t level) const
{
    return AtLevel(chances, level);
}

float SkillAttribute::GetTotalValue(RandomUniform& random, uint32_t level) const
{
    float total = 0.0f;
    if (Applies(GetChance(level), random.FGenerate(0.0f, 100.0f)))
        total += GetValue(level);
    // The prefix and suffix rolls of an item's attribute; a record of its own has neither, but
    // the draws are made all the same so that every machine's generator moves by three.
    random.FGenerate(0.0f, 100.0f);
    random.FGenerate(0.0f, 100.0f);
    return total;
}

void SkillAttribute::CreateText(uint32_t level, std::vector<std::wstring>& lines) const
{
    const float value = GetValue(level);
    if (!(value > 0.0f))
        return;
    const LocalizationManager& texts = LocalizationManager::Instance();
    const float chance = GetChance(level);
    std::wstring line;
    if (chance > 0.0f)
        line = texts.Format("ChanceOfTag", static_cast<double>(chance));
    lines.push_back(line + texts.Format(textTag, static_cast<double>(value)));
}

} // namespace GAME
