#pragma once

#include "combat/CombatAttributeType.h"

#include <cstdint>
#include <vector>

namespace GAME {

// What one attack adds to a track: an amount over a length in seconds.
struct DurationDamageInfo {
    float amount = 0.0f;
    float length = 0.0f;
};

// Damage over time of one kind from one attacker, as a list of 100 ms ticks. What an attack adds
// waits in the pending list until the attack ends, so a later attack does not stack on what is
// running: each tick keeps the larger of the two.
class DurationDamageTrack {
public:
    DurationDamageTrack(uint32_t attackerId, CombatAttributeType damageType)
        : attackerId(attackerId), damageType(damageType)
    {}
    virtual ~DurationDamageTrack() = default;

    // A tenth of the amount per second on each tick of the duration.
    virtual void AddDamage(const DurationDamageInfo& info);
    void CommitPending();

    uint32_t GetAttackerId() const { return attackerId; }
    CombatAttributeType GetDamageType() const { return damageType; }
    const std::vector<float>& GetPendingTicks() const { return pendingTicks; }
    const std::vector<float>& GetActiveTicks() const { return activeTicks; }

protected:
    void AddToTicks(float perTick, float seconds);

private:
    uint32_t attackerId;
    CombatAttributeType damageType;
    std::vector<float> pendingTicks;
    std::vector<float> activeTicks;
};

// A level held for a duration: every tick carries the whole level.
class FixedDurationDamageTrack : public DurationDamageTrack {
public:
    explicit FixedDurationDamageTrack(CombatAttributeType damageType)
        : DurationDamageTrack(0, damageType)
    {}

    void AddDamage(const DurationDamageInfo& info) override;
    // The level now in force.
    float GetLevel() const;
};

} // namespace GAME
