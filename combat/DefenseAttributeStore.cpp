#include "combat/DefenseAttributeStore.h"

#include "combat/AttributeRecords.h"
#include "combat/DefenseAttributeAbs.h"
#include "combat/DefenseAttributeAbsMod.h"
#include "combat/DefenseAttributeDur.h"
#include "combat/DefenseAttributeDurMod.h"
#include "engine/LoadTable.h"

namespace GAME {

DefenseAttributeStore::~DefenseAttributeStore()
{
    Clear();
}

void DefenseAttributeStore::CreateText(std::vector<std::wstring>& first,
                                       std::vector<std::wstring>& second, uint32_t level) const
{
    for (const auto& attribute : attributes)
        attribute->CreateText(level, first, second);
}

void DefenseAttributeStore::CreateNextText(std::vector<std::wstring>& first,
                                           std::vector<std::wstring>& second, uint32_t level,
                                           uint32_t nextLevel) const
{
    for (const auto& attribute : attributes)
        attribute->CreateNextText(level, nextLevel, first, second);
}

void DefenseAttributeStore::AddAttribute(std::unique_ptr<DefenseAttribute> attribute)
{
    attributes.Add(std::move(attribute));
}

void DefenseAttributeStore::AddToAccumulator(CombatAttributeAccumulator& accumulator,
                                             uint32_t level) const
{
    for (const auto& attribute : attributes)
        attribute->AddToAccumulator(accumulator, level, false);
}

void DefenseAttributeStore::ScaleAttributes(float percent)
{
    for (const auto& attribute : attributes)
        attribute->ScaleAttribute(percent);
}

void DefenseAttributeStore::GetCostInfo(CostInfo_DefenseAttributes& info) const
{
    for (const auto& attribute : attributes)
        attribute->GetCostInfo(info);
}

void DefenseAttributeStore::Clear()
{
    attributes.Clear();
}

void DefenseAttributeStore::LoadKind(MakeAttribute make, size_t loader,
                                     const AttributeRecords& records)
{
    if (RecordKeyIndex::MayFind(records.recordKinds, loader))
        LoadFrom(make, records.record, false, records.jitterPercent);
    if (records.prefix != nullptr && RecordKeyIndex::MayFind(records.prefixKinds, loader))
        LoadFrom(make, *records.prefix, false, records.prefixJitterPercent);
    if (records.suffix != nullptr && RecordKeyIndex::MayFind(records.suffixKinds, loader))
        LoadFrom(make, *records.suffix, false, records.suffixJitterPercent);
}

void DefenseAttributeStore::LoadKeptKind(MakeAttribute make, const LoadTable& record)
{
    LoadFrom(make, record, true, 0.0f);
}

void DefenseAttributeStore::LoadSequence(const AttributeRecords& records, bool skillKinds)
{
    LoadAttributes<DefenseAttributeAbsMod_Protection, DefenseAttributeAbsMod_Absorption,
                   DefenseAttributeAbs_Physical>(*this, records);
    if (skillKinds)
        LoadAttributes<DefenseAttributeDur_Physical, DefenseAttributeAbsMod_Physical>(*this,
                                                                                      records);
    else
        LoadAttributes<DefenseAttributeAbsMod_Physical, DefenseAttributeDur_Physical>(*this,
                                                                                      records);
    LoadAttributes<
        DefenseAttributeDurMod_Physical, DefenseAttributeAbs_Pierce, DefenseAttributeAbsMod_Pierce,
        DefenseAttributeAbs_Bleeding, DefenseAttributeDur_Bleeding, DefenseAttributeAbsMod_Bleeding,
        DefenseAttributeDurMod_Bleeding, DefenseAttributeAbs_ElementalResistance,
        DefenseAttributeAbs_Fire, DefenseAttributeDur_Fire, DefenseAttributeAbsMod_Fire,
        DefenseAttributeDurMod_Fire, DefenseAttributeAbs_Cold, DefenseAttributeDur_Cold,
        DefenseAttributeAbsMod_Cold, DefenseAttributeDurMod_Cold, DefenseAttributeAbs_Lightning,
        DefenseAttributeDur_Lightning, DefenseAttributeAbsMod_Lightning,
        DefenseAttributeDurMod_Lightning, DefenseAttributeAbs_Poison, DefenseAttributeDur_Poison,
        DefenseAttributeAbsMod_Poison, DefenseAttributeDurMod_Poison, DefenseAttributeAbs_Life,
        DefenseAttributeDur_Life, DefenseAttributeAbsMod_Life, DefenseAttributeDurMod_Life,
        DefenseAttributeAbs_LifeLeach, DefenseAttributeDur_LifeLeach,
        DefenseAttributeAbsMod_LifeLeach, DefenseAttributeDurMod_LifeLeach,
        DefenseAttributeAbs_ManaLeach, DefenseAttributeDur_ManaLeach,
        DefenseAttributeAbsMod_ManaLeach, DefenseAttributeDurMod_ManaLeach,
        DefenseAttributeAbs_Stun, DefenseAttributeAbsMod_Stun, DefenseAttributeAbs_Trap,
        DefenseAttributeAbs_Freeze, DefenseAttributeAbs_Petrify, DefenseAttributeAbs_Disruption,
        DefenseAttributeAbs_Taunt, DefenseAttributeAbs_Fear, DefenseAttributeAbs_Confusion>(
        *this, records);
    if (skillKinds)
        LoadAttributes<DefenseAttributeAbs_Convert>(*this, records);
    LoadAttributes<DefenseAttributeMisc_BlockModifier, DefenseAttributeMisc_Reflect>(*this,
                                                                                     records);
    if (skillKinds)
        LoadAttributes<DefenseAttributeAbs_ManaBurnRatio, DefenseAttributeAbs_PercentCurrentLife>(
            *this, records);
}

void DefenseAttributeStore::LoadFrom(MakeAttribute make, const LoadTable& table, bool keepEmpty,
                                     float jitter)
{
    std::unique_ptr<DefenseAttribute> attribute = make();
    if (!attribute->LoadFromTable(table, keepEmpty))
        return;
    attribute->AddJitter(jitter, randomGen.Get());
    AddAttribute(std::move(attribute));
}

} // namespace GAME
