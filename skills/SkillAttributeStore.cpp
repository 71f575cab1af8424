#include "skills/SkillAttributeStore.h"

namespace GAME {

void SkillAttributeStore::CreateText(std::vector<std::wstring>& lines, uint32_t level) const
{
    for (const auto& attribute : attributes)
        attribute->CreateText(level, lines);
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

} // namespace GAME
