#pragma once

#include "combat/CombatAttributeType.h"

#include <cstdint>

namespace GAME {

class Character;
class CombatFilter;
class Skill;

// The part of a passive self buff that sits on its owner while on: the bonus it hands over, the
// shield values and its place among the owner's damage filters. The owner is remembered by id,
// so the filter can be taken off an owner that still exists however the buff ends.
class SkillSelfBuffShield {
public:
    void SwitchOn(const Skill& skill, Character& owner, CombatFilter& filter);
    void SwitchOff(Character& owner, CombatFilter& filter);
    // Takes the filter off the owner when the owner is still there.
    void Release(CombatFilter& filter);
    // The damage that passes while the buff is on.
    float Filter(const Skill& skill, float damage, CombatAttributeType type) const;

    // The record's duration with the modifiers', in whole milliseconds.
    static int32_t GetActiveTime(const Skill& skill);

private:
    float absorption = 0.0f;
    float absorptionPercent = 0.0f;
    uint32_t ownerId = 0;
};

} // namespace GAME
