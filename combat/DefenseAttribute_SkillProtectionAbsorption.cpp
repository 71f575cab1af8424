#include "combat/DefenseAttribute_SkillProtectionAbsorption.h"

#include "engine/LocalizationManager.h"

namespace GAME {

void DefenseAttribute_SkillProtectionAbsorption::AddLine(float protection, Lines& lines)
{
    lines.push_back(LocalizationManager::Instance().Format("DefenseAbsorptionProtection",
                                                           static_cast<double>(protection)));
}

void DefenseAttribute_SkillProtectionAbsorption::CreateText(uint32_t level, Lines& /*first*/,
                                                            Lines& second) const
{
    const float protection = GetProtection(level);
    if (protection != 0.0f)
        AddLine(protection, second);
}

void DefenseAttribute_SkillProtectionAbsorption::CreateNextText(uint32_t level, uint32_t nextLevel,
                                                                Lines& /*first*/,
                                                                Lines& second) const
{
    const float next = GetProtection(nextLevel);
    if (next - GetProtection(level) != 0.0f)
        AddLine(next, second);
}

std::unique_ptr<DefenseAttribute> DefenseAttribute_SkillProtectionAbsorption::Clone() const
{
    return std::unique_ptr<DefenseAttribute>(new DefenseAttribute_SkillProtectionAbsorption(*this));
}

} // namespace GAME
