#pragma once

#include "combat/DamageAttribute.h"

namespace GAME {

// A percent change of one type's damage over time and of its duration.
class DamageAttributeDurMod : public DamageAttribute {
public:
    bool LoadFromTable(const LoadTable& table) override;
    void AddDamageToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                                RandomUniform& random, bool force) const override;
    void AddModifierToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                                  RandomUniform& random, bool force) const override;
    void ScaleAttribute(float percent) override;
    void AddJitter(float jitterPercent, RandomUniform* random) override;
    void GetCostInfo(CostInfo_DamageAttributes& info) const override;

    virtual const char* GetLoadModifierTag() const;
    virtual const char* GetLoadDurationModifierTag() const;
    virtual float GetModifierValue(uint32_t level) const;
    virtual float GetDurationModifierValue(uint32_t level) const;
    void GetText(std::wstring& line, uint32_t level) const override;
    void GetNextText(std::wstring& line, uint32_t level, uint32_t nextLevel) const override;

protected:
    DamageAttributeDurMod(const DamageAttributeKeys& keys, TextList list)
        : DamageAttribute(keys, list)
    {}

    std::vector<float> modifier;
    std::vector<float> durationModifier;

private:
    std::wstring BuildLine(uint32_t level) const;
};

class DamageAttributeDurModBase : public DamageAttributeDurMod {
protected:
    explicit DamageAttributeDurModBase(const DamageAttributeKeys& keys)
        : DamageAttributeDurMod(keys, TextList_Second)
    {}
};

class DamageAttributeDurModBonus : public DamageAttributeDurMod {
protected:
    explicit DamageAttributeDurModBonus(const DamageAttributeKeys& keys)
        : DamageAttributeDurMod(keys, TextList_Third)
    {}
};

} // namespace GAME
