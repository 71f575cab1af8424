#pragma once

#include "engine/Object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class Character;
class CombatAttributeAccumulator;
class LoadTable;
class ParametersCombat;
struct RacialBonus_Damage;
struct RacialBonus_Defense;

// The base of every skill object. So far only what a character's skill manager asks of its
// skills; the skill kinds fill it in. A skill that does not answer a question adds nothing and
// reacts to nothing, which is what the defaults here do.
class Skill : public Object {
public:
    // How far the skill reaches, as the record's "distanceProfile" names it.
    enum RangeProfile : int32_t {
        RangeProfile_Melee = 0,
        RangeProfile_Short = 1,
        RangeProfile_Moderate = 2,
        RangeProfile_Long = 3,
        RangeProfile_Maximum = 4
    };

    void Load(const LoadTable& table) override;
    ~Skill() override;

    virtual void LoadResources(const LoadTable& table);
    // The owner was hit (or missed); an armed on-hit skill may answer.
    virtual void OnHitActivation(Character& /*owner*/, const ParametersCombat& /*parameters*/) {}
    // 0 while the skill is not learnt.
    virtual uint32_t GetCurrentLevel() const = 0;
    virtual bool IsSkillOnHitActive() const { return false; }
    virtual int32_t GetRangeProfile() const { return rangeProfile; }
    // Disruption lengthens the cooldown of a skill that allows it.
    virtual void ApplyDisruptionCooldownTime(float /*time*/) {}
    // What a passive skill adds to its owner's attributes.
    virtual void CollectPassiveCharAttributes(CharAttributeAccumulator& accumulator) const = 0;
    virtual void CollectPassiveRetaliationAttributes(CombatAttributeAccumulator& /*acc*/) const {}
    virtual void CollectPassiveDefenseAttributes(CombatAttributeAccumulator& /*acc*/) const {}
    virtual void CollectPassiveRacialBonusDefense(const std::vector<std::string>& /*races*/,
                                                  RacialBonus_Defense& /*defense*/) const
    {}
    virtual void CollectPassiveRacialBonusDamage(const std::vector<std::string>& /*races*/,
                                                 RacialBonus_Damage& /*damage*/) const
    {}

    // The game's distance for the range profile; 1.0 for a profile it has none for.
    float GetRange() const;
    // Melee skills need a place of the target's attack ring.
    bool NeedsAttackSlot() const { return rangeProfile == RangeProfile_Melee; }

private:
    int32_t rangeProfile = RangeProfile_Melee;
};

} // namespace GAME
