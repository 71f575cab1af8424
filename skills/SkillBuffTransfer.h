#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// A buff request from a caster to the receiver's controller, which decides whether and how to
// create the buff on its character.
struct SkillBuffTransfer {
    std::string buffName;
    uint32_t buffLevel = 0;
    std::string modifierName1;
    uint32_t modifierLevel1 = 0;
    std::string modifierName2;
    uint32_t modifierLevel2 = 0;
    int32_t timeToLive = 0; // ms
    uint32_t casterId = 0;
};

} // namespace GAME
