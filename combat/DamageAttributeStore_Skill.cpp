#include "combat/DamageAttributeStore_Skill.h"

#include "combat/DamageAttributeKinds.h"

namespace GAME {

void DamageAttributeStore_Skill::Load(const LoadTable& record)
{
    BeginLoad(record, nullptr, nullptr);
    LoadAttributes<DamageAttribute_Physical, DamageAttributeDur_Physical>(*this, record, nullptr,
                                                                          nullptr, 0.0f);
    LoadCommonAttributes(record, nullptr, nullptr, 0.0f, true);
    EndLoad();
}

} // namespace GAME
