#pragma once

#include "core/UniqueId.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// One group that a level designer made: its type ("Unique Proxies", "Patrol Points" and the
// like), its own name, and the unique ids of the placed entities in it, in the designer's order.
class InstanceGroup {
public:
    InstanceGroup(const std::string& type, const std::string& name,
                  const std::vector<UniqueId>& ids);

    const std::string& GetType() const { return type; }
    const std::string& GetName() const { return name; }
    // Replaces the list's contents with the member ids.
    void FillIdList(std::vector<UniqueId>& out) const { out = ids; }
    bool Contains(const UniqueId& id) const;

    // Groups nest: a child is named by its index in the group manager's list.
    void AddChild(int32_t groupIndex) { children.push_back(groupIndex); }
    int32_t GetNumChildren() const { return static_cast<int32_t>(children.size()); }
    // -1 for an index outside the list.
    int32_t GetChildId(int32_t index) const
    {
        return index >= 0 && index < GetNumChildren() ? children[static_cast<size_t>(index)] : -1;
    }

private:
    std::string type;
    std::string name;
    std::vector<UniqueId> ids;
    std::vector<int32_t> children;
};

} // namespace GAME
