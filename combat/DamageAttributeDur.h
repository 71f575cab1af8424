#pragma once

#include "combat/DamageAttribute.h"

namespace GAME {

// Damage per second, minimum to maximum per level, for a duration in seconds, minimum to
// maximum per level.
class DamageAttributeDur : public DamageAttribute {
public:
    bool LoadFromTable(const LoadTable& table) override;
    void AddDamageToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                                RandomUniform& random, bool force) const override;
    void AddModifierToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                                  RandomUniform& random, bool force) const override;
    void ScaleAttribute(float percent) override;
    void AddJitter(float jitterPercent, RandomUniform* random) override;
    void GetCostInfo(CostInfo_DamageAttributes& info) const override;

    virtual const char* GetLoadValueMinTag() const;
    virtual const char* GetLoadValueMaxTag() const;
    virtual const char* GetLoadDurationMinTag() const;
    virtual const char* GetLoadDurationMaxTag() const;
    virtual float GetValueMin(uint32_t level) const;
    virtual float GetValueMax(uint32_t level) const;
    virtual float GetDurationMin(uint32_t level) const;
    virtual float GetDurationMax(uint32_t level) const;
    void GetText(std::wstring& line, uint32_t level) const override;
    void GetNextText(std::wstring& line, uint32_t level, uint32_t nextLevel) const override;

protected:
    DamageAttributeDur(const DamageAttributeKeys& keys, TextList list) : DamageAttribute(keys, list)
    {}

    // The drawn damage per second (weighted by the chance multiplier) and duration become a
    // combat attribute.
    virtual void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level,
                                float value, float duration) const;
    // The line's amount, display text and time, without the chance prefix.
    virtual std::wstring BuildAmount(uint32_t level) const;

    std::vector<DamageAttributeRange> values;
    std::vector<DamageAttributeRange> durations;

private:
    std::wstring BuildLine(uint32_t level) const;
};

class DamageAttributeDurBase : public DamageAttributeDur {
protected:
    explicit DamageAttributeDurBase(const DamageAttributeKeys& keys)
        : DamageAttributeDur(keys, TextList_Second)
    {}
};

class DamageAttributeDurBaseElemental : public DamageAttributeDurBase {
protected:
    using DamageAttributeDurBase::DamageAttributeDurBase;
    void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level, float value,
                        float duration) const override;
};

class DamageAttributeDurBonus : public DamageAttributeDur {
protected:
    explicit DamageAttributeDurBonus(const DamageAttributeKeys& keys)
        : DamageAttributeDur(keys, TextList_Third)
    {}
};

class DamageAttributeDurBonusElemental : public DamageAttributeDurBonus {
protected:
    using DamageAttributeDurBonus::DamageAttributeDurBonus;
    void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level, float value,
                        float duration) const override;
};

// Slows, reductions and fumbles: the amount holds for the whole duration rather than per second.
class DamageAttributeDurFixed : public DamageAttributeDur {
protected:
    explicit DamageAttributeDurFixed(const DamageAttributeKeys& keys)
        : DamageAttributeDur(keys, TextList_Third)
    {}
    void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level, float value,
                        float duration) const override;
    std::wstring BuildAmount(uint32_t level) const override;
};

} // namespace GAME
