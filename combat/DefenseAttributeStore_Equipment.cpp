#include "combat/DefenseAttributeStore_Equipment.h"

#include "combat/AttributeRecords.h"
#include "combat/DefenseAttribute_BaseProtectionAbsorption.h"

namespace GAME {

namespace {
constexpr float kDefenseItemJitter = 20.0f;
}

void DefenseAttributeStore_Equipment::Load(const LoadTable& record, const LoadTable* prefix,
                                           const LoadTable* suffix, bool withBaseProtection,
                                           CombatAttributeRegion region)
{
    Clear();
    if (withBaseProtection)
        DefenseAttribute_BaseProtectionAbsorption::Create_BaseAbsorptionProtection(
            *this, record, prefix, suffix, kDefenseItemJitter, region);
    LoadSequence(AttributeRecords(record, prefix, suffix, kDefenseItemJitter), false);
    EndLoad();
}

} // namespace GAME
