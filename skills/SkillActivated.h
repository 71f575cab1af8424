#pragma once

#include "skills/Skill.h"

namespace GAME {

// A skill used on demand: its animation's callbacks drive it.
class SkillActivated : public Skill {
    GAME_DECLARE_CLASS(SkillActivated)

public:
    // Every used-on-demand kind may have its cooldown lengthened by disruption.
    SkillActivated() { SetDisruptable(true); }
    ~SkillActivated() override;
    // Whether the use began.
    virtual bool StartAction(Character& /*owner*/, uint32_t /*targetId*/,
                             const WorldVec3& /*point*/, uint32_t /*seed*/)
    {
        return false;
    }
    virtual void SwipeAction(Character& /*owner*/, const Name& /*callback*/, uint32_t /*targetId*/,
                             const WorldVec3& /*point*/)
    {}
    virtual void HitAction(Character& /*owner*/, const Name& /*callback*/, uint32_t /*targetId*/,
                           const WorldVec3& /*point*/)
    {}
    // Whether the use is over.
    virtual bool EndAction(Character& /*owner*/) { return true; }
    virtual bool WarmUpStart() { return false; }
    virtual void WarmUpEnd() {}
};

} // namespace GAME
