#pragma once

#include "skills/Skill_BuffAttackRadiusToggled.h"

namespace GAME {

// The attack aura on for the record's active duration.
class Skill_BuffAttackRadiusDuration : public Skill_BuffAttackRadiusToggled {
    GAME_DECLARE_CLASS(Skill_BuffAttackRadiusDuration)

public:
    Skill_BuffAttackRadiusDuration();
    ~Skill_BuffAttackRadiusDuration() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    bool TrackableTimed(uint32_t level) const override;
    int32_t TrackableRemainingTime(uint32_t level) const override;
    int32_t TrackableTotalTime(uint32_t level) const override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

private:
    int32_t totalTime = 0;
};

} // namespace GAME
