#include "combat/DamageAttributeStore.h"

#include "combat/AttributeRecords.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/DamageAttribute.h"
#include "combat/DamageAttributeKinds.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"

#include <algorithm>
#include <utility>

namespace GAME {

DamageAttributeStore::DamageAttributeStore() = default;

DamageAttributeStore::~DamageAttributeStore()
{
    Clear();
}

DamageAttributeStore::DamageAttributeStore(const DamageAttributeStore& other) = default;

DamageAttributeStore& DamageAttributeStore::operator=(const DamageAttributeStore& other) = default;

void DamageAttributeStore::Clear()
{
    attributesGlobalXor.Clear();
    attributesGlobalAnd.Clear();
    attributes.Clear();
}

void DamageAttributeStore::AddGlobalXorAttribute(std::unique_ptr<DamageAttribute> attribute)
{
    attributesGlobalXor.Add(std::move(attribute));
}

void DamageAttributeStore::AddGlobalAndAttribute(std::unique_ptr<DamageAttribute> attribute)
{
    attributesGlobalAnd.Add(std::move(attribute));
}

void DamageAttributeStore::AddAttribute(std::unique_ptr<DamageAttribute> attribute)
{
    attributes.Add(std::move(attribute));
}

void DamageAttributeStore::SetGlobalChance(const LoadTable& record, const LoadTable* prefix,
                                           const LoadTable* suffix)
{
    LoadGlobalChance("offensiveGlobalChance", record, prefix, suffix);
}

void DamageAttributeStore::LoadGlobalChance(const char* key, const LoadTable& record,
                                            const LoadTable* prefix, const LoadTable* suffix)
{
    // The first record's chances stand for the life of the store.
    if (globalChance.empty())
        record.GetFloatList(key, globalChance);
    if (prefix != nullptr)
        prefixGlobalChance = prefix->GetFloat(key, 0.0f);
    if (suffix != nullptr)
        suffixGlobalChance = suffix->GetFloat(key, 0.0f);
}

float DamageAttributeStore::GetGlobalChance(uint32_t level) const
{
    float chance = 0.0f;
    if (level != 0 && !globalChance.empty())
        chance = globalChance[std::min<size_t>(level - 1, globalChance.size() - 1)];
    // Affixes only roll at the first level, where the suffix has the last word.
    if (level == 1) {
        if (prefixGlobalChance > 0.0f)
            chance = prefixGlobalChance;
        if (suffixGlobalChance > 0.0f)
            chance = suffixGlobalChance;
    }
    return chance;
}

void DamageAttributeStore::BeginLoad(const AttributeRecords& records)
{
    Clear();
    SetGlobalChance(records.record, records.prefix, records.suffix);
}

void DamageAttributeStore::LoadFrom(MakeAttribute make, const LoadTable& table, float jitterPercent)
{
    if (DamageAttribute* loaded = DamageAttribute::LoadInto(make(), *this, table))
        loaded->AddJitter(jitterPercent, randomGen.Get());
}

void DamageAttributeStore::LoadKind(MakeAttribute make, size_t loader,
                                    const AttributeRecords& records)
{
    if (RecordKeyIndex::MayFind(records.recordKinds, loader))
        LoadFrom(make, records.record, records.jitterPercent);
    if (records.prefix != nullptr && RecordKeyIndex::MayFind(records.prefixKinds, loader))
        LoadFrom(make, *records.prefix, records.prefixJitterPercent);
    if (records.suffix != nullptr && RecordKeyIndex::MayFind(records.suffixKinds, loader))
        LoadFrom(make, *records.suffix, records.suffixJitterPercent);
}

void DamageAttributeStore::LoadCommonAttributes(const AttributeRecords& records, bool skillKinds)
{
    LoadAttributes<
        DamageAttributeAbsMod_Physical, DamageAttributeDurMod_Physical,
        DamageAttributeAbsMod_PierceRatio, DamageAttributeAbs_Pierce, DamageAttributeAbsMod_Pierce,
        DamageAttributeDur_Bleeding, DamageAttributeAbsMod_Bleeding, DamageAttributeDurMod_Bleeding,
        DamageAttributeAbs_ElementalDamage, DamageAttributeAbsMod_Elemental,
        DamageAttributeAbs_Fire, DamageAttributeDur_Fire, DamageAttributeAbsMod_Fire,
        DamageAttributeDurMod_Fire, DamageAttributeAbs_Cold, DamageAttributeDur_Cold,
        DamageAttributeAbsMod_Cold, DamageAttributeDurMod_Cold, DamageAttributeAbs_Lightning,
        DamageAttributeDur_Lightning, DamageAttributeAbsMod_Lightning,
        DamageAttributeDurMod_Lightning, DamageAttributeAbs_Poison, DamageAttributeDur_Poison,
        DamageAttributeAbsMod_Poison, DamageAttributeDurMod_Poison,
        DamageAttributeAbs_PercentCurrentLife, DamageAttributeAbs_Life, DamageAttributeDur_Life,
        DamageAttributeAbsMod_Life, DamageAttributeDurMod_Life, DamageAttributeAbs_LifeLeech,
        DamageAttributeDur_LifeLeach, DamageAttributeDurMod_LifeLeach, DamageAttributeAbs_ManaBurn,
        DamageAttributeAbsMod_ManaBurn, DamageAttributeDur_ManaLeach,
        DamageAttributeDurMod_ManaLeach, DamageAttributeDur_OffensiveAbility,
        DamageAttributeDurMod_OffensiveAbility, DamageAttributeDur_DefensiveAbility,
        DamageAttributeDurMod_DefensiveAbility, DamageAttributeDur_OffensiveReduction,
        DamageAttributeDurMod_OffensiveReduction, DamageAttributeDur_DefensiveReduction,
        DamageAttributeDur_TotalDamageReductionPercent,
        DamageAttributeDur_TotalDamageReductionAbsolute,
        DamageAttributeDur_TotalResistanceReductionPercent,
        DamageAttributeDur_TotalResistanceReductionAbsolute, DamageAttributeDur_Fumble,
        DamageAttributeDur_ProjectileFumble>(*this, records);
    if (skillKinds)
        LoadAttributes<DamageAttributeAbs_Disruption>(*this, records);
    LoadAttributes<DamageAttributeReflex_Stun, DamageAttributeAbsMod_Stun>(*this, records);
    if (skillKinds)
        LoadAttributes<DamageAttributeReflex_Trap>(*this, records);
    LoadAttributes<DamageAttributeReflex_Freeze, DamageAttributeReflex_Petrify>(*this, records);
    if (skillKinds)
        LoadAttributes<DamageAttributeAbs_Taunt>(*this, records);
    LoadAttributes<DamageAttributeAbs_Convert>(*this, records);
    if (skillKinds)
        LoadAttributes<DamageAttributeAbs_Fear>(*this, records);
    LoadAttributes<DamageAttributeAbs_Confusion, DamageAttributeDur_TotalSpeed,
                   DamageAttributeDur_AttackSpeed, DamageAttributeDurMod_AttackSpeed,
                   DamageAttributeDur_SpellCastSpeed, DamageAttributeDurMod_SpellCastSpeed,
                   DamageAttributeDur_RunSpeed, DamageAttributeDurMod_RunSpeed>(*this, records);
    if (!skillKinds)
        LoadAttributes<DamageAttributeAbs_Disruption>(*this, records);
}

void DamageAttributeStore::AddDamageToAccumulator(CombatAttributeAccumulator& accumulator,
                                                  uint32_t level) const
{
    AddToAccumulator(accumulator, level, false);
}

void DamageAttributeStore::AddModifierToAccumulator(CombatAttributeAccumulator& accumulator,
                                                    uint32_t level) const
{
    AddToAccumulator(accumulator, level, true);
}

void DamageAttributeStore::AddToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                                            bool modifiers) const
{
    RandomUniform& random = accumulator.GetRandomGen();
    auto add = [&](const DamageAttribute& attribute, bool force) {
        if (modifiers)
            attribute.AddModifierToAccumulator(accumulator, level, random, force);
        else
            attribute.AddDamageToAccumulator(accumulator, level, random, force);
    };
    for (const auto& attribute : attributes)
        add(*attribute, false);
    const float chance = GetGlobalChance(level);
    // Every machine repeats these draws, so a group that cannot apply draws nothing.
    if (!(chance > 0.0f) || random.FGenerate(0.0f, 100.0f) > chance)
        return;
    for (const auto& attribute : attributesGlobalAnd)
        add(*attribute, true);
    if (const DamageAttribute* picked = PickGlobalXor(level, random))
        add(*picked, true);
}

const DamageAttribute* DamageAttributeStore::PickGlobalXor(uint32_t level,
                                                           RandomUniform& random) const
{
    if (attributesGlobalXor.empty())
        return nullptr;
    float total = 0.0f;
    for (const auto& attribute : attributesGlobalXor)
        total += attribute->GetChance(level);
    const float pick = random.FGenerate(0.0f, total);
    float sum = 0.0f;
    for (const auto& attribute : attributesGlobalXor) {
        sum += attribute->GetChance(level);
        if (sum >= pick)
            return attribute.get();
    }
    return nullptr;
}

void DamageAttributeStore::ScaleAttributes(float percent)
{
    for (const AttributeList* list : {&attributesGlobalXor, &attributesGlobalAnd, &attributes})
        for (const auto& attribute : *list)
            attribute->ScaleAttribute(percent);
}

void DamageAttributeStore::GetCostInfo(CostInfo_DamageAttributes& info) const
{
    for (const AttributeList* list : {&attributesGlobalXor, &attributesGlobalAnd, &attributes})
        for (const auto& attribute : *list)
            attribute->GetCostInfo(info);
}

template <typename Text>
void DamageAttributeStore::CreateGroupText(const AttributeList& group, const char* percentTag,
                                           const char* plainTag, float chance,
                                           std::vector<std::wstring>& second, Text text)
{
    if (group.empty())
        return;
    std::vector<std::wstring> scratch[3];
    for (const auto& attribute : group) {
        // The group's header carries the chance, so members show an indent in its place.
        attribute->SetHideChanceIndentLine(true);
        text(*attribute, scratch[0], scratch[1], scratch[2]);
        attribute->SetHideChanceIndentLine(false);
    }
    if (scratch[0].empty() && scratch[1].empty() && scratch[2].empty())
        return;
    const LocalizationManager& texts = LocalizationManager::Instance();
    second.push_back(chance < 100.0f ? texts.Format(percentTag, static_cast<double>(chance))
                                     : texts.Format(plainTag));
    for (const auto& lines : scratch)
        second.insert(second.end(), lines.begin(), lines.end());
}

void DamageAttributeStore::CreateText(std::vector<std::wstring>& first,
                                      std::vector<std::wstring>& second,
                                      std::vector<std::wstring>& third, uint32_t level) const
{
    for (const auto& attribute : attributes)
        attribute->CreateText(first, second, third, level);
    auto text = [level](DamageAttribute& attribute, auto& one, auto& two, auto& three) {
        attribute.CreateText(one, two, three, level);
    };
    const float chance = GetGlobalChance(level);
    CreateGroupText(attributesGlobalAnd, "GlobalPercentChanceOfAllTag", "GlobalChanceOfAllTag",
                    chance, second, text);
    CreateGroupText(attributesGlobalXor, "GlobalPercentChanceOfOneTag", "GlobalChanceOfOneTag",
                    chance, second, text);
}

void DamageAttributeStore::CreateNextText(std::vector<std::wstring>& first,
                                          std::vector<std::wstring>& second,
                                          std::vector<std::wstring>& third, uint32_t level,
                                          uint32_t nextLevel) const
{
    for (const auto& attribute : attributes)
        attribute->CreateNextText(first, second, third, level, nextLevel);
    auto text = [level, nextLevel](DamageAttribute& attribute, auto& one, auto& two, auto& three) {
        attribute.CreateNextText(one, two, three, level, nextLevel);
    };
    const float chance = GetGlobalChance(nextLevel);
    CreateGroupText(attributesGlobalAnd, "GlobalPercentChanceOfAllTag", "GlobalChanceOfAllTag",
                    chance, second, text);
    CreateGroupText(attributesGlobalXor, "GlobalPercentChanceOfOneTag", "GlobalChanceOfOneTag",
                    chance, second, text);
}

} // namespace GAME
