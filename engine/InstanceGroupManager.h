#pragma once

#include "core/UniqueId.h"
#include "engine/CriticalSection.h"
#include "engine/InstanceGroup.h"
#include "engine/Vec3.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace GAME {

class RTTI_ClassInfo;

// The level designer's instance groups: which classes each type of group may hold, the groups
// the levels made, and what the level says about each placed entity (its region and its
// position there, found by the entity's unique id even while the entity itself is not loaded).
class InstanceGroupManager {
public:
    struct EntityData {
        uint32_t regionId = 0;
        Vec3 position;
    };

    // One type of group with the classes declared for it, in declaration order.
    struct GroupAffiliation {
        std::string groupName;
        std::vector<const RTTI_ClassInfo*> classes;
    };

    static InstanceGroupManager& Instance();

    // A type named for the first time is appended; a class already declared for it is not
    // declared again.
    void AddGroupAffiliation(const std::string& groupName, const RTTI_ClassInfo& classInfo);
    const std::vector<GroupAffiliation>& GetGroupAffiliations() const { return affiliations; }
    // Whether an object of the class (or of a class derived from a declared one) may sit in a
    // group of that type.
    bool IsAffiliated(const std::string& groupName, const RTTI_ClassInfo& classInfo) const;

    // For the level loader; takes the group-list lock.
    void AddGroup(const InstanceGroup& group);
    int32_t GetNumGroups() const { return static_cast<int32_t>(groups.size()); }
    // Null for an index outside the list.
    const InstanceGroup* GetGroup(int32_t index) const;
    // Replaces the list's contents with the indices, ascending, of the groups holding the id.
    void GetGroupsThatContain(const UniqueId& id, std::vector<int32_t>& indices) const;
    // Held around a walk of the groups, so that a level loading on another thread cannot
    // change the list underneath it.
    void LockGroupList() const { groupLock.Enter(); }
    void UnlockGroupList() const { groupLock.Exit(); }

    // For the level loader; a later entry for the same id replaces the earlier one.
    void SetEntityData(const UniqueId& id, const EntityData& data);
    // False, with `out` untouched, for an id the levels never placed.
    bool GetEntityData(const UniqueId& id, EntityData& out) const;

    // Forgets everything: the game shuts down or leaves its levels.
    void Destroy();

private:
    std::map<UniqueId, EntityData> entityData;
    std::vector<GroupAffiliation> affiliations;
    std::vector<InstanceGroup> groups;
    // Group indices, ascending, by member id: spawn pools ask for their group every time they
    // spawn, and walking every group for that does not scale with big levels.
    std::map<UniqueId, std::vector<int32_t>> groupsById;
    mutable CriticalSection groupLock;
};

} // namespace GAME
