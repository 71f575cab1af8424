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

    // Goals of other characters nearer the target than this (squared) are stepped round.
    static constexpr float kCrowdDistanceSquared = 20.0f;

    // The instance the characters hand out; game thread only.
    static MovementGoalManager& GetCharacterInstance();
    // The instance the monster controllers share; game thread only.
    static MovementGoalManager& GetMonsterInstance();

    // The target itself, or, when other characters were sent close to it, the nearest place
    // round it where a body of `requesterRadius` stands clear of them. Forgets the goals of
    // characters that are gone, dead or nowhere, and the requester's own, then remembers the
    // answer as the requester's goal.
    WorldVec3 GetClosestMovePoint(uint32_t requester, float requesterRadius,
                                  const WorldVec3& target);
    // Forgets the first goal of that character.
    void ReleaseMoveGoal(uint32_t requester);

    const std::vector<Goal>& GetGoals() const { return goals; }

private:
    std::vector<Goal> goals;
};

} // namespace GAME
