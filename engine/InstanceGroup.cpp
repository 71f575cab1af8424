#include "engine/InstanceGroup.h"

#include <algorithm>

namespace GAME {

InstanceGroup::InstanceGroup(const std::string& type, const std::string& name,
                             const std::vector<UniqueId>& ids)
    : type(type), name(name), ids(ids)
{}

bool InstanceGroup::Contains(const UniqueId& id) const
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace GAME
