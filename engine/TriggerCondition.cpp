#include "engine/TriggerCondition.h"

#include "engine/Trigger.h"

namespace GAME {

TriggerCondition::TriggerCondition(uint32_t id, Trigger* parent) : parent(parent), id(id) {}

TriggerCondition::~TriggerCondition() = default;

bool TriggerCondition::IsSatisfied(bool& flag)
{
    flag = flag && satisfied != negate;
    return flag;
}

void TriggerCondition::SetSatisfied(bool value)
{
    if (satisfied == value)
        return;
    satisfied = value;
    if (parent != nullptr)
        parent->SetDirty();
}

} // namespace GAME
