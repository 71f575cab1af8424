#pragma once

#include "world/StrategicMovementBase.h"

namespace GAME {

// A landmark of the map that the player discovers by walking up to it; it is never used and
// needs no map qualification.
class StrategicMovementMarker : public StrategicMovementBase {
    GAME_DECLARE_CLASS(StrategicMovementMarker)

public:
    StrategicMovementMarker();
    ~StrategicMovementMarker() override;
    void OnAddToLevel(World* /*level*/) override { CreatePathObstacle(); }
    void OnMoveInLevel() override { CreatePathObstacle(); }

    void InitialUpdate() override;
    bool IsOfInterest() const override { return false; }
    StrategicMovementBaseState DetermineStateFromPlayer() override;
    bool InstallOnPlayerProximity(Player* player) override;
};

} // namespace GAME
