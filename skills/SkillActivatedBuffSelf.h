#pragma once

#include "skills/SkillActivated.h"

namespace GAME {

// The common base of the buffs a character casts on itself, paying life and mana while on.
class SkillActivatedBuffSelf : public SkillActivated {
public:
    SkillActivatedBuffSelf();
    ~SkillActivatedBuffSelf() override;

    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
    void DispellSelfBuff(Character& owner) override;

    bool StartAction(Character& owner, uint32_t targetId, const WorldVec3& point,
                     uint32_t seed) override;
    void SwipeAction(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    void HitAction(Character& owner, const Name& callback, uint32_t targetId,
                   const WorldVec3& point) override;

    // The mana at the start; the cooldown at the start or at the end, as the kind wants.
    void ApplyCost(bool atStart);
    // Life and mana drained over ms while the buff is on; the drain never kills, and the buff
    // stops once mana runs out.
    void ApplyActiveCosts(Character& owner, int32_t ms);

    bool IsCooldownAtEnd() const { return cooldownAtEnd; }

    // While in force the buff adds its own numbers and its modifiers'.
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

protected:
    // When the buff's numbers apply; a kind that never says adds nothing.
    virtual bool InForce() const { return false; }
    // A buff that attacks deals its damage through its own blows, not through the owner's.
    virtual bool KeepsOffenseForOwnStrikes() const { return false; }
    // What a use does to a skill switched by use, on the controlling machine: flips `on`, tells
    // the interface, sends the switch and waives the mana while on.
    void SwitchByUse(bool& on);
    // A buff with a duration, on the controlling machine: counts `remainingMs` down while `on`
    // and switches itself off once it has run out.
    void SwitchOffWhenRunOut(bool& on, int32_t& remainingMs, int32_t elapsedMs);
    void SetCooldownAtEnd(bool value) { cooldownAtEnd = value; }

private:
    bool cooldownAtEnd = true;
};

} // namespace GAME
