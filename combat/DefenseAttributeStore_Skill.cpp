#include "combat/DefenseAttributeStore_Skill.h"

#include "combat/DefenseAttribute_SkillProtectionAbsorption.h"

namespace GAME {

void DefenseAttributeStore_Skill::Load(const LoadTable& record)
{
    Clear();
    // Skills never roll: their values are the designer's.
    LoadAttribute<DefenseAttribute_SkillProtectionAbsorption>(*this, record, nullptr, nullptr,
                                                              0.0f);
    LoadSequence(record, nullptr, nullptr, 0.0f, true);
}

} // namespace GAME
