#pragma once

#include "skills/Skill_WeaponPool_Charged.h"

#include <cstdint>
#include <vector>

namespace GAME {

// Each hit raises the charge by one up to the level's maximum; the bonuses are those of the
// record at level = charge. The charge falls back one step each time its timer runs out.
class Skill_WeaponPool_ChargedLinear : public Skill_WeaponPool_Charged {
    GAME_DECLARE_CLASS(Skill_WeaponPool_ChargedLinear)

public:
    Skill_WeaponPool_ChargedLinear();
    ~Skill_WeaponPool_ChargedLinear() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool initial) override;
    void WPAttackCallback(Character& owner, const std::vector<uint32_t>& targets) override;

    void CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const override;
    void CollectPassiveSkillAttributes(SkillAttributeAccumulator& acc) const override;
    void CollectPassiveOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectPassiveOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectPassiveRetaliationAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectPassiveDefenseAttributes(CombatAttributeAccumulator& acc) const override;
    void CollectPassiveRacialBonusDamage(const std::vector<std::string>& races,
                                         RacialBonus_Damage& damage) const override;
    void CollectPassiveRacialBonusDefense(const std::vector<std::string>& races,
                                          RacialBonus_Defense& defense) const override;

    // The bonuses are shown as they are at full charge.
    void CreateUIParameterText(std::vector<GameTextLine>& lines) const override;
    void CreateUINextParameterText(std::vector<GameTextLine>& lines) const override;

    void SetChargeEffect(Character& owner, uint32_t level);
    void IncrementCharge();
    void DecrementCharge();
    void ResetCharge();

    uint32_t GetRunningEffect() const { return runningEffect; }
    const std::vector<uint32_t>& GetChargeEffects() const { return chargeEffects; }

private:
    // Owner's particle effect ids; 0 = none.
    uint32_t runningEffect = 0;
    // One per charge level, created on first use and kept.
    std::vector<uint32_t> chargeEffects;
};

} // namespace GAME
