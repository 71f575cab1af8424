#pragma once

#include "core/LentPointer.h"
#include "core/OwnedList.h"
#include "engine/RecordKeyIndex.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

struct AttributeRecords;
class CombatAttributeAccumulator;
struct CostInfo_DamageAttributes;
class DamageAttribute;
class LoadTable;
class RandomUniform;

// The offensive damage attributes one source (an item, a skill record, an attribute pack)
// brings to an attack. Besides the plain group, which always takes part, two global groups
// share one chance per level: the "all of" group takes part whole, the "one of" group with a
// single member picked by the members' own chances. The loaders are the kinds of this store.
class DamageAttributeStore {
public:
    using AttributeList = OwnedList<DamageAttribute>;

    DamageAttributeStore();
    virtual ~DamageAttributeStore();
    // A copy owns clones of the attributes and no generator.
    DamageAttributeStore(const DamageAttributeStore& other);
    DamageAttributeStore& operator=(const DamageAttributeStore& other);

    virtual void CreateText(std::vector<std::wstring>& first, std::vector<std::wstring>& second,
                            std::vector<std::wstring>& third, uint32_t level) const;
    virtual void CreateNextText(std::vector<std::wstring>& first, std::vector<std::wstring>& second,
                                std::vector<std::wstring>& third, uint32_t level,
                                uint32_t nextLevel) const;
    // A null attribute is ignored.
    virtual void AddGlobalXorAttribute(std::unique_ptr<DamageAttribute> attribute);
    virtual void AddGlobalAndAttribute(std::unique_ptr<DamageAttribute> attribute);
    virtual void AddAttribute(std::unique_ptr<DamageAttribute> attribute);
    virtual void AddDamageToAccumulator(CombatAttributeAccumulator& accumulator,
                                        uint32_t level) const;
    virtual void AddModifierToAccumulator(CombatAttributeAccumulator& accumulator,
                                          uint32_t level) const;
    virtual void ScaleAttributes(float percent);
    virtual void GetCostInfo(CostInfo_DamageAttributes& info) const;

    // The generator that loading rolls jitter with; items lend one seeded from the item. Every
    // loader ends the loan, so the store holds none once loaded.
    RandomUniform* GetRandomGen() const { return randomGen.Get(); }
    void SetRandomGen(RandomUniform* random) { randomGen.Lend(random); }
    void Clear();

    // Loads one attribute kind from the record and from each affix record given that may hold
    // it (see RecordKeyIndex; `loader` is the kind's number there); `make` creates a fresh
    // attribute of the kind for each.
    using MakeAttribute = std::unique_ptr<DamageAttribute> (*)();
    void LoadKind(MakeAttribute make, size_t loader, const AttributeRecords& records);

    const AttributeList& GetGlobalXorAttributes() const { return attributesGlobalXor; }
    const AttributeList& GetGlobalAndAttributes() const { return attributesGlobalAnd; }
    const AttributeList& GetAttributes() const { return attributes; }

protected:
    // Kinds with records of another family read their chance under their own key.
    virtual void SetGlobalChance(const LoadTable& record, const LoadTable* prefix,
                                 const LoadTable* suffix);
    void LoadGlobalChance(const char* key, const LoadTable& record, const LoadTable* prefix,
                          const LoadTable* suffix);
    float GetGlobalChance(uint32_t level) const;

    // Every loader starts and ends with these: the lent generator must not outlive loading.
    void BeginLoad(const AttributeRecords& records);
    void EndLoad() { randomGen.EndLoan(); }

    // The damage kinds that items and skills share, in their load order. Skills keep
    // disruption in place and add their trap, taunt and fear; items move disruption last.
    void LoadCommonAttributes(const AttributeRecords& records, bool skillKinds);

private:
    void LoadFrom(MakeAttribute make, const LoadTable& table, float jitterPercent);

    // Damage and modifiers take part by the same rolls, each with draws of its own.
    void AddToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                          bool modifiers) const;
    const DamageAttribute* PickGlobalXor(uint32_t level, RandomUniform& random) const;
    template <typename Text>
    static void CreateGroupText(const AttributeList& group, const char* percentTag,
                                const char* plainTag, float chance,
                                std::vector<std::wstring>& second, Text text);

    AttributeList attributesGlobalXor;
    AttributeList attributesGlobalAnd;
    AttributeList attributes;
    LentPointer<RandomUniform> randomGen;
    std::vector<float> globalChance;
    float prefixGlobalChance = 0.0f;
    float suffixGlobalChance = 0.0f;
};

// One attribute kind from the record and, each on its own, from the prefix and suffix records.
template <typename T>
void LoadAttribute(DamageAttributeStore& store, const AttributeRecords& records)
{
    const size_t loader = RecordLoaderOf<T>([](const LoadTable& empty) {
        T attribute;
        return attribute.LoadFromTable(empty);
    });
    store.LoadKind(
        +[]() -> std::unique_ptr<DamageAttribute> { return std::make_unique<T>(); }, loader,
        records);
}

template <typename... T>
void LoadAttributes(DamageAttributeStore& store, const AttributeRecords& records)
{
    (LoadAttribute<T>(store, records), ...);
}

} // namespace GAME
