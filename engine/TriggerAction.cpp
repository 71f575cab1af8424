#include "engine/TriggerAction.h"

#include "core/StringHelpers.h"

namespace GAME {

TriggerAction::TriggerAction(uint32_t id, Trigger* parent) : parent(parent), id(id) {}

TriggerAction::~TriggerAction() = default;

std::string TriggerAction::DescribeName(const std::string& name)
{
    if (name.empty())
        return "[empty]";
    return GetFileNameFromPath(name, true);
}

} // namespace GAME
