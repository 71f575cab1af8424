#include "combat/DamageAttributeStore_Equipment.h"

#include "combat/DamageAttributeKinds.h"

namespace GAME {

namespace {
constexpr float kItemJitter = 20.0f;
}

void DamageAttributeStore_Equipment::Load(const LoadTable& record, const LoadTable* prefix,
                                          const LoadTable* suffix, bool isArmor)
{
    BeginLoad(record, prefix, suffix);
    if (isArmor) {
        LoadAttribute<DamageAttribute_Physical>(*this, record, prefix, suffix, kItemJitter);
    } else {
        // A weapon's own damage is fixed by its record; affixes cannot add another.
        DamageAttribute_BasePhysical::Create_BasePhysical(*this, record);
        LoadAttributes<DamageAttributeAbsBase_Fire, DamageAttributeAbsBase_Cold,
                       DamageAttributeAbsBase_Lightning, DamageAttributeAbsBase_Poison,
                       DamageAttributeAbsBase_Life, DamageAttributeAbs_BonusPhysical>(
            *this, record, prefix, suffix, kItemJitter);
    }
    LoadCommonAttributes(record, prefix, suffix, kItemJitter, false);
    EndLoad();
}

} // namespace GAME
