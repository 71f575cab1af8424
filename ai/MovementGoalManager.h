#pragma once

#include "engine/WorldVec3.h"

#include <cstdint>
#include <vector>

namespace GAME {

// Remembers the point each moving monster was sent to, so that monsters converging on one
// target can be spread round the points already taken.
class MovementGoalManager {
public:
    struct Goal {
        uint32_t characterId = 0;
        WorldVec3 point;
    };

    // The instance the characters hand out; game thread only.
    static MovementGoalManager& GetCharacterInstance();

    const std::vector<Goal>& GetGoals() const { return goals; }

private:
    std::vector<Goal> goals;
};

} // namespace GAME
