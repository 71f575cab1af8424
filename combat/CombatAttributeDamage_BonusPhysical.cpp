#include "combat/CombatAttributeDamage_BonusPhysical.h"

namespace GAME {

std::unique_ptr<CombatAttribute> CombatAttributeDamage_BonusPhysical::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeDamage_BonusPhysical(*this));
}

void CombatAttributeDamage_BonusPhysical::Process(const Character& /*who*/, float /*scalePercent*/,
                                                  float /*flat*/, float /*percentReduction*/,
                                                  float /*absoluteReduction*/)
{}

void CombatAttributeDamage_BonusPhysical::ModifyAbsoluteDamage(CombatAttributeType /*modType*/,
                                                               float /*amount*/)
{}

} // namespace GAME
