#pragma once

#include "combat/CombatFilter.h"
#include "skills/SkillActivatedBuffSelf.h"
#include "skills/SkillSelfBuffShield.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// A self buff switched on and off by each use. While in force it feeds its numbers, filters
// the owner's damage and costs life and mana per second; its cooldown starts when it ends.
class Skill_BuffSelfToggled : public SkillActivatedBuffSelf, public CombatFilter {
    GAME_DECLARE_CLASS(Skill_BuffSelfToggled)

public:
    Skill_BuffSelfToggled();
    ~Skill_BuffSelfToggled() override;

    void Install(Character* owner) override;
    void UnInstall(Character* owner) override;
    void Update(Character& owner, int32_t elapsedMs) override;
    bool IsTrackable(uint32_t level) const override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool restoring) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    virtual void InitializeBuff();

    float ModifyDamage(float damage, CombatAttributeType type) override;
    bool ProvidesInvulnerability(const std::vector<std::string>& races) const override;

    bool IsToggledOn() const { return toggledOn; }
    int32_t GetRemainingTime() const { return remainingTime; }
    bool IsSuppressed() const { return suppressed; }
    float GetAbsorption() const { return absorption; }
    float GetAbsorptionTotal() const { return absorptionTotal; }
    float GetAbsorptionPercent() const { return absorptionPercent; }

protected:
    // Sends this machine's request; every machine applies it when it comes back.
    // In force and not held back.
    bool IsFeeding() const { return GetActiveState().active && !suppressed; }
    bool InForce() const override { return IsFeeding(); }
    // Takes the filter off the owner it was given to, if that owner still exists.
    void ReleaseFilter();

    bool toggledOn = false;
    int32_t remainingTime = 0;
    bool suppressed = false;
    float absorption = 0.0f;
    float absorptionTotal = 0.0f;
    float absorptionPercent = 0.0f;

private:
    uint32_t filterOwnerId = 0;
};

} // namespace GAME
