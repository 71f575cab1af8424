#pragma once

#include "combat/CombatFilter.h"
#include "skills/Skill.h"

#include <cstdint>

namespace GAME {

// A skill one character places on another (or itself): it lives in the receiver's buff map,
// counts down, adds its record's attributes while active and filters the receiver's incoming
// damage. Only the controlling machine decides its end and sends the removal.
class SkillBuff : public Skill, public CombatFilter {
    GAME_DECLARE_CLASS(SkillBuff)

public:
    SkillBuff();
    ~SkillBuff() override;

    void Install(Character* owner) override;
    void UnInstall(Character* owner) override;
    void Update(Character& owner, int32_t elapsedMs) override;
    // A buff's level is the sub level its caster gave it.
    uint32_t GetCurrentLevel() const override;
    void ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                             bool fromReplica) override;
    int32_t TrackableTotalTime(uint32_t /*level*/) const override { return timeToLiveTotal; }
    int32_t TrackableRemainingTime(uint32_t /*level*/) const override
    {
        return timeToLiveRemaining;
    }

    // Percentage cut, then a per-hit cap; the cap is not used up.
    float ModifyDamage(float damage, CombatAttributeType type) override;
    bool ProvidesInvulnerability(const std::vector<std::string>& /*races*/) const override
    {
        return false;
    }

    // Only while active.
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

    virtual void DispelBuff(Character& /*owner*/) {}
    virtual void DispelDeBuff(Character& /*owner*/) {}
    virtual void InitializeBuff();

    // Remaining and total both.
    void SetTimeToLive(int32_t ms);
    void SetCasterId(uint32_t id) { casterId = id; }
    uint32_t GetCasterId() const { return casterId; }
    int32_t GetTimeToLiveRemaining() const { return timeToLiveRemaining; }
    int32_t GetTimeToLiveTotal() const { return timeToLiveTotal; }
    float GetDamageAbsorption() const { return damageAbsorption; }
    float GetDamageAbsorptionPercent() const { return damageAbsorptionPercent; }
    uint32_t GetSkillEnhancement() const { return skillEnhancement; }
    // The class's own name, as the designers' tools show it.
    const char* GetDisplayName() const { return displayName; }

protected:
    void SetDisplayName(const char* name) { displayName = name; }
    // A dispel the record allows: the controlling machine sends the removal.
    void RequestDispel();
    // The total stays.
    void SetRemainingTimeToLive(int32_t ms) { timeToLiveRemaining = ms; }
    // Expires on the next update.
    void ExpireNow()
    {
        timeToLiveRemaining = 0;
        timeToLiveTotal = 1;
    }

private:
    // The controlling machine sends the removal; every machine then takes the buff down.
    void SendRemoval();

    const char* displayName = "^bSkill Buff";
    uint32_t casterId = 0;
    float damageAbsorption = 0.0f;
    float damageAbsorptionPercent = 0.0f;
    int32_t timeToLiveRemaining = 0;
    int32_t timeToLiveTotal = 0;
    uint32_t skillEnhancement = 0;
};

} // namespace GAME
