#include "combat/DamageAttributeDur.h"

#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "items/CostInfo_DamageAttributes.h"

namespace GAME {

bool DamageAttributeDur::LoadFromTable(const LoadTable& table)
{
    // One pair of lists serves both ranges: each read replaces what the last one left. Most
    // kinds are absent from a record, so each minimum decides before its maximum is read.
    std::vector<float> minimums;
    std::vector<float> maximums;
    ReadLevels(table, GetLoadValueMinTag(), minimums, true);
    if (minimums.empty())
        return false;
    ReadLevels(table, GetLoadValueMaxTag(), maximums, true);
    values = MakeRanges(minimums, maximums);
    ReadLevels(table, GetLoadDurationMinTag(), minimums, true);
    if (minimums.empty())
        return false;
    ReadLevels(table, GetLoadDurationMaxTag(), maximums, true);
    durations = MakeRanges(minimums, maximums);
    ReadChance(table);
    return true;
}

void DamageAttributeDur::AddDamageToAccumulator(CombatAttributeAccumulator& accumulator,
                                                uint32_t level, RandomUniform& random,
                                                bool force) const
{
    float multiplier = 1.0f;
    if (!RollChance(accumulator, level, force, multiplier))
        return;
    // Value first, then duration, and the duration is drawn even for a fixed one: peers count
    // the draws.
    const float value = random.FGenerate(GetValueMin(level), GetValueMax(level));
    const float duration = random.FGenerate(GetDurationMin(level), GetDurationMax(level));
    AddDrawnDamage(accumulator, level, value * multiplier, duration);
}

void DamageAttributeDur::AddModifierToAccumulator(CombatAttributeAccumulator& /*accumulator*/,
                                                  uint32_t /*level*/, RandomUniform& /*random*/,
                                                  bool /*force*/) const
{}

void DamageAttributeDur::AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t /*level*/,
                                        float value, float duration) const
{
    accumulator.AddDamage(std::make_unique<CombatAttributeDurDamage>(GetType(), value, duration));
}

void DamageAttributeDur::ScaleAttribute(float percent)
{
    if (percent == 0.0f)
        return;
    for (DamageAttributeRange& range : values)
        range.minimum = Scale(range.minimum, percent);
}

void DamageAttributeDur::AddJitter(float jitterPercent, RandomUniform* random)
{
    const float percent = JitterPercent(jitterPercent, random);
    if (percent < 0.0f)
        return;
    for (DamageAttributeRange& range : values) {
        range.minimum = Jitter(range.minimum, percent, *random);
        range.spread = Jitter(range.spread, percent, *random);
    }
}

void DamageAttributeDur::GetCostInfo(CostInfo_DamageAttributes& info) const
{
    const float factor = CostFactor();
    const float value = CostAverage(GetValueMin(1), GetValueMax(1)) * factor;
    const float duration = CostAverage(GetDurationMin(1), GetDurationMax(1)) * factor;
    if (value * duration > 0.0f) {
        info.avgOverTime += value * duration;
        ++info.count;
    }
}

const char* DamageAttributeDur::GetLoadValueMinTag() const
{
    return GetKeys().valueMin;
}

const char* DamageAttributeDur::GetLoadValueMaxTag() const
{
    return GetKeys().valueMax;
}

const char* DamageAttributeDur::GetLoadDurationMinTag() const
{
    return GetKeys().durationMin;
}

const char* DamageAttributeDur::GetLoadDurationMaxTag() const
{
    return GetKeys().durationMax;
}

float DamageAttributeDur::GetValueMin(uint32_t level) const
{
    return AtLevel(values, level).minimum;
}

float DamageAttributeDur::GetValueMax(uint32_t level) const
{
    return AtLevel(values, level).GetMaximum();
}

float DamageAttributeDur::GetDurationMin(uint32_t level) const
{
    return AtLevel(durations, level).minimum;
}

float DamageAttributeDur::GetDurationMax(uint32_t level) const
{
    return AtLevel(durations, level).GetMaximum();
}

void DamageAttributeDur::GetText(std::wstring& line, uint32_t level) const
{
    const bool noValue = GetValueMin(level) == 0.0f && GetValueMax(level) == 0.0f;
    const bool noDuration = GetDurationMin(level) == 0.0f && GetDurationMax(level) == 0.0f;
    if (!noValue && !noDuration)
        line += BuildLine(level);
}

void DamageAttributeDur::GetNextText(std::wstring& line, uint32_t level, uint32_t nextLevel) const
{
    if (GetValueMin(level) != GetValueMin(nextLevel) ||
        GetValueMax(level) != GetValueMax(nextLevel) ||
        GetDurationMin(level) != GetDurationMin(nextLevel) ||
        GetDurationMax(level) != GetDurationMax(nextLevel) ||
        GetChance(level) != GetChance(nextLevel))
        line += BuildLine(nextLevel);
}

std::wstring DamageAttributeDur::BuildLine(uint32_t level) const
{
    return ChancePrefix(GetChance(level)) + BuildAmount(level);
}

std::wstring DamageAttributeDur::BuildAmount(uint32_t level) const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    const float durationMin = GetDurationMin(level);
    const float durationMax = GetDurationMax(level);
    // The whole damage over the duration, not the damage per second.
    const float low = durationMin * GetValueMin(level);
    const float high = durationMax * GetValueMax(level);
    std::wstring line = FormatAmount(low, high) + text.Format(GetDisplayTag());
    if (durationMin != durationMax)
        return line + text.Format("DamageRangeFormatTime", static_cast<double>(durationMin),
                                  static_cast<double>(durationMax));
    if (durationMin == 1.0f)
        return line + text.Format("tagPerSecond");
    return line + text.Format("DamageSingleFormatTime", static_cast<double>(durationMin));
}

void DamageAttributeDurBaseElemental::AddDrawnDamage(CombatAttributeAccumulator& accumulator,
                                                     uint32_t /*level*/, float value,
                                                     float duration) const
{
    accumulator.AddDamage(
        std::make_unique<CombatAttributeDurDamageElemental>(GetType(), value, duration));
}

void DamageAttributeDurBonusElemental::AddDrawnDamage(CombatAttributeAccumulator& accumulator,
                                                      uint32_t /*level*/, float value,
                                                      float duration) const
{
    accumulator.AddDamage(
        std::make_unique<CombatAttributeDurDamageElemental>(GetType(), value, duration));
}

void DamageAttributeDurFixed::AddDrawnDamage(CombatAttributeAccumulator& accumulator,
                                             uint32_t /*level*/, float value, float duration) const
{
    accumulator.AddDamage(
        std::make_unique<CombatAttributeDurFixedDamage>(GetType(), value, duration));
}

std::wstring DamageAttributeDurFixed::BuildAmount(uint32_t level) const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    const float low = GetValueMin(level);
    const float high = GetValueMax(level);
    const float durationMin = GetDurationMin(level);
    const float durationMax = GetDurationMax(level);
    std::wstring line = FormatAmount(low, high) + text.Format(GetDisplayTag());
    if (durationMin == durationMax)
        return line + text.Format("DamageFixedSingleFormatTime", static_cast<double>(durationMin));
    return line + text.Format("DamageFixedRangeFormatTime", static_cast<double>(durationMin),
                              static_cast<double>(durationMax));
}

} // namespace GAME
