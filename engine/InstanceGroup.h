#pragma once

#include "core/UniqueId.h"

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

private:
    std::string type;
    std::string name;
    std::vector<UniqueId> ids;
};

} // namespace GAME
