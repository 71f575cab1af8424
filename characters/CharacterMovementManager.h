#pragma once

#include "engine/Vec3.h"
#include "engine/WorldVec3.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace GAME {

class Character;
class Path;

// Moves one character along the path finder's paths: a global path to its target, short
// local paths round other characters, and a path that a reachability test found, kept for the
// move that usually follows it.
class CharacterMovementManager {
public:
    // Below this distance the character jumps to the end instead of walking.
    static constexpr float closeEnoughToJump = 0.05f;
    // The most characters ahead that one scan weighs, the nearest living ones: a crowd packed
    // tighter than any level places its monsters is steered round in part rather than whole at
    // the square of its size.
    static constexpr size_t kMaxCharactersAhead = 16;
    // Those it is chosen among: in a crowd, the first ones met walking outward from the mover.
    static constexpr size_t kMaxCharactersWeighedAhead = 4 * kMaxCharactersAhead;

    explicit CharacterMovementManager(Character* owner);
    ~CharacterMovementManager();
    CharacterMovementManager(const CharacterMovementManager&) = delete;
    CharacterMovementManager& operator=(const CharacterMovementManager&) = delete;

    // Taken from the owner's coordinates the first time it is asked for.
    WorldVec3 GetPathPosition();
    void SetPathPosition(const WorldVec3& position);
    // Leaves the local path's place alone.
    void SetPathPositionNoJump(const WorldVec3& position);
    const WorldVec3& GetPathTarget() const { return pathTarget; }
    Path* GetPath() const { return path.get(); }

    // A reachability test's path survives both, for the move that follows it.
    void ClearPath();
    void Reset();

    bool AlreadyThere(const WorldVec3& from, const WorldVec3& to);
    // True when there is a path to walk, or when the target is already reached (`alreadyThere`).
    bool SetNewPathTarget(const WorldVec3& from, const WorldVec3& to, bool& alreadyThere);
    // A `maxDetourRatio` of 0 accepts any detour.
    bool CanMoveTo(const WorldVec3& from, const WorldVec3& to, float endTolerance,
                   float maxDetourRatio);
    WorldVec3 GetFurthestMoveToPoint(const WorldVec3& point);
    // The point `distance` short of the goal along the way there.
    WorldVec3 GetPointAwayFromGoal(const WorldVec3& goal, float distance);
    void UpdatePathPosition(const WorldVec3& point);

    // False when the character has to stop.
    bool Update(int32_t ms);
    void DebugRender();

private:
    std::unique_ptr<Path> FindPath(const WorldVec3& from, const WorldVec3& to);
    bool MoveDownPath(int32_t ms, float speed);
    void UpdateCharacterPosition(int32_t ms, float speed);
    float CalculateSpeed();
    void CreateLocalPath(int32_t ms, float speed);
    bool ShouldAvoid(Character* other, float speed);
    // Paths round the characters ahead; the candidate path replaces the local one when it keeps
    // to the global path.
    void AvoidCharactersAhead(float speed);
    float GetDistance(const WorldVec3& a, const WorldVec3& b) const;

    Character* owner;
    std::unique_ptr<Path> path;
    // Distance advanced in the last update.
    float step = 0.0f;
    // No region until first read.
    WorldVec3 pathPosition;
    Vec3 direction;
    WorldVec3 pathTarget;
    WorldVec3 previousPosition;
    std::unique_ptr<Path> localPath;
    // No region while the local path is not in use this frame.
    WorldVec3 localPosition;
    // Milliseconds until the next look for characters to steer round.
    int32_t localPathTimer = 0;
    std::unique_ptr<Path> cachedPath;
    WorldVec3 cachedFrom;
    WorldVec3 cachedTo;
    // Whether a move without a path was logged.
    bool toldNoPath = false;
};

} // namespace GAME
