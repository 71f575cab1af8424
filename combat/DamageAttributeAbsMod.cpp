#include "combat/DamageAttributeAbsMod.h"

#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeMod.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "items/CostInfo_DamageAttributes.h"

namespace GAME {

bool DamageAttributeAbsMod::LoadFromTable(const LoadTable& table)
{
    ReadLevels(table, GetLoadModifierTag(), modifier, true);
    if (modifier.empty())
        return false;
    ReadChance(table);
    return true;
}

void DamageAttributeAbsMod::AddDamageToAccumulator(CombatAttributeAccumulator& /*accumulator*/,
                                                   uint32_t /*level*/, RandomUniform& /*random*/,
                                                   bool /*force*/) const
{}

void DamageAttributeAbsMod::AddModifierToAccumulator(CombatAttributeAccumulator& accumulator,
                                                     uint32_t level, RandomUniform& /*random*/,
                                                     bool force) const
{
    float multiplier = 1.0f;
    if (RollChance(accumulator, level, force, multiplier))
        AddDrawnModifier(accumulator, GetModifierValue(level) * multiplier);
}

void DamageAttributeAbsMod::AddDrawnModifier(CombatAttributeAccumulator& accumulator,
                                             float value) const
{
    accumulator.AddDamageModifier(std::make_unique<CombatAttributeAbsDamageMod>(GetType(), value));
}

void DamageAttributeAbsMod::ScaleAttribute(float percent)
{
    if (percent == 0.0f)
        return;
    for (float& value : modifier)
        value = Scale(value, percent);
}

void DamageAttributeAbsMod::AddJitter(float jitterPercent, RandomUniform* random)
{
    const float percent = JitterPercent(jitterPercent, random);
    if (percent < 0.0f)
        return;
    for (float& value : modifier)
        value = Jitter(value, percent, *random);
}

void DamageAttributeAbsMod::GetCostInfo(CostInfo_DamageAttributes& info) const
{
    const float value = GetModifierValue(1) * CostFactor();
    if (value > 0.0f) {
        info.mod += value;
        ++info.count;
    }
}

const char* DamageAttributeAbsMod::GetLoadModifierTag() const
{
    return GetKeys().modifier;
}

float DamageAttributeAbsMod::GetModifierValue(uint32_t level) const
{
    return AtLevel(modifier, level);
}

void DamageAttributeAbsMod::GetText(std::wstring& line, uint32_t level) const
{
    if (GetModifierValue(level) != 0.0f)
        line += BuildLine(level);
}

void DamageAttributeAbsMod::GetNextText(std::wstring& line, uint32_t level,
                                        uint32_t nextLevel) const
{
    if (GetModifierValue(level) != GetModifierValue(nextLevel) ||
        GetChance(level) != GetChance(nextLevel))
        line += BuildLine(nextLevel);
}

std::wstring DamageAttributeAbsMod::BuildLine(uint32_t level) const
{
    return ChancePrefix(GetChance(level)) +
           LocalizationManager::Instance().Format(GetDisplayTag(),
                                                  static_cast<double>(GetModifierValue(level)));
}

} // namespace GAME
