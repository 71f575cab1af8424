#pragma once

#include "engine/WorldCoords.h"
#include "world/FixedItem.h"

#include <cstdint>
#include <string>

namespace GAME {

// A fixed item that moves the local player elsewhere: a static portal placed in the level, or a
// player's own portal made during play. So far its class record and the portal list's entry.
class FixedItemTeleport : public FixedItem {
    GAME_DECLARE_CLASS(FixedItemTeleport)

public:
    // One player portal as every machine lists it.
    struct TeleportInfo {
        uint32_t teleportId = 0;
        uint32_t ownerId = 0;
        WorldCoords coords;
        std::string recordName;
    };

    FixedItemTeleport() = default;
    ~FixedItemTeleport() override;
};

} // namespace GAME
