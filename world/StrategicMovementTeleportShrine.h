#pragma once

#include "world/StrategicMovementBase.h"

namespace GAME {

// A shrine that, once discovered, the player can teleport to; using it opens the teleport menu.
class StrategicMovementTeleportShrine : public StrategicMovementBase {
    GAME_DECLARE_CLASS(StrategicMovementTeleportShrine)

public:
    StrategicMovementTeleportShrine() = default;
    ~StrategicMovementTeleportShrine() override;

    // On the floor beneath the shrine.
    WorldVec3 GetMoveToPoint(uint32_t user) override;
    void RequestToUse(uint32_t user) override;
    StrategicMovementBaseState DetermineStateFromPlayer() override;
    bool InstallOnPlayerProximity(Player* player) override;
    void AppendDetailMapData(std::vector<MinimapGameNugget>& list) const override;
};

} // namespace GAME
