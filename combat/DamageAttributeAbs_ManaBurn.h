#pragma once

#include "combat/DamageAttributeAbs.h"

namespace GAME {

// Drains a percent of the defender's mana and deals a per-level ratio of the drain as damage.
class DamageAttributeAbs_ManaBurn final : public DamageAttributeAbsBonus {
public:
    DamageAttributeAbs_ManaBurn();

    bool LoadFromTable(const LoadTable& table) override;
    void GetText(std::wstring& line, uint32_t level) const override;
    void GetNextText(std::wstring& line, uint32_t level, uint32_t nextLevel) const override;
    std::unique_ptr<DamageAttribute> Clone() const override;

    virtual float GetDamageRatio(uint32_t level) const;
    virtual const char* GetLoadDamageRatioTag() const;

protected:
    void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level,
                        float value) const override;

private:
    std::vector<float> damageRatio;
};

} // namespace GAME
