#include "combat/DamageAttributeAbs_ManaBurn.h"

#include "combat/CombatAttributeAbsDamage_ManaBurn.h"
#include "combat/CombatAttributeAccumulator.h"
#include "engine/LocalizationManager.h"

namespace GAME {

namespace {
// Mana burn names its range keys after the drain, unlike every other flat kind.
const DamageAttributeKeys kManaBurnKeys{
    .type = CombatAttributeType_ManaBurn,
    .chance = "offensiveManaBurnChance",
    .xorKey = "offensiveManaBurnXOR",
    .global = "offensiveManaBurnGlobal",
    .display = "DamageManaDrain",
    .valueMin = "offensiveManaBurnDrainMin",
    .valueMax = "offensiveManaBurnDrainMax",
    .damageRatio = "offensiveManaBurnDamageRatio",
};

std::wstring RatioText(float ratio)
{
    return LocalizationManager::Instance().Format("DamageManaBurnRatio",
                                                  static_cast<double>(ratio));
}
} // namespace

DamageAttributeAbs_ManaBurn::DamageAttributeAbs_ManaBurn() : DamageAttributeAbsBonus(kManaBurnKeys)
{}

bool DamageAttributeAbs_ManaBurn::LoadFromTable(const LoadTable& table)
{
    ReadLevels(table, GetLoadDamageRatioTag(), damageRatio, false);
    return DamageAttributeAbsBonus::LoadFromTable(table);
}

void DamageAttributeAbs_ManaBurn::GetText(std::wstring& line, uint32_t level) const
{
    DamageAttributeAbsBonus::GetText(line, level);
    const float ratio = GetDamageRatio(level);
    if (ratio > 0.0f)
        line += RatioText(ratio);
}

void DamageAttributeAbs_ManaBurn::GetNextText(std::wstring& line, uint32_t level,
                                              uint32_t nextLevel) const
{
    DamageAttributeAbsBonus::GetNextText(line, level, nextLevel);
    const float ratio = GetDamageRatio(nextLevel);
    if (ratio != GetDamageRatio(level))
        line += RatioText(ratio);
}

std::unique_ptr<DamageAttribute> DamageAttributeAbs_ManaBurn::Clone() const
{
    return std::make_unique<DamageAttributeAbs_ManaBurn>(*this);
}

float DamageAttributeAbs_ManaBurn::GetDamageRatio(uint32_t level) const
{
    return AtLevel(damageRatio, level);
}

const char* DamageAttributeAbs_ManaBurn::GetLoadDamageRatioTag() const
{
    return GetKeys().damageRatio;
}

void DamageAttributeAbs_ManaBurn::AddDrawnDamage(CombatAttributeAccumulator& accumulator,
                                                 uint32_t level, float value) const
{
    accumulator.AddDamage(std::make_unique<CombatAttributeAbsDamage_ManaBurn>(
        GetType(), value, GetDamageRatio(level)));
}

} // namespace GAME
