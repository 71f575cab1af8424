#include "skills/SkillAttributeStore_Equipment.h"

namespace GAME {

void SkillAttributeStore_Equipment::Load(const LoadTable& record, const LoadTable* prefix,
                                         const LoadTable* suffix, bool /*flag*/)
{
    LoadKinds(record, prefix, suffix);
}

} // namespace GAME
