#pragma once

#include <cstdint>

namespace GAME {

// Why the skill window cannot raise or reclaim a skill: nine one-byte flags in this order.
struct SkillReasons {
    uint8_t noSkillPoints = 0;
    uint8_t masteryLevelNotMet = 0;
    uint8_t baseSkillNotMet = 0;
    // Hides the requirement text, except while reclaiming.
    uint8_t hideRequirements = 0;
    // Shows no requirement line at all.
    uint8_t noRequirementLine = 0;
    uint8_t dependencyNotMet = 0;
    uint8_t noGoldToReclaim = 0;
    uint8_t reclaimBelowBase = 0;
    uint8_t noPointsToReclaim = 0;
};

} // namespace GAME
