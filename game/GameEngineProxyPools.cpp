#include "game/GameEngine.h"

#include "core/RandomUniform.h"
#include "engine/CriticalSection.h"
#include "engine/Engine.h"
#include "engine/InstanceGroupManager.h"
#include "world/Proxy.h"

#include <vector>

namespace GAME {

namespace {

// Holds the group list for the scope, so that a level loading elsewhere cannot move a group
// we are reading.
class GroupListLock {
public:
    explicit GroupListLock(const InstanceGroupManager& groups) : groups(groups)
    {
        groups.LockGroupList();
    }
    ~GroupListLock() { groups.UnlockGroupList(); }
    GroupListLock(const GroupListLock&) = delete;
    GroupListLock& operator=(const GroupListLock&) = delete;

private:
    const InstanceGroupManager& groups;
};

// The name of the proxy's first group; empty when it is in none.
std::string GetFirstGroupName(const Proxy* proxy)
{
    if (proxy == nullptr)
        return std::string();
    const InstanceGroupManager& groups = InstanceGroupManager::Instance();
    GroupListLock hold(groups);
    std::vector<int32_t> indices;
    groups.GetGroupsThatContain(proxy->GetUniqueID(), indices);
    const InstanceGroup* group = indices.empty() ? nullptr : groups.GetGroup(indices.front());
    return group != nullptr ? group->GetName() : std::string();
}

} // namespace

const InstanceGroup* GameEngine::GetProxyGroup(const Proxy* proxy) const
{
    if (proxy == nullptr)
        return nullptr;
    const InstanceGroupManager& groups = InstanceGroupManager::Instance();
    std::vector<int32_t> indices;
    groups.GetGroupsThatContain(proxy->GetUniqueID(), indices);
    return indices.empty() ? nullptr : groups.GetGroup(indices.front());
}

GameEngine::ProxyType GameEngine::GetProxyType(const Proxy* proxy) const
{
    if (proxy == nullptr)
        return ProxyType_None;
    const InstanceGroupManager& groups = InstanceGroupManager::Instance();
    GroupListLock hold(groups);
    std::vector<int32_t> indices;
    groups.GetGroupsThatContain(proxy->GetUniqueID(), indices);
    for (const int32_t index : indices) {
        const InstanceGroup* group = groups.GetGroup(index);
        if (group == nullptr)
            continue;
        if (group->GetType() == unifiedProxiesGroupType)
            return ProxyType_Unified;
        if (group->GetType() == uniqueProxiesGroupType)
            return ProxyType_Unique;
    }
    return ProxyType_None;
}

bool GameEngine::GetUnifiedProxyPool(const Proxy* proxy, uint32_t& pool) const
{
    // The group-list lock is gone before the pool lock is taken: never both at once.
    const std::string name = GetFirstGroupName(proxy);
    return !name.empty() && GetUnifiedProxyPoolName(name, pool);
}

void GameEngine::SetUnifiedProxyPool(const Proxy* proxy, uint32_t pool)
{
    const std::string name = GetFirstGroupName(proxy);
    if (!name.empty())
        SetUnifiedProxyPoolName(name, pool);
}

bool GameEngine::GetUnifiedProxyPoolName(const std::string& group, uint32_t& pool) const
{
    CriticalSectionLock hold(*proxyPoolLock);
    const auto found = unifiedProxyPoolNames.find(group);
    if (found == unifiedProxyPoolNames.end())
        return false;
    pool = found->second;
    return true;
}

void GameEngine::SetUnifiedProxyPoolName(const std::string& group, uint32_t pool)
{
    CriticalSectionLock hold(*proxyPoolLock);
    unifiedProxyPoolNames[group] = pool;
}

bool GameEngine::IsUniqueProxySelected(const Proxy* proxy)
{
    if (proxy == nullptr)
        return false;
    const InstanceGroupManager& groups = InstanceGroupManager::Instance();
    // Held through the choice too: the group read below must not move meanwhile.
    GroupListLock hold(groups);
    const InstanceGroup* group = GetProxyGroup(proxy);
    if (group == nullptr)
        return false;
    const auto found = uniqueProxySelections.find(group->GetName());
    const UniqueId chosen =
        found != uniqueProxySelections.end() ? found->second : LoadAndSelectOneProxy(group);
    return chosen == proxy->GetUniqueID();
}

UniqueId GameEngine::LoadAndSelectOneProxy(const InstanceGroup* group)
{
    std::vector<UniqueId> ids;
    group->FillIdList(ids);
    if (ids.empty())
        return UniqueId();
    const int count = static_cast<int>(ids.size());
    const int drawn = GetRandomGen().IGenerate(0, count - 1);
    // The generator is the designers' to tune; an answer outside the range picks nobody.
    if (drawn < 0 || drawn >= count)
        return UniqueId();
    const UniqueId& chosen = ids[static_cast<size_t>(drawn)];
    uniqueProxySelections.emplace(group->GetName(), chosen);
    return chosen;
}

void GameEngine::RegisterProxyHeroBoss(const std::string& name)
{
    heroBossProxies.insert(name);
}

void GameEngine::UnregisterProxyHeroBoss(const std::string& name)
{
    heroBossProxies.erase(name);
}

bool GameEngine::IsProxyHeroBossInGame(const std::string& name) const
{
    return heroBossProxies.count(name) != 0;
}

void GameEngine::ClearProxyInfo()
{
    uniqueProxySelections.clear();
    // A proxy loading on another thread may be writing a pool right now.
    CriticalSectionLock hold(*proxyPoolLock);
    unifiedProxyPoolNames.clear();
}

void GameEngine::DumpGroupProxyData() const
{
    const InstanceGroupManager& groups = InstanceGroupManager::Instance();
    GroupListLock hold(groups);
    std::vector<UniqueId> ids;
    for (int32_t index = 0; index < groups.GetNumGroups(); ++index) {
        const InstanceGroup* group = groups.GetGroup(index);
        if (group == nullptr || (group->GetType() != unifiedProxiesGroupType &&
                                 group->GetType() != uniqueProxiesGroupType))
            continue;
        gEngine->Log(Engine::LogInfo, "^gGroup Type (%s)  Name (%s)", group->GetType().c_str(),
                     group->GetName().c_str());
        group->FillIdList(ids);
        for (const UniqueId& id : ids)
            gEngine->Log(Engine::LogInfo, "^b    ID (0x %x %x %x %x)", id.GetPart(0), id.GetPart(1),
                         id.GetPart(2), id.GetPart(3));
    }
}

} // namespace GAME
