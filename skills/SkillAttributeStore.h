#pragma once

#include "core/LentPointer.h"
#include "core/OwnedList.h"
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
    using AttributeList = OwnedList<SkillAttribute>;

    SkillAttributeStore() = default;
    virtual ~SkillAttributeStore() = default;
    // A copy owns clones of the attributes and no generator.
    SkillAttributeStore(const SkillAttributeStore& other) = default;
    SkillAttributeStore& operator=(const SkillAttributeStore& other) = default;

    virtual void CreateText(std::vector<std::wstring>& lines, uint32_t level) const;
    virtual void CreateNextText(std::vector<std::wstring>& lines, uint32_t level,
                                uint32_t nextLevel) const;
    virtual void AddToStore(std::unique_ptr<SkillAttribute> attribute);
    virtual void AddToAccumulator(SkillAttributeAccumulator& accumulator, uint32_t level) const;
    // Rolls only with a generator set: without one the item has no seed to agree on.
    virtual void AddJitter(float percent);
    virtual void ScaleAttributes(float percent);

    void GetCostInfo(CostInfo_SkillAttributes& info) const;
    void Clear() { attributes.Clear(); }
    // The generator that loading and jitter roll with; items lend one seeded with their own
    // seed. Unlike the other stores, loading keeps it: an item jitters this store after loading
    // and scaling it, and ends the loan itself with a null generator once the item is rolled.
    RandomUniform* GetRandomGen() const { return randomGen.Get(); }
    void SetRandomGen(RandomUniform* random) { randomGen.Lend(random); }
    const AttributeList& GetAttributes() const { return attributes; }

protected:
    // Replaces the contents with every kind the records give something for, in the fixed kind
    // order; the affix records are for items only.
    void LoadKinds(const LoadTable& record, const LoadTable* prefix, const LoadTable* suffix);

private:
    AttributeList attributes;
    LentPointer<RandomUniform> randomGen;
};

} // namespace GAME
