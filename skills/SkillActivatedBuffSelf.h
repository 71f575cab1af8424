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

protected:
    // What a use does to a skill switched by use, on the controlling machine: flips `on`, tells
    // the interface, sends the switch and waives the mana while on.
    void SwitchByUse(bool& on);
    void SetCooldownAtEnd(bool value) { cooldownAtEnd = value; }

private:
    bool cooldownAtEnd = true;
};

} // namespace GAME
