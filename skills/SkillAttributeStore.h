#pragma once

#include "skills/SkillAttribute.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class CostInfo_SkillAttributes;
class LoadTable;
class RandomUniform;
class SkillAttributeAccumulator;

// The skill attributes of one source, in the order its loader reads them; that order is the
// order of their rolls on the accumulator's generator and of their text.
class SkillAttributeStore {
public:
    SkillAttributeStore() = default;
    virtual ~SkillAttributeStore() = default;
    // Copies own attributes of their own and no generator: a lent generator belongs to the one
    // load it was lent for.
    SkillAttributeStore(const SkillAttributeStore& other);
    SkillAttributeStore& operator=(const SkillAttributeStore& other);

    virtual void CreateText(std::vector<std::wstring>& lines, uint32_t level) const;
    virtual void CreateNextText(std::vector<std::wstring>& lines, uint32_t level,
                                uint32_t nextLevel) const;
    virtual void AddToStore(std::unique_ptr<SkillAttribute> attribute);
    virtual void AddToAccumulator(SkillAttributeAccumulator& accumulator, uint32_t level) const;
    // Rolls only with a generator set: without one the item has no seed to agree on.
    virtual void AddJitter(float percent);
    virtual void ScaleAttributes(float percent);

    void GetCostInfo(CostInfo_SkillAttributes& info) const;
    void Clear() { attributes.clear(); }
    // The generator that loading and jitter roll with; items seed one with their own seed.
    RandomUniform* GetRandomGen() const { return randomGen; }
    void SetRandomGen(RandomUniform* random) { randomGen = random; }
    const std::vector<std::unique_ptr<SkillAttribute>>& GetAttributes() const { return attributes; }

protected:
    // Replaces the contents with every kind the records give something for, in the fixed kind
    // order; the affix records are for items only.
    void LoadKinds(const LoadTable& record, const LoadTable* prefix, const LoadTable* suffix);

private:
    std::vector<std::unique_ptr<SkillAttribute>> attributes;
    RandomUniform* randomGen = nullptr;
};

} // namespace GAME
