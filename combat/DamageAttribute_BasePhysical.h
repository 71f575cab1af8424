#pragma once

#include "combat/DamageAttribute.h"

namespace GAME {

// A weapon's own physical damage: one range and one pierce ratio, no levels, no chance.
class DamageAttribute_BasePhysical : public DamageAttribute {
public:
    DamageAttribute_BasePhysical();

    // Loads the weapon's physical damage from its main record into the store's plain group.
    static void Create_BasePhysical(DamageAttributeStore& store, const LoadTable& table);

    float GetChance(uint32_t level) const override;
    bool LoadFromTable(const LoadTable& table) override;
    LoadGroup GetLoadGroup(const LoadTable& table) const override;
    CombatAttributeType GetType() const override;
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

    float GetMinimum() const { return minimum; }
    float GetSpread() const { return spread; }
    float GetPierceRatio() const { return pierceRatio; }

protected:
    float Jitter(float value, float jitterPercent, RandomUniform& random) const override;
    float Scale(float value, float percent) const override;

private:
    float minimum = 0.0f;
    float spread = 0.0f;
    float pierceRatio = 0.0f;
};

} // namespace GAME
