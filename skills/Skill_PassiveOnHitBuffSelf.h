#pragma once

#include "skills/SkillPassiveSelfBuff.h"

namespace GAME {

// A self buff that a hit on its owner may switch on, by chance, for the record's duration. While
// on it gives its numbers and shields; its cooldown starts when it goes off.
class Skill_PassiveOnHitBuffSelf : public SkillPassiveSelfBuff {
    GAME_DECLARE_CLASS(Skill_PassiveOnHitBuffSelf)

public:
    void Update(Character& owner, int32_t elapsedMs) override;
    void OnHitActivation(Character& owner, const ParametersCombat& parameters) override;
    bool IsSkillOnHitActive() const override { return GetCurrentLevel() != 0; }
    bool IsTrackable(uint32_t level) const override;
    bool TrackableTimed(uint32_t level) const override;
    int32_t TrackableRemainingTime(uint32_t level) const override;
    int32_t TrackableTotalTime(uint32_t level) const override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state, bool force) override;

    int32_t GetRemainingActiveTime() const { return remainingActiveTime; }

private:
    int32_t totalActiveTime = 0;
    int32_t remainingActiveTime = 0;
};

} // namespace GAME
