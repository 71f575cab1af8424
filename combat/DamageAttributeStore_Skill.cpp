#include "combat/DamageAttributeStore_Skill.h"

#include "combat/AttributeRecords.h"
#include "combat/DamageAttributeKinds.h"

namespace GAME {

void DamageAttributeStore_Skill::Load(const LoadTable& record)
{
    const AttributeRecords records(record, nullptr, nullptr, 0.0f);
    BeginLoad(records);
    LoadAttributes<DamageAttribute_Physical, DamageAttributeDur_Physical>(*this, records);
    LoadCommonAttributes(records, true);
    EndLoad();
}

} // namespace GAME
