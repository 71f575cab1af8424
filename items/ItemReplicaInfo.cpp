#include "items/ItemReplicaInfo.h"

#include "core/BinaryWriter.h"
#include "core/StringHelpers.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"

namespace GAME {

bool ItemReplicaInfo::operator==(const ItemReplicaInfo& other) const
{
    // Lengths count: a name read from bytes may hold a zero byte, and must not equal its prefix.
    return FileNameEquals(baseName, other.baseName) &&
           FileNameEquals(prefixName, other.prefixName) &&
           FileNameEquals(suffixName, other.suffixName) &&
           FileNameEquals(relicName, other.relicName) &&
           FileNameEquals(relicBonus, other.relicBonus) && seed == other.seed && var1 == other.var1;
}

void ItemReplicaInfo::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    stream->BeginBlock();
    stream->StreamString("baseName", baseName);
    stream->StreamString("prefixName", prefixName);
    stream->StreamString("suffixName", suffixName);
    stream->StreamString("relicName", relicName);
    stream->StreamString("relicBonus", relicBonus);
    stream->StreamUInt("seed", seed);
    stream->StreamUInt("var1", var1);
    stream->EndBlock();
    if (stream->IsReading() && stream->HasFailed())
        gEngine->Log(Engine::LogData, "ItemReplicaInfo: the saved item is unreadable");
}

void ItemReplicaInfo::StreamProperties(IOStream* stream, bool& attached)
{
    if (stream == nullptr)
        return;
    StreamProperties(stream);
    stream->StreamBool("itemAttached", attached);
}

void ItemReplicaInfo::WriteLevelState(BinaryWriter& writer) const
{
    writer.WriteUInt32(id);
    writer.WriteString(prefixName);
    writer.WriteString(suffixName);
    writer.WriteString(relicName);
    writer.WriteString(relicBonus);
    writer.WriteUInt32(seed);
    writer.WriteUInt32(var1);
}

bool ItemReplicaInfo::ReadLevelState(BinaryReader& reader)
{
    // The reader stays failed after its first refusal, so nothing after it is read out of step.
    return reader.ReadUInt32(id) && reader.ReadString(prefixName) &&
           reader.ReadString(suffixName) && reader.ReadString(relicName) &&
           reader.ReadString(relicBonus) && reader.ReadUInt32(seed) && reader.ReadUInt32(var1);
}

void ItemReplicaInfo::WriteReplicationData(NetPacketOutBuffer& out) const
{
    out.AddUInt(id);
    out.AddFileName(prefixName);
    out.AddFileName(suffixName);
    out.AddFileName(relicName);
    out.AddFileName(relicBonus);
    out.AddUInt(seed);
    out.AddUInt(var1);
}

bool ItemReplicaInfo::ReadReplicationData(NetPacketInBuffer& in)
{
    return in.RemoveUInt(id) && in.Remove(prefixName) && in.Remove(suffixName) &&
           in.Remove(relicName) && in.Remove(relicBonus) && in.RemoveUInt(seed) &&
           in.RemoveUInt(var1);
}

} // namespace GAME
