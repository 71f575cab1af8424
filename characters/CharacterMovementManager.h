#pragma once

#include "engine/Vec3.h"
#include "engine/WorldVec3.h"

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

    explicit CharacterMovementManager(Character* owner);
    ~CharacterMovementManager();
    CharacterMovementManager(const CharacterMovementManager&) = delete;
    CharacterMovementManager& operator=(const CharacterMovementManager&) = delete;

private:
    // The marked fields are read only by the movement steps themselves.
    [[maybe_unused]] Character* owner;
    std::unique_ptr<Path> path;
    // Distance advanced in the last update.
    [[maybe_unused]] float step = 0.0f;
    // No region until first read.
    WorldVec3 pathPosition;
    Vec3 direction;
    WorldVec3 pathTarget;
    WorldVec3 previousPosition;
    std::unique_ptr<Path> localPath;
    // No region while the local path is not in use this frame.
    WorldVec3 localPosition;
    // Milliseconds until the next look for characters to steer round.
    [[maybe_unused]] int32_t localPathTimer = 0;
    std::unique_ptr<Path> cachedPath;
    WorldVec3 cachedFrom;
    WorldVec3 cachedTo;
};

} // namespace GAME
