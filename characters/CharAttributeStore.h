#pragma once

#include "characters/CharAttribute.h"
#include "core/LentPointer.h"
#include "core/OwnedList.h"
#include "core/RandomUniform.h"
#include "engine/RecordKeyIndex.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class LoadTable;
class RandomUniform;
struct CharAttributeCostSums;

// The character attributes one source gives (a bio record, an item, a skill), in the order that
// its description lists them. Each kind knows which attributes its records hold.
class CharAttributeStore {
public:
    using AttributeList = OwnedList<CharAttribute>;

    CharAttributeStore() = default;
    virtual ~CharAttributeStore();
    // A copy owns clones of the attributes and no generator.
    CharAttributeStore(const CharAttributeStore& other) = default;
    CharAttributeStore& operator=(const CharAttributeStore& other) = default;

    virtual void CreateText(std::vector<std::wstring>& headerLines,
                            std::vector<std::wstring>& lines, uint32_t level) const;
    virtual void CreateNextText(std::vector<std::wstring>& headerLines,
                                std::vector<std::wstring>& lines, uint32_t level,
                                uint32_t nextLevel) const;
    virtual void AddToStore(std::unique_ptr<CharAttribute> attribute);
    virtual void AddToAccumulator(CharAttributeAccumulator& accumulator, uint32_t level) const;
    virtual void ScaleAttributes(float percent);

    // The generator that loading rolls jitter with; items lend one seeded with their own seed.
    // Every loader ends the loan, so the store holds none once loaded.
    RandomUniform* GetRandomGen() const { return randomGen.Get(); }
    void SetRandomGen(RandomUniform* random) { randomGen.Lend(random); }
    void GetCostInfo(CharAttributeCostSums& info) const;
    void Clear();

    const AttributeList& GetAttributes() const { return attributes; }

protected:
    // The records one attribute is read from (prefix and suffix only for items), and the kinds
    // that any of them may hold.
    struct Source {
        explicit Source(const LoadTable& record, const LoadTable* prefix = nullptr,
                        const LoadTable* suffix = nullptr);
        const LoadTable& record;
        const LoadTable* prefix;
        const LoadTable* suffix;
        RecordKeyIndex::Loaders found;
    };

    void LoadAttribute(std::unique_ptr<CharAttribute> attribute, const Source& source,
                       float jitterPercent, bool keepWhenEmpty);
    // A kind that no record holds would be dropped empty: it is not even made.
    template <typename T>
    void LoadKind(const Source& source, float jitterPercent, bool keepWhenEmpty)
    {
        if (keepWhenEmpty || RecordKeyIndex::MayFind(source.found, KindLoader<T>()))
            LoadAttribute(std::make_unique<T>(), source, jitterPercent, keepWhenEmpty);
    }
    template <typename... T>
    void LoadAttributes(const Source& source, float jitterPercent, bool keepWhenEmpty)
    {
        (LoadKind<T>(source, jitterPercent, keepWhenEmpty), ...);
    }
    // The item-requirement reductions of every item group, in the order items and skills list them.
    void LoadItemReqReductions(const Source& source);
    // Every loader ends with this: the lent generator must not outlive loading.
    void EndLoad() { randomGen.EndLoan(); }

private:
    // A kind's keys are those it asks of empty records; loading one draws from the generator
    // only for values it found, so a kind that drew would always be loaded.
    template <typename T> static size_t KindLoader()
    {
        return RecordLoaderOf<T>([](const LoadTable& empty) {
            T attribute;
            RandomUniform random;
            random.Seed(1);
            const uint32_t unrolled = random.GetState();
            attribute.LoadBaseTable(empty);
            attribute.LoadPrefixTable(empty, &random);
            attribute.LoadSuffixTable(empty, &random);
            return attribute.IsNotEmpty() || random.GetState() != unrolled;
        });
    }

    AttributeList attributes;
    LentPointer<RandomUniform> randomGen;
};

} // namespace GAME
