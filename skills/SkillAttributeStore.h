#pragma once

#include "skills/SkillAttribute.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class SkillAttributeAccumulator;

// The skill attributes of one source, in the order its loader reads them; that order is the
// order of their rolls on the accumulator's generator and of their text.
class SkillAttributeStore {
public:
    SkillAttributeStore() = default;
    virtual ~SkillAttributeStore() = default;
    SkillAttributeStore(const SkillAttributeStore&) = delete;
    SkillAttributeStore& operator=(const SkillAttributeStore&) = delete;

    virtual void CreateText(std::vector<std::wstring>& lines, uint32_t level) const;
    virtual void AddToStore(std::unique_ptr<SkillAttribute> attribute);
    virtual void AddToAccumulator(SkillAttributeAccumulator& accumulator, uint32_t level) const;

    void Clear() { attributes.clear(); }
    const std::vector<std::unique_ptr<SkillAttribute>>& GetAttributes() const { return attributes; }

private:
    std::vector<std::unique_ptr<SkillAttribute>> attributes;
};

} // namespace GAME
