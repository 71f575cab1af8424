#include "combat/DurationDamageReplication.h"

#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"

namespace GAME {

namespace {

constexpr size_t kRunBytes = 8;

bool IsNamedType(uint32_t type)
{
    return type < static_cast<uint32_t>(kCombatAttributeTypeNameCount);
}

bool AreAcceptable(const std::vector<DurationDamageInfo>& runs)
{
    for (const DurationDamageInfo& run : runs)
        if (!DurationDamageTrack::IsAcceptableRun(run.amount, run.length))
            return false;
    return true;
}

void WriteRuns(NetPacketOutBuffer& out, const std::vector<DurationDamageInfo>& runs)
{
    out.AddUInt(static_cast<int32_t>(runs.size()));
    for (const DurationDamageInfo& run : runs) {
        out.AddUInt(run.amount);
        out.AddUInt(run.length);
    }
}

bool ReadRuns(NetPacketInBuffer& in, std::vector<DurationDamageInfo>& runs)
{
    return in.RemoveSignedList(runs, kRunBytes, [&in](DurationDamageInfo& run) {
        return in.RemoveUInt(run.amount) && in.RemoveUInt(run.length);
    });
}

template <typename Record>
void WriteRecords(NetPacketOutBuffer& out, const std::vector<Record>& list)
{
    out.AddUInt(static_cast<int32_t>(list.size()));
    for (const Record& record : list)
        record.Write(out);
}

template <typename Record> bool ReadRecords(NetPacketInBuffer& in, std::vector<Record>& list)
{
    std::vector<Record> read;
    if (!in.RemoveSignedList(read, Record::kMinimumBytes,
                             [&in](Record& record) { return record.Read(in); }))
        return false;
    list.insert(list.end(), std::make_move_iterator(read.begin()),
                std::make_move_iterator(read.end()));
    return true;
}

} // namespace

void DurationDamageReplication::Write(NetPacketOutBuffer& out) const
{
    out.AddUInt(damageType);
    out.AddUInt(attackerId);
    WriteRuns(out, runs);
}

bool DurationDamageReplication::Read(NetPacketInBuffer& in)
{
    uint32_t type = 0;
    if (!in.RemoveUInt(type) || !in.RemoveUInt(attackerId) || !ReadRuns(in, runs))
        return false;
    if (!IsNamedType(type))
        return false;
    damageType = static_cast<CombatAttributeType>(type);
    return AreAcceptable(runs);
}

bool DurationDamageReplication::IsValid() const
{
    return IsNamedType(static_cast<uint32_t>(damageType)) && AreAcceptable(runs);
}

void DurationDamageReplication::WriteList(NetPacketOutBuffer& out,
                                          const std::vector<DurationDamageReplication>& list)
{
    WriteRecords(out, list);
}

bool DurationDamageReplication::ReadList(NetPacketInBuffer& in,
                                         std::vector<DurationDamageReplication>& list)
{
    return ReadRecords(in, list);
}

void FixedDurationDamageReplication::Write(NetPacketOutBuffer& out) const
{
    out.AddUInt(damageType);
    WriteRuns(out, runs);
}

bool FixedDurationDamageReplication::Read(NetPacketInBuffer& in)
{
    uint32_t type = 0;
    if (!in.RemoveUInt(type) || !ReadRuns(in, runs))
        return false;
    if (!IsNamedType(type))
        return false;
    damageType = static_cast<CombatAttributeType>(type);
    return AreAcceptable(runs);
}

bool FixedDurationDamageReplication::IsValid() const
{
    return IsNamedType(static_cast<uint32_t>(damageType)) && AreAcceptable(runs);
}

void FixedDurationDamageReplication::WriteList(
    NetPacketOutBuffer& out, const std::vector<FixedDurationDamageReplication>& list)
{
    WriteRecords(out, list);
}

bool FixedDurationDamageReplication::ReadList(NetPacketInBuffer& in,
                                              std::vector<FixedDurationDamageReplication>& list)
{
    return ReadRecords(in, list);
}

} // namespace GAME
