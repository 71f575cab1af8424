#pragma once

#include "skills/Skill_BuffSelfToggled.h"

namespace GAME {

// A self buff that stays up until its absorption pool is spent; a use while up re-sends "on".
class Skill_BuffSelfShield : public Skill_BuffSelfToggled {
    GAME_DECLARE_CLASS(Skill_BuffSelfShield)

public:
    Skill_BuffSelfShield();
    ~Skill_BuffSelfShield() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    bool TrackableTimed(uint32_t level) const override;
    int32_t TrackableRemainingTime(uint32_t level) const override;
    int32_t TrackableTotalTime(uint32_t level) const override;
    bool SetAvailability(bool ignoreMana, bool ignoreCooldown) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    float ModifyDamage(float damage, CombatAttributeType type) override;
};

} // namespace GAME
