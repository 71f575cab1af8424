#pragma once

#include "skills/Skill_AttackProjectileAreaEffect.h"

namespace GAME {

// Drops one area projectile on every light marker near the caster; only the first charges.
class Skill_AktaiosLightOfRa : public Skill_AttackProjectileAreaEffect {
    GAME_DECLARE_CLASS(Skill_AktaiosLightOfRa)

public:
    static constexpr float kMarkerRange = 40.0f;

    Skill_AktaiosLightOfRa() = default;
    ~Skill_AktaiosLightOfRa() override;

    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
};

} // namespace GAME
