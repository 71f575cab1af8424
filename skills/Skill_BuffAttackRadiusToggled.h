#pragma once

#include "skills/SkillActivatedBuffSelf.h"

#include <cstdint>
#include <vector>

namespace GAME {

// An aura that attacks every enemy around its caster once a second while switched on.
class Skill_BuffAttackRadiusToggled : public SkillActivatedBuffSelf {
    GAME_DECLARE_CLASS(Skill_BuffAttackRadiusToggled)

public:
    Skill_BuffAttackRadiusToggled();
    ~Skill_BuffAttackRadiusToggled() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    bool IsTrackable(uint32_t level) const override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool initial) override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool fromSave) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    bool IsToggledOn() const { return toggledOn; }

protected:
    bool InForce() const override { return GetActiveState().active; }
    bool KeepsOffenseForOwnStrikes() const override { return true; }

    int32_t pulseInterval = 1000;
    bool toggledOn = false;
    int32_t remainingTime = 0;
    int32_t pulseCountdown = 0;
};

} // namespace GAME
