#pragma once

#include "core/UniqueId.h"
#include "engine/Vec3.h"

#include <cstdint>
#include <map>

namespace GAME {

// The level designer's instance groups. So far it holds what the level says about each placed
// entity: its region and its position there, found by the entity's unique id even while the
// entity itself is not loaded.
class InstanceGroupManager {
public:
    struct EntityData {
        uint32_t regionId = 0;
        Vec3 position;
    };

    static InstanceGroupManager& Instance();

    // For the level loader; a later entry for the same id replaces the earlier one.
    void SetEntityData(const UniqueId& id, const EntityData& data);
    // False, with `out` untouched, for an id the levels never placed.
    bool GetEntityData(const UniqueId& id, EntityData& out) const;
    // Forgets everything: the game shuts down or leaves its levels.
    void Destroy();

private:
    std::map<UniqueId, EntityData> entityData;
};

} // namespace GAME
