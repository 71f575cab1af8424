#pragma once

#include "engine/Object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class Character;
class CombatAttributeAccumulator;
class ParametersCombat;
struct RacialBonus_Defense;

// The base of every skill object. So far only what a character's skill manager asks of its
// skills; the skill kinds fill it in. A skill that does not answer a question adds nothing and
// reacts to nothing, which is what the defaults here do.
class Skill : public Object {
public:
    ~Skill() override;

    // The owner was hit (or missed); an armed on-hit skill may answer.
    virtual void OnHitActivation(Character& /*owner*/, const ParametersCombat& /*parameters*/) {}
    // 0 while the skill is not learnt.
    virtual uint32_t GetCurrentLevel() const = 0;
    virtual bool IsSkillOnHitActive() const { return false; }
    // Disruption lengthens the cooldown of a skill that allows it.
    virtual void ApplyDisruptionCooldownTime(float /*time*/) {}
    // What a passive skill adds to its owner's attributes.
    virtual void CollectPassiveCharAttributes(CharAttributeAccumulator& accumulator) const = 0;
    virtual void CollectPassiveRetaliationAttributes(CombatAttributeAccumulator& /*acc*/) const {}
    virtual void CollectPassiveDefenseAttributes(CombatAttributeAccumulator& /*acc*/) const {}
    virtual void CollectPassiveRacialBonusDefense(const std::vector<std::string>& /*races*/,
                                                  RacialBonus_Defense& /*defense*/) const
    {}
};

} // namespace GAME
