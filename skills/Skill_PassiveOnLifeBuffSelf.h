#pragma once

#include "skills/SkillPassiveSelfBuff.h"

namespace GAME {

// A self buff that switches on when its owner's life falls to the record's share. Its time runs
// only once life is back above that share; while on it gives its numbers and shields.
class Skill_PassiveOnLifeBuffSelf : public SkillPassiveSelfBuff {
    GAME_DECLARE_CLASS(Skill_PassiveOnLifeBuffSelf)

public:
    void Update(Character& owner, int32_t elapsedMs) override;
    bool IsTrackable(uint32_t level) const override;
    bool TrackableTimed(uint32_t level) const override;
    int32_t TrackableRemainingTime(uint32_t level) const override;
    int32_t TrackableTotalTime(uint32_t level) const override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state, bool force) override;

    int32_t GetRemainingActiveTime() const { return remainingActiveTime; }
    bool IsTriggered() const { return triggered; }

private:
    int32_t totalActiveTime = 0;
    bool triggered = false;
    bool lifeRestored = false;
    int32_t remainingActiveTime = 0;
};

} // namespace GAME
