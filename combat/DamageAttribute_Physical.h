#pragma once

#include "combat/DamageAttribute.h"

namespace GAME {

// Physical damage per level with a pierce ratio per level: armour's and skills' physical damage.
// The spread holds whole units only.
class DamageAttribute_Physical : public DamageAttribute {
public:
    struct Range {
        float minimum = 0.0f;
        uint32_t spread = 0;
    };

    DamageAttribute_Physical();

    bool LoadFromTable(const LoadTable& table) override;
    void CreateText(Lines& lines1, Lines& lines2, Lines& lines3, uint32_t level) const override;
    void CreateNextText(Lines& lines1, Lines& lines2, Lines& lines3, uint32_t level,
                        uint32_t nextLevel) const override;
    void AddDamageToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                                RandomUniform& random, bool force) const override;
    void AddModifierToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                                  RandomUniform& random, bool force) const override;
    void ScaleAttribute(float percent) override;
    void AddJitter(float jitterPercent, RandomUniform* random) override;
    void GetCostInfo(CostInfo_DamageAttributes& info) const override;
    std::unique_ptr<DamageAttribute> Clone() const override;

    virtual float GetValueMin(uint32_t level) const;
    virtual float GetValueMax(uint32_t level) const;
    virtual float GetPierceRatio(uint32_t level) const;

private:
    std::wstring BuildLine(uint32_t level) const;
    static std::wstring PierceLine(float ratio);

    std::vector<Range> values;
    std::vector<float> pierceRatio;
};

} // namespace GAME
