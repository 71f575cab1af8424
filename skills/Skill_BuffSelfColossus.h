#pragma once

#include "skills/Skill_BuffSelfDuration.h"

namespace GAME {

// A timed self buff that grows or shrinks its owner over the record's time; it feeds nothing
// until the owner has reached its new size.
class Skill_BuffSelfColossus : public Skill_BuffSelfDuration {
    GAME_DECLARE_CLASS(Skill_BuffSelfColossus)

public:
    Skill_BuffSelfColossus();
    ~Skill_BuffSelfColossus() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool restoring) override;
    virtual void Scale(Character& owner, int32_t ms, bool immediate);

    bool IsScaling() const { return scaling; }
    float GetTargetScale() const { return targetScale; }

private:
    bool scaling = false;
    int32_t scaleTime = 0;
    float targetScale = 0.0f;
    float scaleDelta = 0.0f;
};

} // namespace GAME
