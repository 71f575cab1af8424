#include "engine/InstanceGroupManager.h"

#include "core/RTTI_ClassInfo.h"

#include <algorithm>

namespace GAME {

InstanceGroupManager& InstanceGroupManager::Instance()
{
    static InstanceGroupManager instance;
    return instance;
}

void InstanceGroupManager::AddGroupAffiliation(const std::string& groupName,
                                               const RTTI_ClassInfo& classInfo)
{
    auto group =
        std::find_if(affiliations.begin(), affiliations.end(),
                     [&](const GroupAffiliation& entry) { return entry.groupName == groupName; });
    if (group == affiliations.end())
        group = affiliations.insert(affiliations.end(), GroupAffiliation{groupName, {}});
    const bool declared =
        std::any_of(group->classes.begin(), group->classes.end(),
                    [&](const RTTI_ClassInfo* known) { return *known == classInfo; });
    if (!declared)
        group->classes.push_back(&classInfo);
}

bool InstanceGroupManager::IsAffiliated(const std::string& groupName,
                                        const RTTI_ClassInfo& classInfo) const
{
    for (const GroupAffiliation& group : affiliations) {
        if (group.groupName != groupName)
            continue;
        return std::any_of(
            group.classes.begin(), group.classes.end(),
            [&](const RTTI_ClassInfo* declared) { return classInfo.IsA(*declared); });
    }
    return false;
}

void InstanceGroupManager::AddGroup(const InstanceGroup& group)
{
    CriticalSectionLock hold(groupLock);
    const int32_t index = GetNumGroups();
    groups.push_back(group);
    std::vector<UniqueId> ids;
    group.FillIdList(ids);
    for (const UniqueId& id : ids) {
        std::vector<int32_t>& indices = groupsById[id];
        // An id listed twice in one group still names the group once.
        if (indices.empty() || indices.back() != index)
            indices.push_back(index);
    }
}

const InstanceGroup* InstanceGroupManager::GetGroup(int32_t index) const
{
    if (index < 0 || index >= GetNumGroups())
        return nullptr;
    return &groups[static_cast<size_t>(index)];
}

void InstanceGroupManager::GetGroupsThatContain(const UniqueId& id,
                                                std::vector<int32_t>& indices) const
{
    indices.clear();
    const auto found = groupsById.find(id);
    if (found != groupsById.end())
        indices = found->second;
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
    CriticalSectionLock hold(groupLock);
    entityData.clear();
    affiliations.clear();
    groups.clear();
    groupsById.clear();
}

} // namespace GAME
