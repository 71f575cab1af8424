#pragma once

#include "combat/DamageAttribute.h"

namespace GAME {

// A percent change of one damage type's damage.
class DamageAttributeAbsMod : public DamageAttribute {
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
    virtual float GetModifierValue(uint32_t level) const;
    void GetText(std::wstring& line, uint32_t level) const override;
    void GetNextText(std::wstring& line, uint32_t level, uint32_t nextLevel) const override;

protected:
    DamageAttributeAbsMod(const DamageAttributeKeys& keys, TextList list)
        : DamageAttribute(keys, list)
    {}

    // Hands the chance-weighted modifier to the attack; the elemental group splits it up.
    virtual void AddDrawnModifier(CombatAttributeAccumulator& accumulator, float value) const;

    std::vector<float> modifier;

private:
    std::wstring BuildLine(uint32_t level) const;
};

class DamageAttributeAbsModBase : public DamageAttributeAbsMod {
protected:
    explicit DamageAttributeAbsModBase(const DamageAttributeKeys& keys)
        : DamageAttributeAbsMod(keys, TextList_Second)
    {}
};

class DamageAttributeAbsModBonus : public DamageAttributeAbsMod {
protected:
    explicit DamageAttributeAbsModBonus(const DamageAttributeKeys& keys)
        : DamageAttributeAbsMod(keys, TextList_Second)
    {}
};

} // namespace GAME
