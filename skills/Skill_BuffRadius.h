#pragma once

#include "skills/SkillActivatedBuffSelf.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class SkillServicesBase;

// An aura that puts a named buff (or debuff) on every ally (or enemy) around its caster,
// renewed by a pulse every second, for the record's active duration.
class Skill_BuffRadius : public SkillActivatedBuffSelf {
    GAME_DECLARE_CLASS(Skill_BuffRadius)

public:
    Skill_BuffRadius();
    ~Skill_BuffRadius() override;

    void Load(const LoadTable& table) override;
    void Update(Character& owner, int32_t elapsedMs) override;
    bool IsTrackable(uint32_t level) const override;
    bool HasIconDisplay(uint32_t level) const override;
    bool TrackableTimed(uint32_t level) const override;
    int32_t TrackableRemainingTime(uint32_t level) const override;
    int32_t TrackableTotalTime(uint32_t level) const override;
    void CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool initial) override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool fromSave) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    // Ends the aura when its time is up or the weapons no longer qualify.
    virtual void UpdateSkillController(SkillServicesBase* services, int32_t elapsedMs);

    const std::string& GetBuffSkillName() const { return buffSkillName; }
    bool IsDebuff() const { return debuff; }
    bool IsToggledOn() const { return toggledOn; }

protected:
    // Picks the targets around the caster and sends them; false when none were found.
    bool SendTargetsAround(Character& owner, SkillServicesBase& services, bool initial,
                           std::vector<uint32_t>& targets);
    void EndAura(bool notifyUI);

    int32_t totalTime = 0;
    int32_t pulseInterval = 1000;
    int32_t buffTimeToLive = 1500;
    bool toggledOn = false;
    int32_t remainingTime = 0;
    int32_t pulseCountdown = 0;
    std::string buffSkillName;
    bool debuff = false;
};

} // namespace GAME
