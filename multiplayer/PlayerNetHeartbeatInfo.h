#pragma once

#include "engine/WorldVec3.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// What every machine learns of a player on each heartbeat. The player fills it; the player
// managers carry it between machines.
struct PlayerNetHeartbeatInfo {
    uint32_t playerId = 0;
    float health = 0.0f;
    float maxHealth = 0.0f;
    float mana = 0.0f;
    float maxMana = 0.0f;
    uint32_t level = 0;
    int32_t partyId = 0;
    WorldVec3 position;
    std::string classTag;
    // Record names of the status skills active on the player.
    std::vector<std::string> activeStatusSkills;
};

} // namespace GAME
