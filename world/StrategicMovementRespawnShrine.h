#pragma once

#include "world/StrategicMovementBase.h"

namespace GAME {

// A shrine that, once touched, is where the player comes back after death. So far its class
// record, which the editor's respawn shrine groups accept.
class StrategicMovementRespawnShrine : public StrategicMovementBase {
    GAME_DECLARE_CLASS(StrategicMovementRespawnShrine)

public:
    StrategicMovementRespawnShrine() = default;
    ~StrategicMovementRespawnShrine() override;

    StrategicMovementBaseState DetermineStateFromPlayer() override;
    bool InstallOnPlayerProximity(Player* player) override;
};

} // namespace GAME
