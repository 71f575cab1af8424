// Hostile item records, read as level state and as replication data from the same bytes. Both
// readers stay inside the input, a record they accept writes back to exactly the bytes taken,
// and a refusal leaves the refused field and every one after it as it was.
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "items/ItemReplicaInfo.h"
#include "tests/support/BareCarrier.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace GAME;

using Carrier = Test::BareCarrier;

ItemReplicaInfo Before()
{
    ItemReplicaInfo info;
    info.id = 0x5EED0001;
    info.baseName = "base";
    info.prefixName = "prefix";
    info.suffixName = "suffix";
    info.relicName = "relic";
    info.relicBonus = "bonus";
    info.seed = 0x5EED0002;
    info.var1 = 0x5EED0003;
    return info;
}

// What a careful reader takes from the bytes: fields in order until the first that does not
// fit; the rest keep their values. `position` ends after the last field taken.
struct Reference {
    const uint8_t* data;
    size_t size;
    size_t maxName;
    size_t position = 0;
    bool ok = true;

    void Word(uint32_t& value)
    {
        if (!ok || size - position < 4) {
            ok = false;
            return;
        }
        value = uint32_t(data[position]) | uint32_t(data[position + 1]) << 8 |
                uint32_t(data[position + 2]) << 16 | uint32_t(data[position + 3]) << 24;
        position += 4;
    }
    void Name(std::string& text)
    {
        uint32_t length = 0;
        Word(length);
        if (!ok || length > maxName || length > size - position) {
            ok = false;
            return;
        }
        text.assign(reinterpret_cast<const char*>(data + position), length);
        position += length;
    }
    ItemReplicaInfo Read()
    {
        ItemReplicaInfo info = Before();
        Word(info.id);
        Name(info.prefixName);
        Name(info.suffixName);
        Name(info.relicName);
        Name(info.relicBonus);
        Word(info.seed);
        Word(info.var1);
        return info;
    }
};

// Exact equality: the record's own equality forgives case and slashes.
bool Same(const ItemReplicaInfo& a, const ItemReplicaInfo& b)
{
    return a.id == b.id && a.baseName == b.baseName && a.prefixName == b.prefixName &&
           a.suffixName == b.suffixName && a.relicName == b.relicName &&
           a.relicBonus == b.relicBonus && a.seed == b.seed && a.var1 == b.var1;
}

bool TakenBytes(const uint8_t* written, size_t count, const uint8_t* data, size_t taken)
{
    return count == taken && (taken == 0 || memcmp(written, data, taken) == 0);
}

void CheckLevelState(const uint8_t* data, size_t size)
{
    ItemReplicaInfo info = Before();
    BinaryReader reader(data, size);
    const bool read = info.ReadLevelState(reader);
    Reference reference{data, size, BinaryReader::kMaxStringLength};
    const ItemReplicaInfo expected = reference.Read();
    if (read != reference.ok || reader.GetPosition() > size || !Same(info, expected))
        abort();
    if (!read)
        return;
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    info.WriteLevelState(writer);
    if (!TakenBytes(writer.GetData(), writer.GetSize(), data, reader.GetPosition()))
        abort();
}

void CheckWire(const uint8_t* data, size_t size)
{
    ItemReplicaInfo info = Before();
    Carrier in;
    bool read = false;
    {
        NetPacketInBuffer buffer(in, data, static_cast<int>(size));
        read = info.ReadReplicationData(buffer);
    }
    Reference reference{data, size, size};
    const ItemReplicaInfo expected = reference.Read();
    if (read != reference.ok || !Same(info, expected))
        abort();
    if (!read)
        return;
    Carrier out;
    NetPacketOutBuffer buffer(out);
    info.WriteReplicationData(buffer);
    buffer.Done();
    if (!TakenBytes(out.GetOutBuffer() + NetPacketHeader::kSize,
                    out.GetOutBufferSize() - NetPacketHeader::kSize, data, reference.position))
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckLevelState(data, size);
    CheckWire(data, size);
    return 0;
}
