#pragma once

#include <cstdint>
#include <string>

namespace GAME {

class LoadTable;

// A reward handed to a character: life and mana, gold, skill and attribute points, experience,
// and the effect shown when it is taken. The two words without a record key travel with it: the
// receiving player and the object whose death or use earned it.
class Bonus {
public:
    Bonus() = default;
    Bonus(const Bonus&) = default;
    Bonus& operator=(const Bonus&) = default;
    ~Bonus() = default;

    void Load(const LoadTable& table);
    // Every field but the effect name, which the bonus packets never carry.
    void CopyValues(const Bonus& other);
    float GetTotal(float lifeBase, float manaBase) const;

    uint32_t receiverId = 0;
    float lifePoints = 0.0f;
    float lifePercent = 0.0f;
    float manaPoints = 0.0f;
    float manaPercent = 0.0f;
    uint32_t goldPoints = 0;
    uint32_t skillPoints = 0;
    uint32_t attributePoints = 0;
    uint32_t experiencePoints = 0;
    std::string effectName;
    uint32_t sourceId = 0;
};

} // namespace GAME
