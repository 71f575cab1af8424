#include "combat/DefenseAttributeStore_Skill.h"

#include "combat/AttributeRecords.h"
#include "combat/DefenseAttribute_SkillProtectionAbsorption.h"

namespace GAME {

void DefenseAttributeStore_Skill::Load(const LoadTable& record)
{
    Clear();
    // Skills never roll: their values are the designer's.
    const AttributeRecords records(record, nullptr, nullptr, 0.0f);
    LoadAttribute<DefenseAttribute_SkillProtectionAbsorption>(*this, records);
    LoadSequence(records, true);
    EndLoad();
}

} // namespace GAME
