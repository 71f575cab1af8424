#pragma once

#include "combat/CombatAttributeType.h"
#include "combat/DurationDamageReplication.h"
#include "combat/DurationDamageTrack.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace GAME {

class Character;
class CombatManager;

// Everything that acts on a character over time after a hit: damage over time per kind and
// attacker, cut into 100 ms ticks, and levels held for a duration (slows, ability reductions and
// the involuntary states). Each frame it deals the ticks that fell due through the combat
// manager, keeps the character's damage effects and state in step with what runs, and notices
// when a speed level changes. Replicas carry what runs to other machines; applying one adds to
// what is there.
class DurationDamageManager {
public:
    // How long after the owner starts dying everything is cleared.
    static constexpr int32_t kClearDelayMs = 250;

    DurationDamageManager();
    virtual ~DurationDamageManager() = default;
    DurationDamageManager(const DurationDamageManager&) = delete;
    DurationDamageManager& operator=(const DurationDamageManager&) = delete;

    virtual void Update(int32_t elapsedMs);
    // The level of that kind now in force; 0 when none runs.
    virtual float GetFixedDamage(CombatAttributeType type) const;
    // Per second for `duration` seconds, credited to the attacker now set.
    virtual void AddDamage(CombatAttributeType type, float amount, float duration);
    virtual void AddFixedDamage(CombatAttributeType type, float level, float duration);
    // Drops every track; effects and state follow at the next update.
    virtual void Clear();
    virtual void DelayedClearHack() { clearCountdown = clearDelay; }

    void AssignParents(Character* owner, CombatManager* combatManager);
    void SetAttacker(uint32_t id) { attackerId = id; }
    void EndAttack();
    bool IsPoisoned() const;
    bool GetSpeedUpdate() const { return attackSpeedChanged || runSpeedChanged; }

    void GetDamageReplica(std::vector<DurationDamageReplication>& out) const;
    void GetFixedDamageReplica(std::vector<FixedDurationDamageReplication>& out) const;
    // Replicas are applied once, when the character is made, and eight bytes of one may stand
    // for an hour of ticks. Play leaves a character a crowd's poisons, burns and slows of
    // seconds each, a few thousand ticks; a list that would take a vector past two tracks at
    // their cap (72,000 ticks, 288,000 bytes) lies.
    static constexpr size_t kMaxReplicaTicks = 2 * size_t(DurationDamageTrack::kMaxTicks);

    // False, applying nothing, when a record is not valid (see the records' IsValid) or the
    // list would take the vector past kMaxReplicaTicks.
    bool SetDamageReplica(const std::vector<DurationDamageReplication>& records);
    bool SetFixedDamageReplica(const std::vector<FixedDurationDamageReplication>& records);

    const std::vector<DurationDamageTrack>& GetTracks() const { return tracks; }
    const std::vector<FixedDurationDamageTrack>& GetFixedTracks() const { return fixedTracks; }
    CombatAttributeType GetInvoluntaryEffect() const { return involuntaryEffect; }
    // Whether the kind's damage effect runs on the owner.
    bool HasDamageEffect(CombatAttributeType type) const;
    bool HasDamageEffects() const { return damageEffects != 0; }

protected:
    void ProcessDamage();
    void ExecuteDamage();
    void UpdateEffects();
    void AddDamageEffect(CombatAttributeType type);
    void AddDamageReplication(CombatAttributeType type, uint32_t attacker,
                              const std::vector<DurationDamageInfo>& runs);
    void AddFixedDamageReplication(CombatAttributeType type,
                                   const std::vector<DurationDamageInfo>& runs);

private:
    bool Accepts(CombatAttributeType type, float amount, float duration) const;
    void ApplyTick(CombatAttributeType type, uint32_t attacker, float damage);
    CombatAttributeType FindInvoluntaryEffect() const;

    Character* owner = nullptr;
    CombatManager* combatManager = nullptr;
    float lastAttackSpeedLevel = 0.0f;
    float lastRunSpeedLevel = 0.0f;
    bool attackSpeedChanged = false;
    bool runSpeedChanged = false;
    uint32_t attackerId = 0;
    CombatAttributeType involuntaryEffect = CombatAttributeType_Unknown;
    // One bit a kind whose damage effect runs: every frame brings these in step, and a set of
    // tree nodes cost a crowd more than the damage did.
    uint64_t damageEffects = 0;
    int32_t clearCountdown = 0;
    int32_t clearDelay = kClearDelayMs;
    std::vector<DurationDamageTrack> tracks;
    std::vector<FixedDurationDamageTrack> fixedTracks;
};

} // namespace GAME
