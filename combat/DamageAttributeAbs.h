#pragma once

#include "combat/CombatAttributeAccumulator.h"
#include "combat/DamageAttribute.h"

namespace GAME {

// Flat damage, minimum to maximum per level, dealt at once.
class DamageAttributeAbs : public DamageAttribute {
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
    virtual float GetValueMin(uint32_t level) const;
    virtual float GetValueMax(uint32_t level) const;
    void GetText(std::wstring& line, uint32_t level) const override;
    void GetNextText(std::wstring& line, uint32_t level, uint32_t nextLevel) const override;

    const char* GetSingleFormatTag() const { return singleFormatTag; }
    const char* GetRangeFormatTag() const { return rangeFormatTag; }

protected:
    DamageAttributeAbs(const DamageAttributeKeys& keys, TextList list) : DamageAttribute(keys, list)
    {}

    // The drawn damage, already weighted by the chance multiplier, becomes a combat attribute.
    virtual void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level,
                                float value) const;
    void SetFormatTags(const char* single, const char* range)
    {
        singleFormatTag = single;
        rangeFormatTag = range;
    }
    float GetCostValue() const;

    std::vector<DamageAttributeRange> values;

private:
    std::wstring BuildLine(uint32_t level) const;

    const char* singleFormatTag = "DamageSingleFormat";
    const char* rangeFormatTag = "DamageRangeFormat";
};

// A weapon's own elemental damage: shown first, never jittered, priced as base damage.
class DamageAttributeAbsBase : public DamageAttributeAbs {
public:
    void AddJitter(float jitterPercent, RandomUniform* random) override;
    void GetCostInfo(CostInfo_DamageAttributes& info) const override;

protected:
    explicit DamageAttributeAbsBase(const DamageAttributeKeys& keys)
        : DamageAttributeAbs(keys, TextList_First)
    {}
};

class DamageAttributeAbsBaseElemental : public DamageAttributeAbsBase {
protected:
    using DamageAttributeAbsBase::DamageAttributeAbsBase;
    void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level,
                        float value) const override;
};

class DamageAttributeAbsBonus : public DamageAttributeAbs {
protected:
    explicit DamageAttributeAbsBonus(const DamageAttributeKeys& keys)
        : DamageAttributeAbs(keys, TextList_Third)
    {}
};

class DamageAttributeAbsBonusElemental : public DamageAttributeAbsBonus {
protected:
    using DamageAttributeAbsBonus::DamageAttributeAbsBonus;
    void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level,
                        float value) const override;
};

// Stun and its kin: the amount is a time, struck as a fixed effect.
class DamageAttributeReflex : public DamageAttributeAbsBonus {
protected:
    explicit DamageAttributeReflex(const DamageAttributeKeys& keys);
    void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level,
                        float value) const override;
};

class DamageAttributeInfluence : public DamageAttributeAbsBonus {
protected:
    explicit DamageAttributeInfluence(const DamageAttributeKeys& keys);
};

// An influence the player is not told about.
class DamageAttributeInfluenceHidden : public DamageAttributeInfluence {
public:
    void CreateText(Lines& lines1, Lines& lines2, Lines& lines3, uint32_t level) const override;
    void CreateNextText(Lines& lines1, Lines& lines2, Lines& lines3, uint32_t level,
                        uint32_t nextLevel) const override;

protected:
    using DamageAttributeInfluence::DamageAttributeInfluence;
};

// A flat family whose drawn damage becomes a combat attribute of class `Combat`, constructed
// from the kind's type and the value.
template <typename Family, typename Combat> class DamageAttributeAbsAs : public Family {
protected:
    using Family::Family;
    void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level,
                        float value) const override;
};

// Out of the class, so that an explicit instantiation declaration keeps it from being made where
// `Combat` is not known.
template <typename Family, typename Combat>
void DamageAttributeAbsAs<Family, Combat>::AddDrawnDamage(CombatAttributeAccumulator& accumulator,
                                                          uint32_t /*level*/, float value) const
{
    accumulator.AddDamage(std::make_unique<Combat>(this->GetType(), value));
}

} // namespace GAME
