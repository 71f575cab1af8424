#pragma once

#include "characters/CharAttribute.h"

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
    CharAttributeStore() = default;
    virtual ~CharAttributeStore();
    // Copies own attributes of their own; the generator is shared, it was never owned.
    CharAttributeStore(const CharAttributeStore& other);
    CharAttributeStore& operator=(const CharAttributeStore& other);

    virtual void CreateText(std::vector<std::wstring>& headerLines,
                            std::vector<std::wstring>& lines, uint32_t level) const;
    virtual void CreateNextText(std::vector<std::wstring>& headerLines,
                                std::vector<std::wstring>& lines, uint32_t level,
                                uint32_t nextLevel) const;
    virtual void AddToStore(std::unique_ptr<CharAttribute> attribute);
    virtual void AddToAccumulator(CharAttributeAccumulator& accumulator, uint32_t level) const;
    virtual void ScaleAttributes(float percent);

    // The generator that loading rolls jitter with; items seed one with their own seed.
    RandomUniform* GetRandomGen() const { return randomGen; }
    void SetRandomGen(RandomUniform* random) { randomGen = random; }
    void GetCostInfo(CharAttributeCostSums& info) const;
    void Clear();

    const std::vector<std::unique_ptr<CharAttribute>>& GetAttributes() const { return attributes; }

protected:
    // The records one attribute is read from; prefix and suffix only for items.
    struct Source {
        const LoadTable& record;
        const LoadTable* prefix = nullptr;
        const LoadTable* suffix = nullptr;
    };

    void LoadAttribute(std::unique_ptr<CharAttribute> attribute, const Source& source,
                       float jitterPercent, bool keepWhenEmpty);
    template <typename... T>
    void LoadAttributes(const Source& source, float jitterPercent, bool keepWhenEmpty)
    {
        (LoadAttribute(std::make_unique<T>(), source, jitterPercent, keepWhenEmpty), ...);
    }
    // The item-requirement reductions of every item group, in the order items and skills list them.
    void LoadItemReqReductions(const Source& source);

private:
    std::vector<std::unique_ptr<CharAttribute>> attributes;
    RandomUniform* randomGen = nullptr;
};

} // namespace GAME
