#include "skills/SkillAttributeStore.h"

#include "skills/SkillAttributeMod.h"
#include "skills/SkillAttributeVal.h"

namespace GAME {

SkillAttributeStore::SkillAttributeStore(const SkillAttributeStore& other)
{
    *this = other;
}

SkillAttributeStore& SkillAttributeStore::operator=(const SkillAttributeStore& other)
{
    if (this == &other)
        return *this;
    attributes.clear();
    attributes.reserve(other.attributes.size());
    for (const auto& attribute : other.attributes)
        attributes.push_back(attribute->Clone());
    randomGen = nullptr;
    return *this;
}

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
    if (attribute != nullptr)
        attributes.push_back(std::move(attribute));
}

void SkillAttributeStore::AddToAccumulator(SkillAttributeAccumulator& accumulator,
                                           uint32_t level) const
{
    for (const auto& attribute : attributes)
        attribute->AddToAccumulator(accumulator, level);
}

void SkillAttributeStore::AddJitter(float percent)
{
    if (!(percent > 0.0f) || randomGen == nullptr)
        return;
    for (const auto& attribute : attributes)
        attribute->AddJitter(percent, randomGen);
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
            attribute->LoadPrefixTable(*prefix, randomGen);
        if (suffix != nullptr)
            attribute->LoadSuffixTable(*suffix, randomGen);
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
