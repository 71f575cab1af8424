#pragma once

#include "skills/SkillActivatedWeaponPool.h"

#include <cstdint>

namespace GAME {

// What the two charging pools share: a charge counted by hits on the controlling machine, its
// timer, and the replicated copy every machine reads. No record names this class.
class Skill_WeaponPool_Charged : public SkillActivatedWeaponPool {
public:
    Skill_WeaponPool_Charged();
    ~Skill_WeaponPool_Charged() override;

    // The user interface shows the charge out of the maximum.
    bool IsTrackable(uint32_t level) const override;
    int32_t TrackableRemainingTime(uint32_t level) const override;
    int32_t TrackableTotalTime(uint32_t level) const override;

    uint32_t GetCharge() const { return charge; }
    int32_t GetChargeTimer() const { return chargeTimer; }
    // The charge as every machine has it, within [0, the level's maximum].
    uint32_t GetReplicatedCharge() const;
    uint32_t GetMaxCharge() const;

protected:
    int32_t ChargeDurationAt(uint32_t level) const;
    // Whether the charge built so far stays: the pool's own cooldown, which every hit starts, or
    // a short purse only make it fall back on the default attack.
    bool HoldsCharge() const;
    void SendCharge() const;
    // A replicated charge from another machine or a save is held to what the level allows
    // before anything is built for it.
    SkillActiveState ClampedState(const SkillActiveState& state) const;
    // A restored state is this machine's own charge again.
    void AdoptCharge(const SkillActiveState& state, bool initial);

    uint32_t charge = 0;
    // Milliseconds.
    int32_t chargeTimer = 0;
};

} // namespace GAME
