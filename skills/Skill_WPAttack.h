#pragma once

#include "skills/SkillActivatedWeapon.h"

#include <cstdint>

namespace GAME {

class SkillActivatedWeaponPool;

// One attack of a weapon pool, drawn by its chance weight. Unless the pool keeps its resources
// to itself, the pool's numbers and effects are added to the attack's own.
class Skill_WPAttack : public SkillActivatedWeapon {
    GAME_DECLARE_CLASS(Skill_WPAttack)

public:
    Skill_WPAttack();
    ~Skill_WPAttack() override;

    // 0 for a disabled skill unless asked to include it.
    uint32_t GetChanceWeight(bool includeDisabled) const override;
    // The pool paid for the swing already: only the weapon and hand state count.
    bool SetAvailability(bool ignoreMana, bool ignoreCooldown) override;

    float GetTotalSkillAttribute(SkillAttributeType type) const override;
    void GetSkillModifierData(SkillProfile_Modifiers& data) const override;
    void AddProjectileModifier(ProjectileBase* projectile) const override;
    void PlaySwipeSound(const WorldVec3& position) override;
    void PlayHitSound(const WorldVec3& position) override;
    void CreateTargetFx(const WorldCoords& where) override;
    void CollectLocalOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectLocalOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const override;

    void SetParentSkillId(uint32_t id) { parentSkillId = id; }
    uint32_t GetParentSkillId() const { return parentSkillId; }
    // The pool while it still exists; null otherwise.
    SkillActivatedWeaponPool* GetParentPool() const;

    // A hand's hit callback: the weapon of that hand, ranged from the callback's attach point or
    // melee at the target. Whether something was sent (the controlling machine only).
    static bool ExecuteWeaponHit(SkillActivated& skill, Character& owner, const Name& callback,
                                 uint32_t targetId, const WorldVec3& point);

protected:
    // The pool whose resources join the attack's; null when none or when it keeps them.
    Skill* GetResourceParent() const;

private:
    uint32_t parentSkillId = 0;
};

} // namespace GAME
