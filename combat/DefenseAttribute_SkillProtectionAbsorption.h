#pragma once

#include "combat/DefenseAttribute_BaseProtectionAbsorption.h"

namespace GAME {

// Protection that a skill grants: no affixes, so its one line is a bonus like any other.
class DefenseAttribute_SkillProtectionAbsorption final
    : public DefenseAttribute_BaseProtectionAbsorption {
public:
    DefenseAttribute_SkillProtectionAbsorption() = default;

    void CreateText(uint32_t level, Lines& first, Lines& second) const override;
    void CreateNextText(uint32_t level, uint32_t nextLevel, Lines& first,
                        Lines& second) const override;
    std::unique_ptr<DefenseAttribute> Clone() const override;

private:
    DefenseAttribute_SkillProtectionAbsorption(const DefenseAttribute_SkillProtectionAbsorption&) =
        default;
    static void AddLine(float protection, Lines& lines);
};

} // namespace GAME
