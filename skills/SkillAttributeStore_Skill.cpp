#include "skills/SkillAttributeStore_Skill.h"

namespace GAME {

void SkillAttributeStore_Skill::Load(const LoadTable& record)
{
    LoadKinds(record, nullptr, nullptr);
}

} // namespace GAME
