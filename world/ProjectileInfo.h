#pragma once

#include <cstdint>

#include "characters/Team.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"

namespace GAME {

// What a launching skill (or a fragmenting projectile) tells a projectile about its flight.
// Copied by value so the projectile outlives nothing it depends on.
class ProjectileInfo {
public:
    ProjectileInfo() = default;
    ~ProjectileInfo() = default;
    ProjectileInfo(const ProjectileInfo&) = default;
    ProjectileInfo& operator=(const ProjectileInfo&) = default;

    uint32_t skillId = 0; // receives the hit reports
    uint32_t ownerId = 0;
    WorldCoords launchCoords;
    uint32_t weaponId = 0; // 0 for spells
    uint32_t targetId = 0; // 0 for a point target
    WorldVec3 targetPoint;
    Team team;
    float piercingChance = 0.0f; // percent
    int32_t duration = 0;        // seconds, area effects
    float speedBonus = 0.0f;     // percent
    bool friendlyTargets = false;
};

} // namespace GAME
