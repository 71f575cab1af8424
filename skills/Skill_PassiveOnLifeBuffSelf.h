#pragma once

#include "combat/CombatFilter.h"
#include "skills/Skill.h"
#include "skills/SkillSelfBuffShield.h"

namespace GAME {

// A self buff that switches on when its owner's life falls to the record's share. Its time runs
// only once life is back above that share; while on it gives its numbers and shields.
class Skill_PassiveOnLifeBuffSelf : public Skill, public CombatFilter {
    GAME_DECLARE_CLASS(Skill_PassiveOnLifeBuffSelf)

public:
    Skill_PassiveOnLifeBuffSelf();
    ~Skill_PassiveOnLifeBuffSelf() override;

    void UnInstall(Character* owner) override;
    void Update(Character& owner, int32_t elapsedMs) override;
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
    bool IsTriggered() const { return triggered; }

private:
    int32_t totalActiveTime = 0;
    bool triggered = false;
    bool lifeRestored = false;
    int32_t remainingActiveTime = 0;
    SkillSelfBuffShield shield;
};

} // namespace GAME
