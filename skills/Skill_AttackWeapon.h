#pragma once

#include "skills/SkillActivatedWeapon.h"

namespace GAME {

// The ordinary hit of the weapon in either hand, melee or ranged. It may be charged: while
// charging its record's passive numbers count, and a charged swing cancelled before its result
// still costs mana and cooldown.
class Skill_AttackWeapon : public SkillActivatedWeapon {
    GAME_DECLARE_CLASS(Skill_AttackWeapon)

public:
    Skill_AttackWeapon();
    ~Skill_AttackWeapon() override;

    void CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const override;
    void CollectPassiveRetaliationAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectPassiveDefenseAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectPassiveRacialBonusDefense(const std::vector<std::string>& races,
                                          RacialBonus_Defense& defense) const override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    void Cancel(Character& owner) override;
    bool GetWarmUpWasActive() const override { return warmUpWasActive; }
    bool WarmUpStart() override;
    void WarmUpEnd() override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    bool IsWarmUpActive() const { return warmUpActive; }

private:
    bool warmUpActive = false;
    bool warmUpWasActive = false;
};

} // namespace GAME
