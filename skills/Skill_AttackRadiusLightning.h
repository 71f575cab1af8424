#pragma once

#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "skills/SkillActivatedSpell.h"

#include <cstdint>
#include <vector>

namespace GAME {

// A lightning strike at a point that damages the enemies around it when the bolt lands.
class Skill_AttackRadiusLightning : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_AttackRadiusLightning)

public:
    // Without word from the bolt the strike lands anyway after this long.
    static constexpr int32_t kLightningTimeoutMs = 5000;

    Skill_AttackRadiusLightning();
    ~Skill_AttackRadiusLightning() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    bool SetAvailability(bool ignoreMana, bool ignoreCooldown) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    uint32_t GetLightningId() const { return lightningId; }
    const std::vector<uint32_t>& GetStoredTargets() const { return targets; }

protected:
    virtual void CreateVisualEffect(const WorldCoords& where);
    void OnLightningComplete(Character& owner);

private:
    WorldVec3 aimedPoint;
    std::vector<uint32_t> targets;
    uint32_t chosenTarget = 0;
    uint32_t lightningId = 0;
    WorldCoords strikeCoords;
    uint32_t seed = 0;
    int32_t lightningTimeout = 0;
};

} // namespace GAME
