#pragma once

#include "skills/SkillAttribute.h"

namespace GAME {

// Absolute amounts: each adds what it rolls to the accumulator's value of its type.
class SkillAttributeVal : public SkillAttribute {
public:
    void AddToAccumulator(SkillAttributeAccumulator& accumulator, uint32_t level) const override;
    void GetCostInfo(CostInfo_SkillAttributes& info) const override;

protected:
    using SkillAttribute::SkillAttribute;
};

using SkillAttributeVal_CooldownReduction =
    SkillAttributeKind<SkillAttributeVal, SkillAttribute_CooldownReduction,
                       "skillCooldownReduction", "skillCooldownReductionChance",
                       "SkillCooldownReduction">;
using SkillAttributeVal_ManaCostReduction =
    SkillAttributeKind<SkillAttributeVal, SkillAttribute_ManaCostReduction,
                       "skillManaCostReduction", "skillManaCostReductionChance",
                       "SkillManaCostReduction">;
using SkillAttributeVal_ProjectileSpeedModifier =
    SkillAttributeKind<SkillAttributeVal, SkillAttribute_ProjectileSpeedModifier,
                       "skillProjectileSpeedModifier", "skillProjectileSpeedModifierChance",
                       "SkillProjectileSpeedModifier">;

} // namespace GAME
