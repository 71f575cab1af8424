#include "combat/RetaliationAttributeStore_Equipment.h"

#include "combat/AttributeRecords.h"
#include "combat/RetaliationAttributeKinds.h"

namespace GAME {

namespace {
// Loot rolls the item's own retaliation by this percent.
constexpr float kItemJitterPercent = 20.0f;
} // namespace

void RetaliationAttributeStore_Equipment::Load(const LoadTable& record, const LoadTable* prefix,
                                               const LoadTable* suffix, bool /*isArmor*/)
{
    const AttributeRecords records(record, prefix, suffix, kItemJitterPercent);
    BeginLoad(records);
    LoadLeadingAttributes(records);
    // Items take their elements cold, poison, lightning, fire; skills in an order of their own.
    LoadAttributes<RetaliationAttributeAbs_Cold, RetaliationAttributeDur_Cold,
                   RetaliationAttributeAbsMod_Cold, RetaliationAttributeDurMod_Cold,
                   RetaliationAttributeAbs_Poison, RetaliationAttributeDur_Poison,
                   RetaliationAttributeAbsMod_Poison, RetaliationAttributeDurMod_Poison,
                   RetaliationAttributeAbs_Lightning, RetaliationAttributeDur_Lightning,
                   RetaliationAttributeAbsMod_Lightning, RetaliationAttributeDurMod_Lightning,
                   RetaliationAttributeAbs_Fire, RetaliationAttributeDur_Fire,
                   RetaliationAttributeAbsMod_Fire, RetaliationAttributeDurMod_Fire>(*this,
                                                                                     records);
    LoadTrailingAttributes(records);
    EndLoad();
}

} // namespace GAME
