#include "combat/RetaliationAttributeStore.h"

#include "combat/AttributeRecords.h"
#include "combat/RetaliationAttributeKinds.h"

namespace GAME {

void RetaliationAttributeStore::SetGlobalChance(const LoadTable& record, const LoadTable* prefix,
                                                const LoadTable* suffix)
{
    LoadGlobalChance("retaliationGlobalChance", record, prefix, suffix);
}

void RetaliationAttributeStore::LoadLeadingAttributes(const AttributeRecords& records)
{
    LoadAttributes<RetaliationAttributeAbs_Physical, RetaliationAttributeDur_Physical,
                   RetaliationAttributeAbsMod_Physical, RetaliationAttributeDurMod_Physical,
                   RetaliationAttributeAbsMod_PierceRatio, RetaliationAttributeAbs_Pierce,
                   RetaliationAttributeAbsMod_Pierce, RetaliationAttributeDur_Bleeding,
                   RetaliationAttributeDurMod_Bleeding, RetaliationAttributeAbs_ElementalDamage>(
        *this, records);
}

void RetaliationAttributeStore::LoadTrailingAttributes(const AttributeRecords& records)
{
    LoadAttributes<
        RetaliationAttributeAbs_PercentCurrentLife, RetaliationAttributeAbs_Life,
        RetaliationAttributeDur_Life, RetaliationAttributeAbsMod_Life,
        RetaliationAttributeDurMod_Life, RetaliationAttributeDur_LifeLeach,
        RetaliationAttributeDurMod_LifeLeach, RetaliationAttributeDur_ManaLeach,
        RetaliationAttributeDurMod_ManaLeach, RetaliationAttributeDur_OffensiveAbility,
        RetaliationAttributeDurMod_OffensiveAbility, RetaliationAttributeDur_DefensiveAbility,
        RetaliationAttributeDurMod_DefensiveAbility, RetaliationAttributeDur_OffensiveReduction,
        RetaliationAttributeDurMod_OffensiveReduction, RetaliationAttributeReflex_Stun,
        RetaliationAttributeAbsMod_Stun, RetaliationAttributeDur_AttackSpeed,
        RetaliationAttributeDurMod_AttackSpeed, RetaliationAttributeDur_SpellCastSpeed,
        RetaliationAttributeDurMod_SpellCastSpeed, RetaliationAttributeDur_RunSpeed,
        RetaliationAttributeDurMod_RunSpeed>(*this, records);
}

} // namespace GAME
