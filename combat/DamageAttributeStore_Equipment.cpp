#include "combat/DamageAttributeStore_Equipment.h"

#include "combat/AttributeRecords.h"
#include "combat/DamageAttributeKinds.h"

namespace GAME {

namespace {
constexpr float kDamageItemJitter = 20.0f;
}

void DamageAttributeStore_Equipment::Load(const LoadTable& record, const LoadTable* prefix,
                                          const LoadTable* suffix, bool isArmor)
{
    const AttributeRecords records(record, prefix, suffix, kDamageItemJitter);
    BeginLoad(records);
    if (isArmor) {
        LoadAttribute<DamageAttribute_Physical>(*this, records);
    } else {
        // A weapon's own damage is fixed by its record; affixes cannot add another.
        DamageAttribute_BasePhysical::Create_BasePhysical(*this, record);
        LoadAttributes<DamageAttributeAbsBase_Fire, DamageAttributeAbsBase_Cold,
                       DamageAttributeAbsBase_Lightning, DamageAttributeAbsBase_Poison,
                       DamageAttributeAbsBase_Life, DamageAttributeAbs_BonusPhysical>(*this,
                                                                                      records);
    }
    LoadCommonAttributes(records, false);
    EndLoad();
}

} // namespace GAME
