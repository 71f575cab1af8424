#pragma once

#include "skills/SkillAttribute.h"

namespace GAME {

// Percentage modifiers: each adds what it rolls to the accumulator's modifier of its type.
class SkillAttributeMod : public SkillAttribute {
public:
    void AddToAccumulator(SkillAttributeAccumulator& accumulator, uint32_t level) const override;
    void GetCostInfo(CostInfo_SkillAttributes& info) const override;

protected:
    using SkillAttribute::SkillAttribute;
};

using SkillAttributeMod_CooldownReduction =
    SkillAttributeKind<SkillAttributeMod, SkillAttribute_CooldownReduction,
                       "skillCooldownReductionModifier", "skillCooldownReductionModifierChance",
                       "SkillCooldownReductionModifier">;
using SkillAttributeMod_ManaCostReduction =
    SkillAttributeKind<SkillAttributeMod, SkillAttribute_ManaCostReduction,
                       "skillManaCostReductionModifier", "skillManaCostReductionModifierChance",
                       "SkillManaCostReductionModifier">;

} // namespace GAME
