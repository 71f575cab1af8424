#include "engine/InstanceGroupManager.h"

namespace GAME {

InstanceGroupManager& InstanceGroupManager::Instance()
{
    static InstanceGroupManager instance;
    return instance;
}

void InstanceGroupManager::SetEntityData(const UniqueId& id, const EntityData& data)
{
    entityData[id] = data;
}

bool InstanceGroupManager::GetEntityData(const UniqueId& id, EntityData& out) const
{
    const auto found = entityData.find(id);
    if (found == entityData.end())
        return false;
    out = found->second;
    return true;
}

void InstanceGroupManager::Destroy()
{
    entityData.clear();
}

} // namespace GAME
