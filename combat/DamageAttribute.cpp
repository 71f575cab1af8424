#include "combat/DamageAttribute.h"

#include "combat/CombatAttributeAccumulator.h"
#include "combat/DamageAttributeStore.h"
#include "core/AttributeRolls.h"
#include "core/Helpers.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"

namespace GAME {

float DamageAttribute::GetChance(uint32_t level) const
{
    return AtLevel(chance, level);
}

CombatAttributeType DamageAttribute::GetType() const
{
    return keys->type;
}

const char* DamageAttribute::GetLoadChanceTag() const
{
    return keys->chance;
}

const char* DamageAttribute::GetLoadXorTag() const
{
    return keys->xorKey;
}

const char* DamageAttribute::GetLoadGlobalTag() const
{
    return keys->global;
}

const char* DamageAttribute::GetDisplayTag() const
{
    return keys->display;
}

DamageAttribute* DamageAttribute::LoadInto(std::unique_ptr<DamageAttribute> attribute,
                                           DamageAttributeStore& store, const LoadTable& table)
{
    if (!attribute || !attribute->LoadFromTable(table))
        return nullptr;
    DamageAttribute* loaded = attribute.get();
    switch (loaded->GetLoadGroup(table)) {
    case LoadGroup_Plain:
        store.AddAttribute(std::move(attribute));
        break;
    case LoadGroup_GlobalAnd:
        store.AddGlobalAndAttribute(std::move(attribute));
        break;
    case LoadGroup_GlobalXor:
        store.AddGlobalXorAttribute(std::move(attribute));
        break;
    }
    return loaded;
}

void DamageAttribute::CreateText(Lines& lines1, Lines& lines2, Lines& lines3, uint32_t level) const
{
    std::wstring line;
    GetText(line, level);
    AppendLine(std::move(line), PickList(textList, lines1, lines2, lines3));
}

void DamageAttribute::CreateNextText(Lines& lines1, Lines& lines2, Lines& lines3, uint32_t level,
                                     uint32_t nextLevel) const
{
    std::wstring line;
    GetNextText(line, level, nextLevel);
    AppendLine(std::move(line), PickList(textList, lines1, lines2, lines3));
}

float DamageAttribute::Jitter(float value, float jitterPercent, RandomUniform& random) const
{
    return JitterValue(value, jitterPercent, random);
}

float DamageAttribute::Scale(float value, float percent) const
{
    return ScaleValue(value, percent);
}

float DamageAttribute::JitterValue(float value, float jitterPercent, RandomUniform& random)
{
    return JitterAttributeValue(value, jitterPercent, random);
}

float DamageAttribute::ScaleValue(float value, float percent)
{
    return ScaleAttributeValue(value, percent);
}

float DamageAttribute::JitterPercent(float jitterPercent, const RandomUniform* random)
{
    if (!(jitterPercent > 0.0f) || random == nullptr)
        return -1.0f;
    return Clamp(jitterPercent, 0.0f, 50.0f);
}

void DamageAttribute::ReadLevels(const LoadTable& table, const char* key, std::vector<float>& out,
                                 bool dropLoneZero)
{
    table.GetFloatList(key, out);
    // Designers write a lone 0 to mean "not given".
    if (dropLoneZero && out.size() == 1 && out[0] == 0.0f)
        out.clear();
}

std::vector<DamageAttributeRange> DamageAttribute::MakeRanges(const std::vector<float>& minimums,
                                                              const std::vector<float>& maximums)
{
    std::vector<DamageAttributeRange> ranges;
    if (minimums.empty())
        return ranges;
    ranges.reserve(minimums.size());
    float maximum = minimums[0];
    for (size_t i = 0; i < minimums.size(); ++i) {
        if (i < maximums.size())
            maximum = maximums[i];
        ranges.push_back({minimums[i], Max(maximum - minimums[i], 0.0f)});
    }
    return ranges;
}

void DamageAttribute::ReadChance(const LoadTable& table)
{
    ReadLevels(table, GetLoadChanceTag(), chance, false);
}

DamageAttribute::LoadGroup DamageAttribute::GetLoadGroup(const LoadTable& table) const
{
    if (!table.GetBool(GetLoadGlobalTag(), false))
        return LoadGroup_Plain;
    return table.GetBool(GetLoadXorTag(), false) ? LoadGroup_GlobalXor : LoadGroup_GlobalAnd;
}

bool DamageAttribute::RollChance(CombatAttributeAccumulator& accumulator, uint32_t level,
                                 bool force, float& multiplier) const
{
    const float chanceValue = GetChance(level);
    if (!force && !accumulator.EvaluateChance(chanceValue))
        return false;
    multiplier = accumulator.GetChanceMultiplier(chanceValue);
    return true;
}

std::wstring DamageAttribute::ChancePrefix(float chanceValue) const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    if (hideChanceIndentLine)
        return text.Format("tagIndent");
    if (chanceValue > 0.0f)
        return text.Format("ChanceOfTag", static_cast<double>(chanceValue));
    return std::wstring();
}

float DamageAttribute::CostFactor() const
{
    const float chanceValue = GetChance(1);
    return chanceValue > 0.0f ? chanceValue * 0.01f : 1.0f;
}

std::wstring DamageAttribute::FormatAmount(float low, float high, const char* singleTag,
                                           const char* rangeTag)
{
    const LocalizationManager& text = LocalizationManager::Instance();
    if (low == high)
        return text.Format(singleTag, static_cast<double>(low));
    return text.Format(rangeTag, static_cast<double>(low), static_cast<double>(high));
}

float DamageAttribute::CostAverage(float minimum, float maximum)
{
    const float sum = minimum + maximum;
    return minimum > 0.0f && maximum > 0.0f ? sum * 0.5f : sum;
}

void DamageAttribute::AppendLine(std::wstring line, Lines& lines)
{
    if (!line.empty())
        lines.push_back(std::move(line));
}

DamageAttribute::Lines& DamageAttribute::PickList(TextList list, Lines& lines1, Lines& lines2,
                                                  Lines& lines3)
{
    switch (list) {
    case TextList_First:
        return lines1;
    case TextList_Second:
        return lines2;
    case TextList_Third:
        break;
    }
    return lines3;
}

} // namespace GAME
