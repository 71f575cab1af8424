#include "combat/DamageAttributeDurMod.h"

#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeMod.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "items/CostInfo_DamageAttributes.h"

namespace GAME {

bool DamageAttributeDurMod::LoadFromTable(const LoadTable& table)
{
    ReadLevels(table, GetLoadModifierTag(), modifier, true);
    ReadLevels(table, GetLoadDurationModifierTag(), durationModifier, true);
    if (modifier.empty() && durationModifier.empty())
        return false;
    ReadChance(table);
    return true;
}

void DamageAttributeDurMod::AddDamageToAccumulator(CombatAttributeAccumulator& /*accumulator*/,
                                                   uint32_t /*level*/, RandomUniform& /*random*/,
                                                   bool /*force*/) const
{}

void DamageAttributeDurMod::AddModifierToAccumulator(CombatAttributeAccumulator& accumulator,
                                                     uint32_t level, RandomUniform& /*random*/,
                                                     bool force) const
{
    float multiplier = 1.0f;
    if (!RollChance(accumulator, level, force, multiplier))
        return;
    // The chance weighs the damage only, never the duration.
    accumulator.AddDamageModifier(std::make_unique<CombatAttributeDurDamageMod>(
        GetType(), GetModifierValue(level) * multiplier, GetDurationModifierValue(level)));
}

void DamageAttributeDurMod::ScaleAttribute(float percent)
{
    if (percent == 0.0f)
        return;
    for (float& value : modifier)
        value = Scale(value, percent);
    for (float& value : durationModifier)
        value = Scale(value, percent);
}

void DamageAttributeDurMod::AddJitter(float jitterPercent, RandomUniform* random)
{
    const float percent = JitterPercent(jitterPercent, random);
    if (percent < 0.0f)
        return;
    for (float& value : modifier)
        value = Jitter(value, percent, *random);
    for (float& value : durationModifier)
        value = Jitter(value, percent, *random);
}

void DamageAttributeDurMod::GetCostInfo(CostInfo_DamageAttributes& info) const
{
    const float factor = CostFactor();
    const float value = GetModifierValue(1) * factor;
    const float duration = GetDurationModifierValue(1) * factor;
    if (value > 0.0f) {
        info.mod += value;
        ++info.count;
    }
    if (duration > 0.0f) {
        info.modDur += duration;
        ++info.count;
    }
}

const char* DamageAttributeDurMod::GetLoadModifierTag() const
{
    return GetKeys().modifier;
}

const char* DamageAttributeDurMod::GetLoadDurationModifierTag() const
{
    return GetKeys().durationModifier;
}

float DamageAttributeDurMod::GetModifierValue(uint32_t level) const
{
    return AtLevel(modifier, level);
}

float DamageAttributeDurMod::GetDurationModifierValue(uint32_t level) const
{
    return AtLevel(durationModifier, level);
}

void DamageAttributeDurMod::GetText(std::wstring& line, uint32_t level) const
{
    if (GetModifierValue(level) != 0.0f || GetDurationModifierValue(level) != 0.0f)
        line += BuildLine(level);
}

void DamageAttributeDurMod::GetNextText(std::wstring& line, uint32_t level,
                                        uint32_t nextLevel) const
{
    if (GetModifierValue(level) != GetModifierValue(nextLevel) ||
        GetDurationModifierValue(level) != GetDurationModifierValue(nextLevel) ||
        GetChance(level) != GetChance(nextLevel))
        line += BuildLine(nextLevel);
}

std::wstring DamageAttributeDurMod::BuildLine(uint32_t level) const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    std::wstring line = ChancePrefix(GetChance(level)) +
                        text.Format(GetDisplayTag(), static_cast<double>(GetModifierValue(level)));
    const float duration = GetDurationModifierValue(level);
    if (duration > 0.0f)
        line += text.Format("ImprovedTimeFormat", static_cast<double>(duration));
    return line;
}

} // namespace GAME
