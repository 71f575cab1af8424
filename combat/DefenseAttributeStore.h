#pragma once

#include "combat/DefenseAttribute.h"
#include "core/LentPointer.h"
#include "core/OwnedList.h"
#include "engine/RecordKeyIndex.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

struct AttributeRecords;
class CombatAttributeAccumulator;
class CostInfo_DefenseAttributes;
class LoadTable;
class RandomUniform;

// The defenses that one source grants (an item with its affixes, a skill record, a character's
// own resistances), in their load order. Every attack they are added at the source's level,
// each rolling its own chance; the accumulator merges defenses of one type.
class DefenseAttributeStore {
public:
    using AttributeList = OwnedList<DefenseAttribute>;

    DefenseAttributeStore() = default;
    virtual ~DefenseAttributeStore();
    // A copy owns clones of the attributes and no generator.
    DefenseAttributeStore(const DefenseAttributeStore& other) = default;
    DefenseAttributeStore& operator=(const DefenseAttributeStore& other) = default;

    virtual void CreateText(std::vector<std::wstring>& first, std::vector<std::wstring>& second,
                            uint32_t level) const;
    virtual void CreateNextText(std::vector<std::wstring>& first, std::vector<std::wstring>& second,
                                uint32_t level, uint32_t nextLevel) const;
    // Takes ownership; a null attribute is ignored.
    virtual void AddAttribute(std::unique_ptr<DefenseAttribute> attribute);
    virtual void AddToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level) const;
    virtual void ScaleAttributes(float percent);

    // The generator that loading rolls jitter with; items lend one seeded from the item. Every
    // loader ends the loan, so the store holds none once loaded.
    RandomUniform* GetRandomGen() const { return randomGen.Get(); }
    void SetRandomGen(RandomUniform* random) { randomGen.Lend(random); }
    void GetCostInfo(CostInfo_DefenseAttributes& info) const;
    void Clear();
    // Room for `count` attributes, for a loader that knows how many it will add.
    void Reserve(size_t count) { attributes.Reserve(count); }

    const AttributeList& GetAttributes() const { return attributes; }

    // Loads one attribute kind from the record and, each on its own with its own jitter, from
    // each affix record given that may hold it (see RecordKeyIndex; `loader` is the kind's number
    // there); `make` creates a fresh attribute of the kind for each.
    using MakeAttribute = std::unique_ptr<DefenseAttribute> (*)();
    void LoadKind(MakeAttribute make, size_t loader, const AttributeRecords& records);
    // Loads one kind that is kept, worth 0, when the record leaves it out.
    void LoadKeptKind(MakeAttribute make, const LoadTable& record);

protected:
    // The defenses that items and skills share, in their load order. Skills take the physical
    // resistance over time before its modifier, and add conversion and the monster-only kinds.
    void LoadSequence(const AttributeRecords& records, bool skillKinds);
    // Every loader ends with this: the lent generator must not outlive loading.
    void EndLoad() { randomGen.EndLoan(); }

private:
    void LoadFrom(MakeAttribute make, const LoadTable& table, bool keepEmpty, float jitter);

    AttributeList attributes;
    LentPointer<RandomUniform> randomGen;
};

template <typename T> std::unique_ptr<DefenseAttribute> MakeDefenseAttribute()
{
    return std::make_unique<T>();
}

// One attribute kind from the record and from each affix record given.
template <typename T>
void LoadAttribute(DefenseAttributeStore& store, const AttributeRecords& records)
{
    const size_t loader = RecordLoaderOf<T>([](const LoadTable& empty) {
        T attribute;
        return attribute.LoadFromTable(empty, false);
    });
    store.LoadKind(&MakeDefenseAttribute<T>, loader, records);
}

template <typename... T>
void LoadAttributes(DefenseAttributeStore& store, const AttributeRecords& records)
{
    (LoadAttribute<T>(store, records), ...);
}

// One kind that a character always has, worth 0 when its record leaves it out.
template <typename T>
void LoadCharacterAttribute(DefenseAttributeStore& store, const LoadTable& record)
{
    store.LoadKeptKind(&MakeDefenseAttribute<T>, record);
}

template <typename... T>
void LoadCharacterAttributes(DefenseAttributeStore& store, const LoadTable& record)
{
    store.Reserve(sizeof...(T));
    (LoadCharacterAttribute<T>(store, record), ...);
}

} // namespace GAME
