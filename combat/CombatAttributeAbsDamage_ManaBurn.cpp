#include "combat/CombatAttributeAbsDamage_ManaBurn.h"

#include "characters/CharAttributeType.h"
#include "characters/Character.h"
#include "core/Helpers.h"

namespace GAME {

namespace {
// The reduction key of the ratio; it has no name among the types.
constexpr auto kManaBurnRatioReduction = static_cast<CombatAttributeType>(46);
} // namespace

std::unique_ptr<CombatAttribute> CombatAttributeAbsDamage_ManaBurn::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeAbsDamage_ManaBurn(*this));
}

void CombatAttributeAbsDamage_ManaBurn::Execute(Character& defender)
{
    if (value <= 0.0f)
        return;
    const float totalMana = defender.GetTotalCharAttribute(CharAttribute_Mana);
    const float drained = Min(defender.GetCurrentMana(), value * 0.01f * totalMana);
    defender.SubtractMana(drained);
    const float damage = ratio * 0.01f * drained;
    if (damage > 0.0f)
        defender.ApplyDamage(damage, StatsType(GetType()), GetType());
}

void CombatAttributeAbsDamage_ManaBurn::GetTotalDamage(float& /*absolute*/, float& /*overTime*/) {}

void CombatAttributeAbsDamage_ManaBurn::ModifyAbsoluteDamage(CombatAttributeType modType,
                                                             float amount)
{
    if (modType == GetType())
        ratio += amount;
}

void CombatAttributeAbsDamage_ManaBurn::ReduceAbsoluteDamage(CombatAttributeType reduceType,
                                                             float percent)
{
    const float factor = 1.0f - percent * 0.01f;
    if (reduceType == GetType() || reduceType == CombatAttributeType_ManaLeach)
        value = factor * value;
    if (reduceType == kManaBurnRatioReduction)
        ratio = factor * ratio;
    value = Max(value, 0.0f);
    ratio = Max(ratio, 0.0f);
}

} // namespace GAME
