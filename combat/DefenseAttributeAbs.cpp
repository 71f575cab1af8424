#include "combat/DefenseAttributeAbs.h"

namespace GAME {

void DefenseAttributeAbsMonsterOnly::CreateText(uint32_t /*level*/, Lines& /*first*/,
                                                Lines& /*second*/) const
{}

void DefenseAttributeAbsMonsterOnly::CreateNextText(uint32_t /*level*/, uint32_t /*nextLevel*/,
                                                    Lines& /*first*/, Lines& /*second*/) const
{}

void DefenseAttributeAbs_ElementalResistance::AddToAccumulator(
    CombatAttributeAccumulator& accumulator, uint32_t level, bool skipChance) const
{
    const auto value = RollValue(accumulator, level, skipChance);
    if (!value)
        return;
    for (CombatAttributeType type :
         {CombatAttributeType_Cold, CombatAttributeType_Fire, CombatAttributeType_Lightning})
        accumulator.AddDefenseOf<CombatAttributeAbsDefense>(type, *value);
}

std::unique_ptr<DefenseAttribute> DefenseAttributeAbs_ElementalResistance::Clone() const
{
    return std::make_unique<DefenseAttributeAbs_ElementalResistance>(*this);
}

} // namespace GAME
