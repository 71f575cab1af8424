#include "combat/RetaliationAttributeStore_Skill.h"

#include "combat/AttributeRecords.h"
#include "combat/RetaliationAttributeKinds.h"

namespace GAME {

void RetaliationAttributeStore_Skill::Load(const LoadTable& record)
{
    const AttributeRecords records(record, nullptr, nullptr, 0.0f);
    BeginLoad(records);
    LoadLeadingAttributes(records);
    // Skills take their elements fire, cold, lightning, poison; items in an order of their own.
    LoadAttributes<RetaliationAttributeAbs_Fire, RetaliationAttributeDur_Fire,
                   RetaliationAttributeAbsMod_Fire, RetaliationAttributeDurMod_Fire,
                   RetaliationAttributeAbs_Cold, RetaliationAttributeDur_Cold,
                   RetaliationAttributeAbsMod_Cold, RetaliationAttributeDurMod_Cold,
                   RetaliationAttributeAbs_Lightning, RetaliationAttributeDur_Lightning,
                   RetaliationAttributeAbsMod_Lightning, RetaliationAttributeDurMod_Lightning,
                   RetaliationAttributeAbs_Poison, RetaliationAttributeDur_Poison,
                   RetaliationAttributeAbsMod_Poison, RetaliationAttributeDurMod_Poison>(*this,
                                                                                         records);
    LoadTrailingAttributes(records);
    EndLoad();
}

} // namespace GAME
