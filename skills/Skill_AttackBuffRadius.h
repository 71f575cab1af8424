#pragma once

#include "skills/Skill_AttackBuff.h"

namespace GAME {

// Lays the debuff on every enemy within the skill's radius of the target or point.
class Skill_AttackBuffRadius : public Skill_AttackBuff {
    GAME_DECLARE_CLASS(Skill_AttackBuffRadius)

public:
    Skill_AttackBuffRadius();
    ~Skill_AttackBuffRadius() override;

    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
};

} // namespace GAME
