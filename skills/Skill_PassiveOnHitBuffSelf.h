#pragma once

#include "combat/CombatFilter.h"
#include "skills/Skill.h"
#include "skills/SkillSelfBuffShield.h"

namespace GAME {

// A self buff that a hit on its owner may switch on, by chance, for the record's duration. While
// on it gives its numbers and shields; its cooldown starts when it goes off.
class Skill_PassiveOnHitBuffSelf : public Skill, public CombatFilter {
    GAME_DECLARE_CLASS(Skill_PassiveOnHitBuffSelf)

public:
    Skill_PassiveOnHitBuffSelf();
    ~Skill_PassiveOnHitBuffSelf() override;

    void UnInstall(Character* owner) override;
    void Update(Character& owner, int32_t elapsedMs) override;
    void OnHitActivation(Character& owner, const ParametersCombat& parameters) override;
    bool IsSkillOnHitActive() const override { return GetCurrentLevel() != 0; }
    bool IsTrackable(uint32_t level) const override;
    bool TrackableTimed(uint32_t level) const override;
    int32_t TrackableRemainingTime(uint32_t level) const override;
    int32_t TrackableTotalTime(uint32_t level) const override;
    void StopSkill(Character& owner) override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state, bool force) override;

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

    float ModifyDamage(float damage, CombatAttributeType type) override;
    bool ProvidesInvulnerability(const std::vector<std::string>& races) const override;

    int32_t GetRemainingActiveTime() const { return remainingActiveTime; }

private:
    int32_t totalActiveTime = 0;
    int32_t remainingActiveTime = 0;
    SkillSelfBuffShield shield;
};

} // namespace GAME
