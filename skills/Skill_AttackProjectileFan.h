#pragma once

#include "skills/Skill_AttackProjectileRing.h"

namespace GAME {

// The ring's spread aimed at a target: the target is kept.
class Skill_AttackProjectileFan : public Skill_AttackProjectileRing {
    GAME_DECLARE_CLASS(Skill_AttackProjectileFan)

public:
    Skill_AttackProjectileFan();
    ~Skill_AttackProjectileFan() override;

    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
};

} // namespace GAME
