#include "combat/DamageAttribute_Physical.h"

#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "items/CostInfo_DamageAttributes.h"

namespace GAME {

namespace {
const DamageAttributeKeys kPhysicalKeys{
    .type = CombatAttributeType_Physical,
    .chance = "offensivePhysicalChance",
    .xorKey = "offensivePhysicalXOR",
    .global = "offensivePhysicalGlobal",
    .display = "",
    .valueMin = "offensivePhysicalMin",
    .valueMax = "offensivePhysicalMax",
};
} // namespace

DamageAttribute_Physical::DamageAttribute_Physical() : DamageAttribute(kPhysicalKeys) {}

bool DamageAttribute_Physical::LoadFromTable(const LoadTable& table)
{
    ReadChance(table);
    ReadLevels(table, "offensivePierceRatio", pierceRatio, false);
    std::vector<float> minimums;
    std::vector<float> maximums;
    ReadLevels(table, "offensivePhysicalMin", minimums, true);
    ReadLevels(table, "offensivePhysicalMax", maximums, true);
    values.clear();
    // Whole units of spread only; an absurd record value saturates instead of overflowing.
    for (const DamageAttributeRange& range : MakeRanges(minimums, maximums))
        values.push_back({range.minimum, SaturateToUInt(range.spread)});
    if (values.empty())
        return false;
    return true;
}

void DamageAttribute_Physical::CreateText(Lines& /*lines1*/, Lines& lines2, Lines& /*lines3*/,
                                          uint32_t level) const
{
    if (GetValueMin(level) == 0.0f && GetValueMax(level) == 0.0f)
        return;
    lines2.push_back(BuildLine(level));
    const float ratio = GetPierceRatio(level);
    if (ratio > 0.0f)
        lines2.push_back(PierceLine(ratio));
}

void DamageAttribute_Physical::CreateNextText(Lines& /*lines1*/, Lines& lines2, Lines& /*lines3*/,
                                              uint32_t level, uint32_t nextLevel) const
{
    if (GetValueMin(level) == GetValueMin(nextLevel) &&
        GetValueMax(level) == GetValueMax(nextLevel) && GetChance(level) == GetChance(nextLevel))
        return;
    lines2.push_back(BuildLine(nextLevel));
    // Only a rising ratio is worth pointing out.
    const float ratio = GetPierceRatio(nextLevel);
    if (ratio > GetPierceRatio(level))
        lines2.push_back(PierceLine(ratio));
}

std::wstring DamageAttribute_Physical::BuildLine(uint32_t level) const
{
    return ChancePrefix(GetChance(level)) + FormatAmount(GetValueMin(level), GetValueMax(level)) +
           LocalizationManager::Instance().Format("DamageBasePhysical");
}

std::wstring DamageAttribute_Physical::PierceLine(float ratio)
{
    return LocalizationManager::Instance().Format("DamageBasePierceRatio",
                                                  static_cast<double>(ratio));
}

void DamageAttribute_Physical::AddDamageToAccumulator(CombatAttributeAccumulator& accumulator,
                                                      uint32_t level, RandomUniform& random,
                                                      bool force) const
{
    float multiplier = 1.0f;
    if (!RollChance(accumulator, level, force, multiplier))
        return;
    const float value = random.FGenerate(GetValueMin(level), GetValueMax(level)) * multiplier;
    accumulator.AddDamage(std::make_unique<CombatAttributeDamage_BasePhysical>(
        CombatAttributeType_Physical, value, GetPierceRatio(level), false));
}

void DamageAttribute_Physical::AddModifierToAccumulator(CombatAttributeAccumulator& /*accumulator*/,
                                                        uint32_t /*level*/,
                                                        RandomUniform& /*random*/,
                                                        bool /*force*/) const
{}

void DamageAttribute_Physical::ScaleAttribute(float percent)
{
    if (percent == 0.0f)
        return;
    for (Range& range : values)
        range.minimum = Scale(range.minimum, percent);
}

void DamageAttribute_Physical::AddJitter(float jitterPercent, RandomUniform* random)
{
    const float percent = JitterPercent(jitterPercent, random);
    if (percent < 0.0f)
        return;
    for (Range& range : values) {
        range.minimum = Jitter(range.minimum, percent, *random);
        range.spread = SaturateToUInt(Jitter(static_cast<float>(range.spread), percent, *random));
    }
    for (float& ratio : pierceRatio)
        ratio = Jitter(ratio, percent, *random);
}

void DamageAttribute_Physical::GetCostInfo(CostInfo_DamageAttributes& info) const
{
    const float average = CostAverage(GetValueMin(1), GetValueMax(1)) * CostFactor();
    const float ratio = GetPierceRatio(1);
    if (average > 0.0f || ratio > 0.0f) {
        info.avgBonus += average;
        info.avgPierceRatio += ratio;
        ++info.count;
    }
}

std::unique_ptr<DamageAttribute> DamageAttribute_Physical::Clone() const
{
    return std::make_unique<DamageAttribute_Physical>(*this);
}

float DamageAttribute_Physical::GetValueMin(uint32_t level) const
{
    return AtLevel(values, level).minimum;
}

float DamageAttribute_Physical::GetValueMax(uint32_t level) const
{
    const Range range = AtLevel(values, level);
    return range.minimum + static_cast<float>(range.spread);
}

float DamageAttribute_Physical::GetPierceRatio(uint32_t level) const
{
    return AtLevel(pierceRatio, level);
}

} // namespace GAME
