#include "combat/DamageAttributeAbs.h"

#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "items/CostInfo_DamageAttributes.h"

namespace GAME {

bool DamageAttributeAbs::LoadFromTable(const LoadTable& table)
{
    // Most kinds are absent from a record: the minimum decides before anything else is read.
    std::vector<float> minimums;
    ReadLevels(table, GetLoadValueMinTag(), minimums, true);
    if (minimums.empty())
        return false;
    std::vector<float> maximums;
    ReadLevels(table, GetLoadValueMaxTag(), maximums, true);
    values = MakeRanges(minimums, maximums);
    ReadChance(table);
    return true;
}

void DamageAttributeAbs::AddDamageToAccumulator(CombatAttributeAccumulator& accumulator,
                                                uint32_t level, RandomUniform& random,
                                                bool force) const
{
    float multiplier = 1.0f;
    if (!RollChance(accumulator, level, force, multiplier))
        return;
    const float value = random.FGenerate(GetValueMin(level), GetValueMax(level));
    AddDrawnDamage(accumulator, level, value * multiplier);
}

void DamageAttributeAbs::AddModifierToAccumulator(CombatAttributeAccumulator& /*accumulator*/,
                                                  uint32_t /*level*/, RandomUniform& /*random*/,
                                                  bool /*force*/) const
{}

void DamageAttributeAbs::AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t /*level*/,
                                        float value) const
{
    accumulator.AddDamage(std::make_unique<CombatAttributeAbsDamage>(GetType(), value));
}

void DamageAttributeAbs::ScaleAttribute(float percent)
{
    if (percent == 0.0f)
        return;
    for (DamageAttributeRange& range : values)
        range.minimum = Scale(range.minimum, percent);
}

void DamageAttributeAbs::AddJitter(float jitterPercent, RandomUniform* random)
{
    const float percent = JitterPercent(jitterPercent, random);
    if (percent < 0.0f)
        return;
    for (DamageAttributeRange& range : values) {
        range.minimum = Jitter(range.minimum, percent, *random);
        range.spread = Jitter(range.spread, percent, *random);
    }
}

float DamageAttributeAbs::GetCostValue() const
{
    return CostAverage(GetValueMin(1), GetValueMax(1)) * CostFactor();
}

void DamageAttributeAbs::GetCostInfo(CostInfo_DamageAttributes& info) const
{
    const float value = GetCostValue();
    if (value > 0.0f) {
        info.avgBonus += value;
        ++info.count;
    }
}

const char* DamageAttributeAbs::GetLoadValueMinTag() const
{
    return GetKeys().valueMin;
}

const char* DamageAttributeAbs::GetLoadValueMaxTag() const
{
    return GetKeys().valueMax;
}

float DamageAttributeAbs::GetValueMin(uint32_t level) const
{
    return AtLevel(values, level).minimum;
}

float DamageAttributeAbs::GetValueMax(uint32_t level) const
{
    return AtLevel(values, level).GetMaximum();
}

void DamageAttributeAbs::GetText(std::wstring& line, uint32_t level) const
{
    if (GetValueMin(level) != 0.0f || GetValueMax(level) != 0.0f)
        line += BuildLine(level);
}

void DamageAttributeAbs::GetNextText(std::wstring& line, uint32_t level, uint32_t nextLevel) const
{
    if (GetValueMin(level) != GetValueMin(nextLevel) ||
        GetValueMax(level) != GetValueMax(nextLevel) || GetChance(level) != GetChance(nextLevel))
        line += BuildLine(nextLevel);
}

std::wstring DamageAttributeAbs::BuildLine(uint32_t level) const
{
    return ChancePrefix(GetChance(level)) +
           FormatAmount(GetValueMin(level), GetValueMax(level), singleFormatTag, rangeFormatTag) +
           LocalizationManager::Instance().Format(GetDisplayTag());
}

void DamageAttributeAbsBase::AddJitter(float /*jitterPercent*/, RandomUniform* /*random*/) {}

void DamageAttributeAbsBase::GetCostInfo(CostInfo_DamageAttributes& info) const
{
    const float value = GetCostValue();
    if (value > 0.0f) {
        info.avgBase += value;
        ++info.count;
    }
}

void DamageAttributeAbsBaseElemental::AddDrawnDamage(CombatAttributeAccumulator& accumulator,
                                                     uint32_t /*level*/, float value) const
{
    accumulator.AddDamage(std::make_unique<CombatAttributeAbsDamageElemental>(GetType(), value));
}

void DamageAttributeAbsBonusElemental::AddDrawnDamage(CombatAttributeAccumulator& accumulator,
                                                      uint32_t /*level*/, float value) const
{
    accumulator.AddDamage(std::make_unique<CombatAttributeAbsDamageElemental>(GetType(), value));
}

DamageAttributeReflex::DamageAttributeReflex(const DamageAttributeKeys& keys)
    : DamageAttributeAbsBonus(keys)
{
    SetFormatTags("DamageReflexSingleFormat", "DamageReflexRangeFormat");
}

void DamageAttributeReflex::AddDrawnDamage(CombatAttributeAccumulator& accumulator,
                                           uint32_t /*level*/, float value) const
{
    accumulator.AddDamage(std::make_unique<CombatAttributeReflexDamage>(GetType(), value));
}

DamageAttributeInfluence::DamageAttributeInfluence(const DamageAttributeKeys& keys)
    : DamageAttributeAbsBonus(keys)
{
    SetFormatTags("DamageInfluenceSingleFormat", "DamageInfluenceRangeFormat");
}

void DamageAttributeInfluenceHidden::CreateText(Lines& /*lines1*/, Lines& /*lines2*/,
                                                Lines& /*lines3*/, uint32_t /*level*/) const
{}

void DamageAttributeInfluenceHidden::CreateNextText(Lines& /*lines1*/, Lines& /*lines2*/,
                                                    Lines& /*lines3*/, uint32_t /*level*/,
                                                    uint32_t /*nextLevel*/) const
{}

} // namespace GAME
