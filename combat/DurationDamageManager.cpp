#include "combat/DurationDamageManager.h"

#include "characters/Character.h"

namespace GAME {

// The combat manager is needed once ticks deal damage.
void DurationDamageManager::AssignParents(Character* newOwner, CombatManager* /*manager*/)
{
    owner = newOwner;
}

bool DurationDamageManager::Accepts(float amount, float duration) const
{
    if (owner && owner->IsInvincible())
        return false;
    return amount > 0.0f && duration > 0.0f;
}

void DurationDamageManager::AddDamage(CombatAttributeType type, float amount, float duration)
{
    if (!Accepts(amount, duration))
        return;
    bool matched = false;
    for (DurationDamageTrack& track : tracks) {
        if (track.GetDamageType() == type && track.GetAttackerId() == attackerId) {
            track.AddDamage({amount, duration});
            matched = true;
        }
    }
    if (!matched) {
        tracks.emplace_back(attackerId, type);
        tracks.back().AddDamage({amount, duration});
    }
}

void DurationDamageManager::AddFixedDamage(CombatAttributeType type, float level, float duration)
{
    if (!Accepts(level, duration))
        return;
    bool matched = false;
    for (FixedDurationDamageTrack& track : fixedTracks) {
        if (track.GetDamageType() == type) {
            track.AddDamage({level, duration});
            matched = true;
        }
    }
    if (!matched) {
        fixedTracks.emplace_back(type);
        fixedTracks.back().AddDamage({level, duration});
    }
}

void DurationDamageManager::EndAttack()
{
    for (DurationDamageTrack& track : tracks)
        track.CommitPending();
    for (FixedDurationDamageTrack& track : fixedTracks)
        track.CommitPending();
}

float DurationDamageManager::GetFixedDamage(CombatAttributeType type) const
{
    for (const FixedDurationDamageTrack& track : fixedTracks)
        if (track.GetDamageType() == type)
            return track.GetLevel();
    return 0.0f;
}

void DurationDamageManager::Clear()
{
    tracks.clear();
    fixedTracks.clear();
}

} // namespace GAME
