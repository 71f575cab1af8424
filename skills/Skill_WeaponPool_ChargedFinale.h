#pragma once

#include "skills/Skill_WeaponPool_Charged.h"

#include <cstdint>
#include <vector>

namespace GAME {

// Hits charge it; at full charge the next swing is the pool's own finale, which empties it.
// Its attacks use only their own numbers and effects.
class Skill_WeaponPool_ChargedFinale : public Skill_WeaponPool_Charged {
    GAME_DECLARE_CLASS(Skill_WeaponPool_ChargedFinale)

public:
    Skill_WeaponPool_ChargedFinale();
    ~Skill_WeaponPool_ChargedFinale() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool initial) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void WPAttackCallback(Character& owner, const std::vector<uint32_t>& targets) override;

    bool StartAction(Character& owner, uint32_t targetId, const WorldVec3& point,
                     uint32_t seed) override;
    void SwipeAction(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    void HitAction(Character& owner, const Name& callback, uint32_t targetId,
                   const WorldVec3& point) override;

    // The replicated charge has reached the level's maximum.
    bool IsFullCharge() const;
    void SetChargeEffect(Character& owner, uint32_t level);
    uint32_t GetCurrentAura() const { return currentAura; }

private:
    // The owner's aura id; 0 = none.
    uint32_t currentAura = 0;
};

} // namespace GAME
