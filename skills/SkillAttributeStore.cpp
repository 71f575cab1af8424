#include "skills/SkillAttributeStore.h"

#include "skills/SkillAttributeMod.h"
#include "skills/SkillAttributeVal.h"

namespace GAME {

void SkillAttributeStore::CreateText(std::vector<std::wstring>& lines, uint32_t level) const
{
    for (const auto& attribute : attributes)
        attribute->CreateText(level, lines);
}

void SkillAttributeStore::CreateNextText(std::vector<std::wstring>& lines, uint32_t level,
                                         uint32_t nextLevel) const
{
    for (const auto& attribute : attributes)
        attribute->CreateNextText(level, nextLevel, lines);
}

void SkillAttributeStore::AddToStore(std::unique_ptr<SkillAttribute> attribute)
{
    attributes.Add(std::move(attribute));
}

void SkillAttributeStore::AddToAccumulator(SkillAttributeAccumulator& accumulator,
                                           uint32_t level) const
{
    for (const auto& attribute : attributes)
        attribute->AddToAccumulator(accumulator, level);
}

void SkillAttributeStore::AddJitter(float percent)
{
    RandomUniform* random = randomGen.Get();
    if (!(percent > 0.0f) || random == nullptr)
        return;
    for (const auto& attribute : attributes)
        attribute->AddJitter(percent, random);
}

void SkillAttributeStore::ScaleAttributes(float percent)
{
    for (const auto& attribute : attributes)
        attribute->ScaleAttribute(percent);
}

void SkillAttributeStore::GetCostInfo(CostInfo_SkillAttributes& info) const
{
    for (const auto& attribute : attributes)
        attribute->GetCostInfo(info);
}

void SkillAttributeStore::LoadKinds(const LoadTable& record, const LoadTable* prefix,
                                    const LoadTable* suffix)
{
    Clear();
    auto load = [&](std::unique_ptr<SkillAttribute> attribute) {
        attribute->LoadBaseTable(record);
        if (prefix != nullptr)
            attribute->LoadPrefixTable(*prefix, randomGen.Get());
        if (suffix != nullptr)
            attribute->LoadSuffixTable(*suffix, randomGen.Get());
        if (attribute->IsNotEmpty())
            AddToStore(std::move(attribute));
    };
    load(std::make_unique<SkillAttributeVal_CooldownReduction>());
    load(std::make_unique<SkillAttributeVal_ManaCostReduction>());
    load(std::make_unique<SkillAttributeVal_ProjectileSpeedModifier>());
    load(std::make_unique<SkillAttributeMod_CooldownReduction>());
    load(std::make_unique<SkillAttributeMod_ManaCostReduction>());
}

} // namespace GAME
