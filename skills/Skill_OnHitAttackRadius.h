#pragma once

#include "engine/WorldVec3.h"
#include "skills/SkillActivatedBuffSelf.h"

#include <vector>

namespace GAME {

// Armed by use like a toggle; while armed, a hit on the owner may release a wave from where the
// owner stands that attacks each enemy as its front reaches them.
class Skill_OnHitAttackRadius : public SkillActivatedBuffSelf {
    GAME_DECLARE_CLASS(Skill_OnHitAttackRadius)

public:
    Skill_OnHitAttackRadius();
    ~Skill_OnHitAttackRadius() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    void OnHitActivation(Character& owner, const ParametersCombat& parameters) override;
    bool IsSkillOnHitActive() const override { return armed; }
    bool IsTrackable(uint32_t /*level*/) const override { return armed; }
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool fromSave) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    // ---- slot added after the base's ----
    virtual void CreateVisualEffect(const WorldCoords& where, float radius, int32_t time);

    bool IsArmed() const { return armed; }
    int32_t GetOnHitCooldown() const { return onHitCooldown; }
    const std::vector<uint32_t>& GetPendingTargets() const { return pendingTargets; }

protected:
    bool InForce() const override { return skillActiveState.active; }
    bool KeepsOffenseForOwnStrikes() const override { return true; }

private:
    bool armed = false;
    int32_t onHitCooldown = 0;
    int32_t waveElapsed = 1;
    // Milliseconds per metre of travel.
    int32_t waveTime = 1;
    WorldVec3 waveCentre;
    std::vector<uint32_t> pendingTargets;
};

} // namespace GAME
