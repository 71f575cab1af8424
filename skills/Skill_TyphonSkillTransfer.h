#pragma once

#include "skills/SkillActivatedSpell.h"

#include <cstdint>
#include <string>

namespace GAME {

class ChaosBeam;
class EffectEntity;

// The boss links itself to a target with a beam that grows from the target's end, then
// shrinks away; the target takes an attack that carries nothing but the boss.
class Skill_TyphonSkillTransfer : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_TyphonSkillTransfer)

public:
    Skill_TyphonSkillTransfer();
    ~Skill_TyphonSkillTransfer() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void Update(Character& owner, int32_t elapsedMs) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    bool ShouldMonsterSkillBeInterruptedWhilePursuing() const override { return false; }

    ChaosBeam* GetBeam() const;
    float GetProgress() const { return progress; }
    uint32_t GetBeamTarget() const { return beamTarget; }
    EffectEntity* GetSourceEndEffect() const;
    EffectEntity* GetTargetEndEffect() const;

private:
    // Makes the end effect from its record when there is none yet.
    void ShowEnd(uint32_t& effect, const std::string& record, const WorldCoords& where);
    void DropEnd(uint32_t& effect);

    uint32_t beamId = 0;
    float beamVelocity = 1.0f;
    float progress = 0.0f;
    bool beamShown = false;
    uint32_t beamTarget = 0;
    std::string sourceEndName;
    uint32_t sourceEndEffect = 0;
    std::string targetEndName;
    uint32_t targetEndEffect = 0;
};

} // namespace GAME
