#include "skills/SkillProfile.h"

namespace GAME {

SkillProfile::~SkillProfile() = default;

void SkillProfile::LoadProfile(const LoadTable& table)
{
    charAttributes.Load(table);
    charAttributesPenalty.Load(table);
    skillAttributes.Load(table);
    damageAttributes.Load(table);
    retaliationAttributes.Load(table);
    defenseAttributes.Load(table);
}

} // namespace GAME
