#pragma once

#include "combat/CombatAttributeType.h"
#include "combat/DurationDamageTrack.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace GAME {

class NetPacketInBuffer;
class NetPacketOutBuffer;

// The running damage over time of one kind and attacker, as runs of equal ticks, carried in a
// character's replication data. On the wire: kind, attacker, a signed run count (0 or less is
// none), then each run's amount and length; every field one little-endian word.
struct DurationDamageReplication {
    static constexpr size_t kMinimumBytes = 12;

    CombatAttributeType damageType = CombatAttributeType_Unknown;
    uint32_t attackerId = 0;
    std::vector<DurationDamageInfo> runs;

    void Write(NetPacketOutBuffer& out) const;
    // Appends to `runs`. False when the record lies: runs past the bytes left, a kind that is
    // not named, or a run that a track would refuse.
    bool Read(NetPacketInBuffer& in);
    bool IsValid() const;

    // The counted list in replication data. A list that lies fails the buffer and leaves `list`
    // as it was, so that the caller can drop the whole replication data.
    static void WriteList(NetPacketOutBuffer& out,
                          const std::vector<DurationDamageReplication>& list);
    static bool ReadList(NetPacketInBuffer& in, std::vector<DurationDamageReplication>& list);

    bool operator==(const DurationDamageReplication& other) const = default;
};

// A fixed level of one kind the same way: kind, signed run count, runs.
struct FixedDurationDamageReplication {
    static constexpr size_t kMinimumBytes = 8;

    CombatAttributeType damageType = CombatAttributeType_Unknown;
    std::vector<DurationDamageInfo> runs;

    void Write(NetPacketOutBuffer& out) const;
    bool Read(NetPacketInBuffer& in);
    bool IsValid() const;

    static void WriteList(NetPacketOutBuffer& out,
                          const std::vector<FixedDurationDamageReplication>& list);
    static bool ReadList(NetPacketInBuffer& in, std::vector<FixedDurationDamageReplication>& list);

    bool operator==(const FixedDurationDamageReplication& other) const = default;
};

} // namespace GAME
