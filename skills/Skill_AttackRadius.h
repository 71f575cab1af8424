#pragma once

#include "engine/WorldVec3.h"
#include "skills/SkillActivatedSpell.h"

#include <cstdint>
#include <vector>

namespace GAME {

// An outward wave from the caster that hits each enemy as it reaches it.
class Skill_AttackRadius : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_AttackRadius)

public:
    Skill_AttackRadius();
    ~Skill_AttackRadius() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    bool SetAvailability(bool ignoreMana, bool ignoreCooldown) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool fromSave) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    const std::vector<uint32_t>& GetWaitingTargets() const { return waiting; }

protected:
    virtual void CreateVisualEffect(const WorldCoords& where, float radius, int32_t time);

private:
    int32_t elapsed = 0;
    int32_t radiusTime = 1;
    float largestRadius = 0.0f;
    WorldVec3 centre;
    std::vector<uint32_t> waiting;
};

} // namespace GAME
