#pragma once

#include "world/StrategicMovementBase.h"

namespace GAME {

// A shrine that, once discovered, the player can teleport to. So far its class record, which the
// editor's teleport shrine groups accept.
class StrategicMovementTeleportShrine : public StrategicMovementBase {
    GAME_DECLARE_CLASS(StrategicMovementTeleportShrine)

public:
    StrategicMovementTeleportShrine() = default;
    ~StrategicMovementTeleportShrine() override;

    StrategicMovementBaseState DetermineStateFromPlayer() override;
    bool InstallOnPlayerProximity(Player* player) override;
};

} // namespace GAME
