#include "combat/DurationDamageManager.h"

#include "characters/Bonus.h"
#include "characters/Character.h"
#include "characters/CharacterRagDoll.h"
#include "combat/CombatManager.h"
#include "core/Helpers.h"
#include "core/PlayStatsDamageType.h"
#include "skills/SkillManager.h"

#include <algorithm>
#include <bit>

namespace GAME {

namespace {

// Kinds a track may have: the named ones, each a bit of the running effects.
bool IsKind(CombatAttributeType type)
{
    return type >= 0 && static_cast<size_t>(type) < kCombatAttributeTypeNameCount;
}
static_assert(kCombatAttributeTypeNameCount <= 64);

uint64_t KindBit(CombatAttributeType type)
{
    return uint64_t(1) << static_cast<uint32_t>(type);
}

// A leech gives what the owner had, never more than the tick; an owner already drained below 0
// has nothing to give.
float LeechAmount(float tick, float before)
{
    return Max(Min(tick, before), 0.0f);
}

template <typename Track> void ConsumeAndDropFinished(std::vector<Track>& list)
{
    for (Track& track : list)
        track.ConsumeDueTicks();
    std::erase_if(list, [](const Track& track) { return track.IsFinished(); });
}

// Every track that matches takes `add`; with none, a new track made from `make` takes it.
template <typename Track, typename Matches, typename Add, typename... Make>
void AddToMatching(std::vector<Track>& list, Matches matches, Add add, Make... make)
{
    bool matched = false;
    for (Track& track : list) {
        if (matches(track)) {
            add(track);
            matched = true;
        }
    }
    if (!matched) {
        list.emplace_back(make...);
        add(list.back());
    }
}

// Valid records whose ticks, added to those the vector holds, stay within the cap.
template <typename Record, typename Track>
bool Acceptable(const std::vector<Record>& records, const std::vector<Track>& tracks)
{
    size_t ticks = 0;
    for (const Track& track : tracks)
        ticks += track.GetActiveTicks().size();
    for (const Record& record : records) {
        if (!record.IsValid())
            return false;
        // A valid run is at most a track's cap, so the sum cannot wrap before it is checked.
        for (const DurationDamageInfo& run : record.runs)
            ticks += static_cast<size_t>(run.length);
        if (ticks > DurationDamageManager::kMaxReplicaTicks)
            return false;
    }
    return true;
}

} // namespace

DurationDamageManager::DurationDamageManager()
{
    Clear();
}

void DurationDamageManager::AssignParents(Character* newOwner, CombatManager* manager)
{
    owner = newOwner;
    combatManager = manager;
}

bool DurationDamageManager::Accepts(CombatAttributeType type, float amount, float duration) const
{
    if (!IsKind(type) || (owner && owner->IsInvincible()))
        return false;
    return amount > 0.0f && duration > 0.0f;
}

void DurationDamageManager::AddDamageEffect(CombatAttributeType type)
{
    if (HasDamageEffect(type))
        return;
    if (owner)
        owner->StartDamageEffect(type);
    damageEffects |= KindBit(type);
}

bool DurationDamageManager::HasDamageEffect(CombatAttributeType type) const
{
    return IsKind(type) && (damageEffects & KindBit(type)) != 0;
}

void DurationDamageManager::AddDamage(CombatAttributeType type, float amount, float duration)
{
    if (!Accepts(type, amount, duration))
        return;
    AddDamageEffect(type);
    AddToMatching(
        tracks,
        [this, type](const DurationDamageTrack& track) {
            return track.GetDamageType() == type && track.GetAttackerId() == attackerId;
        },
        [amount, duration](DurationDamageTrack& track) {
            track.AddDamage({amount, duration});
        },
        attackerId, type);
}

void DurationDamageManager::AddFixedDamage(CombatAttributeType type, float level, float duration)
{
    if (!Accepts(type, level, duration))
        return;
    AddToMatching(
        fixedTracks,
        [type](const FixedDurationDamageTrack& track) { return track.GetDamageType() == type; },
        [level, duration](FixedDurationDamageTrack& track) {
            track.AddDamage({level, duration});
        },
        type);
}

void DurationDamageManager::EndAttack()
{
    for (DurationDamageTrack& track : tracks)
        track.CommitPending();
    for (FixedDurationDamageTrack& track : fixedTracks)
        track.CommitPending();
}

void DurationDamageManager::Update(int32_t elapsedMs)
{
    // A frame cannot take time back.
    const int32_t elapsed = Max(elapsedMs, 0);
    for (DurationDamageTrack& track : tracks)
        track.AdvanceTime(elapsed);
    for (FixedDurationDamageTrack& track : fixedTracks)
        track.AdvanceTime(elapsed);
    ProcessDamage();
    ExecuteDamage();
    if (clearCountdown > 0) {
        clearCountdown -= elapsed;
        if (clearCountdown <= 0)
            Clear();
    }
    ConsumeAndDropFinished(tracks);
    ConsumeAndDropFinished(fixedTracks);
}

void DurationDamageManager::ProcessDamage()
{
    attackSpeedChanged = false;
    runSpeedChanged = false;
    const float attackSpeed = GetFixedDamage(CombatAttributeType_AttackSpeed);
    const float runSpeed = GetFixedDamage(CombatAttributeType_RunSpeed);
    if (attackSpeed != lastAttackSpeedLevel) {
        lastAttackSpeedLevel = attackSpeed;
        attackSpeedChanged = true;
    }
    if (runSpeed != lastRunSpeedLevel) {
        lastRunSpeedLevel = runSpeed;
        runSpeedChanged = true;
    }
}

void DurationDamageManager::ExecuteDamage()
{
    if (owner == nullptr || combatManager == nullptr)
        return;
    CharacterRagDoll::EffectData ragDoll;
    ragDoll.effect = CharacterRagDoll::Crumple;
    ragDoll.amplification = 0.0f;
    owner->SetRagdollData(ragDoll, false);
    UpdateEffects();
    // By index and by value: what a tick sets off (a death, a filter) may change the tracks.
    for (size_t i = 0; i < tracks.size(); ++i) {
        const float damage = tracks[i].GetDamage();
        if (damage > 0.0f)
            ApplyTick(tracks[i].GetDamageType(), tracks[i].GetAttackerId(), damage);
    }
    if (GetSpeedUpdate() || owner->GetSkillManager().IsSpeedUpdateNeeded())
        owner->ForceSpeedUpdate();
}

void DurationDamageManager::ApplyTick(CombatAttributeType type, uint32_t attacker, float damage)
{
    const PlayStatsDamageType statsType{PlayStatsDamageType::KindCombatAttribute, type};
    Bonus bonus;
    if (type == CombatAttributeType_ManaLeach) {
        const float manaBefore = owner->GetCurrentMana();
        owner->SubtractMana(damage);
        bonus.manaPoints = LeechAmount(damage, manaBefore);
    } else if (type == CombatAttributeType_LifeLeach) {
        const float lifeBefore = owner->GetCurrentLife();
        combatManager->SetAttacker(attacker);
        if (!combatManager->ApplyDamage(damage, statsType, type))
            return;
        bonus.lifePoints = LeechAmount(damage, lifeBefore);
    } else {
        combatManager->SetAttacker(attacker);
        combatManager->ApplyDamage(damage, statsType, type);
        return;
    }
    combatManager->GiveBonus(bonus, attacker);
}

// The involuntary states by precedence, the strongest first.
CombatAttributeType DurationDamageManager::FindInvoluntaryEffect() const
{
    static constexpr CombatAttributeType kStates[] = {
        CombatAttributeType_Immobilize, CombatAttributeType_Petrify, CombatAttributeType_Freeze,
        CombatAttributeType_Trap, CombatAttributeType_Stun};
    for (const CombatAttributeType state : kStates)
        if (GetFixedDamage(state) > 0.0f)
            return state;
    return CombatAttributeType_Unknown;
}

void DurationDamageManager::UpdateEffects()
{
    const CombatAttributeType state = FindInvoluntaryEffect();
    if (state != involuntaryEffect) {
        owner->StopInvoluntaryEffect(involuntaryEffect);
        owner->StartInvoluntaryEffect(state);
        involuntaryEffect = state;
    }
    uint64_t running = 0;
    const auto keep = [this, &running](CombatAttributeType type) {
        AddDamageEffect(type);
        running |= KindBit(type);
    };
    for (const FixedDurationDamageTrack& track : fixedTracks)
        keep(track.GetDamageType());
    for (const DurationDamageTrack& track : tracks)
        keep(track.GetDamageType());
    // What no track runs any more stops, the lowest kind first.
    for (uint64_t stale = damageEffects & ~running; stale != 0; stale &= stale - 1)
        owner->StopDamageEffect(static_cast<CombatAttributeType>(std::countr_zero(stale)));
    damageEffects = running;
}

float DurationDamageManager::GetFixedDamage(CombatAttributeType type) const
{
    for (const FixedDurationDamageTrack& track : fixedTracks)
        if (track.GetDamageType() == type)
            return track.GetDamage();
    return 0.0f;
}

bool DurationDamageManager::IsPoisoned() const
{
    return std::any_of(tracks.begin(), tracks.end(), [](const DurationDamageTrack& track) {
        return track.GetDamageType() == CombatAttributeType_Poison;
    });
}

void DurationDamageManager::Clear()
{
    tracks.clear();
    fixedTracks.clear();
}

void DurationDamageManager::GetDamageReplica(std::vector<DurationDamageReplication>& out) const
{
    for (const DurationDamageTrack& track : tracks) {
        std::vector<DurationDamageInfo> runs = track.GetReplicaRuns();
        if (!runs.empty())
            out.push_back({track.GetDamageType(), track.GetAttackerId(), std::move(runs)});
    }
}

void DurationDamageManager::GetFixedDamageReplica(
    std::vector<FixedDurationDamageReplication>& out) const
{
    for (const FixedDurationDamageTrack& track : fixedTracks) {
        std::vector<DurationDamageInfo> runs = track.GetReplicaRuns();
        if (!runs.empty())
            out.push_back({track.GetDamageType(), std::move(runs)});
    }
}

bool DurationDamageManager::SetDamageReplica(const std::vector<DurationDamageReplication>& records)
{
    if (!Acceptable(records, tracks))
        return false;
    for (const DurationDamageReplication& record : records)
        AddDamageReplication(record.damageType, record.attackerId, record.runs);
    return true;
}

bool DurationDamageManager::SetFixedDamageReplica(
    const std::vector<FixedDurationDamageReplication>& records)
{
    if (!Acceptable(records, fixedTracks))
        return false;
    for (const FixedDurationDamageReplication& record : records)
        AddFixedDamageReplication(record.damageType, record.runs);
    return true;
}

namespace {

template <typename Track> void AppendRuns(Track& track, const std::vector<DurationDamageInfo>& runs)
{
    for (const DurationDamageInfo& run : runs)
        track.AppendTicks(run.amount, run.length);
}

} // namespace

void DurationDamageManager::AddDamageReplication(CombatAttributeType type, uint32_t attacker,
                                                 const std::vector<DurationDamageInfo>& runs)
{
    AddToMatching(
        tracks,
        [type, attacker](const DurationDamageTrack& track) {
            return track.GetDamageType() == type && track.GetAttackerId() == attacker;
        },
        [&runs](DurationDamageTrack& track) { AppendRuns(track, runs); }, attacker, type);
}

void DurationDamageManager::AddFixedDamageReplication(CombatAttributeType type,
                                                      const std::vector<DurationDamageInfo>& runs)
{
    AddToMatching(
        fixedTracks,
        [type](const FixedDurationDamageTrack& track) { return track.GetDamageType() == type; },
        [&runs](FixedDurationDamageTrack& track) { AppendRuns(track, runs); }, type);
}

} // namespace GAME
