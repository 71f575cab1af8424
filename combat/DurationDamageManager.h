#pragma once

#include "combat/DurationDamageTrack.h"

#include <cstdint>
#include <vector>

namespace GAME {

class Character;
class CombatManager;

// Everything that acts on a character over time after a hit: damage over time per kind and
// attacker, and levels held for a duration (slows, states). So far it takes what attacks add
// and commits it when the attack ends; the per-frame ticking comes with the combat manager.
class DurationDamageManager {
public:
    DurationDamageManager() = default;
    virtual ~DurationDamageManager() = default;
    DurationDamageManager(const DurationDamageManager&) = delete;
    DurationDamageManager& operator=(const DurationDamageManager&) = delete;

    void AssignParents(Character* owner, CombatManager* combatManager);
    void SetAttacker(uint32_t id) { attackerId = id; }
    // Per second for `duration` seconds, credited to the attacker now set.
    virtual void AddDamage(CombatAttributeType type, float amount, float duration);
    virtual void AddFixedDamage(CombatAttributeType type, float level, float duration);
    void EndAttack();
    virtual float GetFixedDamage(CombatAttributeType type) const;
    virtual void Clear();

    const std::vector<DurationDamageTrack>& GetTracks() const { return tracks; }
    const std::vector<FixedDurationDamageTrack>& GetFixedTracks() const { return fixedTracks; }

private:
    bool Accepts(float amount, float duration) const;

    Character* owner = nullptr;
    uint32_t attackerId = 0;
    std::vector<DurationDamageTrack> tracks;
    std::vector<FixedDurationDamageTrack> fixedTracks;
};

} // namespace GAME
