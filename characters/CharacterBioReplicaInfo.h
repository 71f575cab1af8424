#pragma once

#include <cstdint>

namespace GAME {

// The bio as replicas and level states carry it: whole numbers of life and mana, the tainted
// flag, and the five base values that a player raises.
class CharacterBioReplicaInfo {
public:
    // A value of the bio as a whole number: truncated, with anything below 0 (or not a number)
    // as 0 and anything past the top as the top, where a plain conversion would be undefined.
    static uint32_t ToWholeNumber(float value);

    uint32_t currentLife = 0;
    uint32_t currentMana = 0;
    uint8_t tainted = 0;
    uint32_t baseLife = 0;
    uint32_t baseMana = 0;
    uint32_t baseStrength = 0;
    uint32_t baseDexterity = 0;
    uint32_t baseIntelligence = 0;
};

} // namespace GAME
