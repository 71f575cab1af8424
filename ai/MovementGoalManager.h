#pragma once

#include "engine/WorldVec3.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
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
    // A request weighs at most this many goals. With more monsters on the move at once than any
    // level sets going, each request takes the next ones in turn, so that it costs about this
    // rather than the crowd's size, and a stale goal is still forgotten when its turn comes.
    static constexpr size_t kMaxGoalsWeighed = 256;
    // The most goals near the target that one request steps round.
    static constexpr size_t kMaxGoalsSteppedRound = 32;

    MovementGoalManager();
    MovementGoalManager(const MovementGoalManager&) = delete;
    MovementGoalManager& operator=(const MovementGoalManager&) = delete;

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

    // In the order they were given; a character has one at most.
    std::vector<Goal> GetGoals() const;

private:
    using Goals = std::list<Goal>;

    // The goal after it.
    Goals::iterator Forget(Goals::iterator goal);

    Goals goals;
    std::unordered_map<uint32_t, Goals::iterator> byCharacter;
    // Where a request that cannot weigh every goal starts.
    Goals::iterator next;
};

} // namespace GAME
