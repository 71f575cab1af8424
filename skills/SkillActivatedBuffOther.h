#pragma once

#include "skills/SkillActivated.h"

namespace GAME {

// The common base of the buffs cast on a friend.
class SkillActivatedBuffOther : public SkillActivated {
public:
    SkillActivatedBuffOther();
    ~SkillActivatedBuffOther() override;

    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;

    bool StartAction(Character& owner, uint32_t targetId, const WorldVec3& point,
                     uint32_t seed) override;
    void SwipeAction(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    void HitAction(Character& owner, const Name& callback, uint32_t targetId,
                   const WorldVec3& point) override;
};

} // namespace GAME
