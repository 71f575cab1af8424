#pragma once

#include "skills/Skill_BuffSelfToggled.h"

namespace GAME {

// A self buff on for the record's time; its cooldown starts when it goes on.
class Skill_BuffSelfDuration : public Skill_BuffSelfToggled {
    GAME_DECLARE_CLASS(Skill_BuffSelfDuration)

public:
    Skill_BuffSelfDuration();
    ~Skill_BuffSelfDuration() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    bool TrackableTimed(uint32_t level) const override;
    int32_t TrackableRemainingTime(uint32_t level) const override;
    int32_t TrackableTotalTime(uint32_t level) const override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    int32_t GetTotalTime() const { return totalTime; }

protected:
    int32_t totalTime = 0;
};

} // namespace GAME
