#pragma once

#include "combat/CombatAttributeType.h"

#include <cstdint>
#include <vector>

namespace GAME {

// What one attack adds to a track: an amount over a length in seconds. In replicas it is one run
// of ticks: the value of each tick and the number of ticks (a whole number held as a float).
struct DurationDamageInfo {
    float amount = 0.0f;
    float length = 0.0f;

    bool operator==(const DurationDamageInfo& other) const = default;
};

// Damage over time of one kind from one attacker, as a list of 100 ms ticks. What an attack adds
// waits in the pending list until the attack ends, so a later attack does not stack on what is
// running: each tick keeps the larger of the two.
class DurationDamageTrack {
public:
    static constexpr int32_t kTickMs = 100;
    // An hour of ticks. Durations come from records and replicas from other machines; neither
    // may grow a track without end.
    static constexpr int32_t kMaxTicks = 36000;

    DurationDamageTrack(uint32_t attackerId, CombatAttributeType damageType)
        : attackerId(attackerId), damageType(damageType)
    {}
    virtual ~DurationDamageTrack() = default;

    // A tenth of the amount per second on each tick of the duration.
    virtual void AddDamage(const DurationDamageInfo& info);
    // What the ticks due in this update deal.
    virtual float GetDamage() const;

    void CommitPending();
    // Adds the frame's time; a tick falls due only once more than 100 ms have gathered.
    void AdvanceTime(int32_t elapsedMs);
    void ConsumeDueTicks();
    bool IsFinished() const { return activeTicks.empty(); }

    // Appends `length` ticks of `amount`, up to the cap. A replica is outside data: a run whose
    // amount is not finite or whose length is outside 0 to kMaxTicks is refused whole.
    bool AppendTicks(float amount, float length);
    static bool IsAcceptableRun(float amount, float length);

    // The active ticks as runs of equal values, leaving out runs that deal nothing.
    std::vector<DurationDamageInfo> GetReplicaRuns() const;
    void Dump() const;

    uint32_t GetAttackerId() const { return attackerId; }
    CombatAttributeType GetDamageType() const { return damageType; }
    const std::vector<float>& GetPendingTicks() const { return pendingTicks; }
    const std::vector<float>& GetActiveTicks() const { return activeTicks; }

protected:
    void AddToTicks(float perTick, float seconds);

private:
    // One run per stretch of equal values, the first compared with 0; `visit` gets its value,
    // its number of ticks and their sum.
    template <typename Visit> void ForEachRun(Visit visit) const;

    uint32_t attackerId;
    CombatAttributeType damageType;
    std::vector<float> pendingTicks;
    std::vector<float> activeTicks;
    int32_t elapsedMs = 0;
    int32_t ticksDue = 0;
};

// A level held for a duration: every tick carries the whole level.
class FixedDurationDamageTrack : public DurationDamageTrack {
public:
    explicit FixedDurationDamageTrack(CombatAttributeType damageType)
        : DurationDamageTrack(0, damageType)
    {}

    void AddDamage(const DurationDamageInfo& info) override;
    // The level now in force, whether or not a tick is due.
    float GetDamage() const override;
};

} // namespace GAME
