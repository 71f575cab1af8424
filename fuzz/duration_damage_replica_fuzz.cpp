// Hostile replication data: the two counted lists of damage-over-time replicas, read and applied
// to a live character, which then runs its updates. A list that lies, or that would bring more
// ticks than a manager takes from replicas, applies nothing; no track outgrows its cap, every
// track runs out, and what the manager sends back reads back the same.
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "combat/DurationDamageManager.h"
#include "combat/DurationDamageReplication.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "game/GameEngine.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace GAME;

class Carrier : public NetPacket {
public:
    Carrier() : NetPacket(251) {}
    uint32_t PrepareOutBuffer() override { return 0; }
    void CopyInbound(const uint8_t*, int) override {}
    std::string GetPacketDescription(bool) const override { return std::string(); }
};

struct Replicas {
    std::vector<DurationDamageReplication> damage;
    std::vector<FixedDurationDamageReplication> fixed;
};

bool Read(const uint8_t* data, size_t size, Replicas& replicas)
{
    Carrier carrier;
    NetPacketInBuffer in(carrier, data, static_cast<int>(size));
    return DurationDamageReplication::ReadList(in, replicas.damage) &&
           FixedDurationDamageReplication::ReadList(in, replicas.fixed);
}

Replicas Collect(const DurationDamageManager& manager)
{
    Replicas replicas;
    manager.GetDamageReplica(replicas.damage);
    manager.GetFixedDamageReplica(replicas.fixed);
    return replicas;
}

std::vector<uint8_t> Write(const Replicas& replicas)
{
    Carrier carrier;
    NetPacketOutBuffer out(carrier);
    DurationDamageReplication::WriteList(out, replicas.damage);
    FixedDurationDamageReplication::WriteList(out, replicas.fixed);
    out.Done();
    return std::vector<uint8_t>(carrier.GetOutBuffer() + NetPacketHeader::kSize,
                                carrier.GetOutBuffer() + carrier.GetOutBufferSize());
}

template <typename Track> bool WithinCaps(const std::vector<Track>& tracks)
{
    size_t total = 0;
    for (const Track& track : tracks) {
        const size_t ticks = track.GetActiveTicks().size();
        if (ticks > size_t(DurationDamageTrack::kMaxTicks))
            return false;
        total += ticks;
    }
    return total <= DurationDamageManager::kMaxReplicaTicks;
}

// The victim, made once and made again only when an input left it dead; it gets its life and
// mana back before each input.
Character& Victim()
{
    static uint32_t id = 0;
    static CharacterBioReplicaInfo fresh;
    ObjectManager& objects = ObjectManager::Instance();
    auto* victim = objects.GetObject<Character>(id);
    if (victim == nullptr || !victim->IsAlive()) {
        DestroyIfRegistered(id);
        objects.ProcessDestroyedObjects();
        victim = static_cast<Character*>(objects.CreateObject("Character"));
        if (victim == nullptr)
            abort();
        LoadTable record;
        record.Parse("characterLife = 1000\ncharacterMana = 500", "victim.dbr");
        victim->Load(record);
        victim->GetCharacterBio().Update(*victim, 0);
        victim->GetCharacterBio().GetCurrentBioStats(fresh);
        id = victim->GetObjectId();
    }
    victim->GetCharacterBio().RestoreCurrentBioStats(fresh, false);
    return *victim;
}

void Check(const uint8_t* data, size_t size)
{
    Character& victim = Victim();
    const InputStart start;
    const uint32_t victimId = victim.GetObjectId();
    DurationDamageManager& manager = victim.GetDurationDamageMgr();

    // The largest a track may grow to, with a vector's room to spare, or what the input holds.
    const size_t limit = 2 * sizeof(float) * DurationDamageTrack::kMaxTicks + 64 * size + 4096;
    AllocationWatch::Start();
    Replicas replicas;
    const bool read = Read(data, size, replicas);
    const bool damageApplied = read && manager.SetDamageReplica(replicas.damage);
    const bool fixedApplied = read && manager.SetFixedDamageReplica(replicas.fixed);
    if (AllocationWatch::Stop() > limit)
        abort();
    if ((!damageApplied && !manager.GetTracks().empty()) ||
        (!fixedApplied && !manager.GetFixedTracks().empty()))
        abort();
    if (!WithinCaps(manager.GetTracks()) || !WithinCaps(manager.GetFixedTracks()))
        abort();

    // What it would send reads back to the same records.
    const Replicas sent = Collect(manager);
    const std::vector<uint8_t> bytes = Write(sent);
    Replicas again;
    if (!Read(bytes.data(), bytes.size(), again) || again.damage != sent.damage ||
        again.fixed != sent.fixed)
        abort();

    for (const DurationDamageTrack& track : manager.GetTracks())
        track.Dump();
    for (const int32_t ms : {0, 100, 1, 350, 5000, -7})
        manager.Update(ms);
    manager.Update(std::numeric_limits<int32_t>::max());
    manager.Update(1);
    if (!manager.GetTracks().empty() || !manager.GetFixedTracks().empty() ||
        manager.HasDamageEffects())
        abort();

    EndInput(start);
    GameEngine::Get().RemoveDamageEntry(victimId);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool started = (StartQuietGame(), HoldRunRecords({}), true);
    (void)started;
    Check(data, size);
    return 0;
}
