#pragma once

#include "skills/SkillActivated.h"

namespace GAME {

class Skill_WPAttack;

// Stands for the plain weapon attack; each swing draws one pooled attack.
class SkillActivatedWeaponPool : public SkillActivated {
    GAME_DECLARE_CLASS(SkillActivatedWeaponPool)

public:
    SkillActivatedWeaponPool();
    ~SkillActivatedWeaponPool() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
    void TargetInformation(const ProjectileInfo& info, const WorldCoords& origin,
                           const std::vector<uint32_t>& targets) override;
    void PlaySkillSound1(const WorldCoords& where) override;
    void PlaySkillSound2(const WorldCoords& where) override;

    // Draws an attack with a generator seeded by seed and starts it.
    bool StartAction(Character& owner, uint32_t targetId, const WorldVec3& point,
                     uint32_t seed) override;
    void SwipeAction(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    void HitAction(Character& owner, const Name& callback, uint32_t targetId,
                   const WorldVec3& point) override;
    bool EndAction(Character& owner) override;

    // The slot the pool adds: a pooled attack reports what it hit.
    virtual void WPAttackCallback(Character& /*owner*/, const std::vector<uint32_t>& /*targets*/) {}

    uint32_t GetCurrentAttackId() const { return currentAttackId; }
    // The drawn attack while it is still a pooled attack; null otherwise.
    Skill_WPAttack* GetCurrentAttack() const;
    bool IsRanged() const { return ranged; }

protected:
    uint32_t currentAttackId = 0;
    bool ranged = false;
};

} // namespace GAME
