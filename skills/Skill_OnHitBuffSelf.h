#pragma once

#include "skills/SkillActivatedBuffSelf.h"

namespace GAME {

// Armed by use like a toggle; while armed, a hit on the owner may start a burst during which the
// buff's numbers apply. Each burst is followed by an internal cooldown.
class Skill_OnHitBuffSelf : public SkillActivatedBuffSelf {
    GAME_DECLARE_CLASS(Skill_OnHitBuffSelf)

public:
    Skill_OnHitBuffSelf();
    ~Skill_OnHitBuffSelf() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    void OnHitActivation(Character& owner, const ParametersCombat& parameters) override;
    bool IsSkillOnHitActive() const override { return armed; }
    bool IsTrackable(uint32_t /*level*/) const override { return armed; }
    bool TrackableTimed(uint32_t level) const override;
    int32_t TrackableRemainingTime(uint32_t level) const override;
    int32_t TrackableTotalTime(uint32_t level) const override;
    void CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool fromSave) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    bool IsArmed() const { return armed; }
    int32_t GetRemainingTime() const { return remainingTime; }
    int32_t GetOnHitCooldown() const { return onHitCooldown; }

private:
    // A burst's numbers apply on every machine while the transition flag is up.
    bool InForce() const override { return skillActiveState.active && skillActiveState.transition; }

    int32_t burstTime = 0;
    bool armed = false;
    int32_t remainingTime = 0;
    int32_t onHitCooldown = 0;
};

} // namespace GAME
