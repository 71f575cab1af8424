#pragma once

#include "items/EquipLocations.h"
#include "items/ItemReplicaInfo.h"

namespace GAME {

// One item a character carries, as its replication names it: the item, and where it is
// equipped (none for an item in the inventory).
struct InventoryReplica {
    ItemReplicaInfo item;
    EquipLocations location = EquipLocations_None;
};

} // namespace GAME
