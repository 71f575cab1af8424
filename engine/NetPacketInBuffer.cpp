#include "engine/NetPacketInBuffer.h"

#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/SmartObjectId.h"
#include "engine/Utf16Units.h"
#include "engine/WorldCoords.h"

namespace GAME {

NetPacketInBuffer::NetPacketInBuffer(NetPacket& packet, const uint8_t* data, int length)
    : packet(packet), reader(data, length > 0 ? static_cast<size_t>(length) : 0),
      failed(length < 0 || (data == nullptr && length > 0))
{
    packet.inboundComplete = false;
}

NetPacketInBuffer::~NetPacketInBuffer()
{
    packet.inboundComplete = !failed && reader.GetRemaining() == 0;
}

bool NetPacketInBuffer::ReadFloats(float* out, int count)
{
    for (int i = 0; i < count; ++i)
        if (!RemoveUInt(out[i]))
            return false;
    return true;
}

bool NetPacketInBuffer::Remove(bool& value)
{
    uint8_t byte = 0;
    if (failed || !reader.ReadBytes(&byte, 1) || byte > 1)
        return Fail();
    value = byte != 0;
    return true;
}

bool NetPacketInBuffer::Remove(SmartObjectId& id)
{
    uint32_t word = 0;
    if (!RemoveUInt(word))
        return false;
    id = word;
    return true;
}

bool NetPacketInBuffer::Remove(WorldVec3& position)
{
    uint32_t region = 0;
    float p[3];
    if (!RemoveUInt(region) || !ReadFloats(p, 3))
        return false;
    position = WorldVec3(region, Vec3(p[0], p[1], p[2]));
    return true;
}

bool NetPacketInBuffer::Remove(WorldCoords& coords)
{
    uint32_t region = 0;
    float f[12];
    if (!RemoveUInt(region) || !ReadFloats(f, 12))
        return false;
    const Vec3 origin(f[0], f[1], f[2]);
    coords = WorldCoords(region, Coords(Vec3(f[3], f[4], f[5]), Vec3(f[6], f[7], f[8]),
                                        Vec3(f[9], f[10], f[11]), origin));
    return true;
}

bool NetPacketInBuffer::Remove(std::string& text)
{
    uint32_t length = 0;
    if (!RemoveCount(length, 1))
        return false;
    std::string read(length, '\0');
    if (!reader.ReadBytes(read.data(), length))
        return Fail();
    text = std::move(read);
    return true;
}

bool NetPacketInBuffer::Remove(std::wstring& text)
{
    uint32_t count = 0;
    if (!RemoveCount(count, 2))
        return false;
    std::vector<uint8_t> units(size_t(count) * 2);
    if (!reader.ReadBytes(units.data(), units.size()))
        return Fail();
    text = FromUtf16LittleEndian(units.data(), count);
    return true;
}

bool NetPacketInBuffer::RemoveRaw(Name& name)
{
    uint32_t words[4];
    for (uint32_t& word : words)
        if (!RemoveUInt(word))
            return false;
    name = Name::FromWords(words[0], words[1], words[2], words[3]);
    return true;
}

bool NetPacketInBuffer::RemoveUIntVector(std::vector<uint32_t>& words)
{
    return RemoveList(words, 4, [this](uint32_t& word) { return RemoveUInt(word); });
}

bool NetPacketInBuffer::RemoveWorldCoordsVector(std::vector<WorldCoords>& list)
{
    return RemoveList(list, kWorldCoordsBytes,
                      [this](WorldCoords& coords) { return Remove(coords); });
}

bool NetPacketInBuffer::RemoveCount(uint32_t& count, size_t minimumBytes)
{
    uint32_t read = 0;
    return RemoveUInt(read) && AcceptCount(read, minimumBytes, count);
}

bool NetPacketInBuffer::RemoveSignedCount(uint32_t& count, size_t minimumBytes)
{
    int32_t read = 0;
    return RemoveUInt(read) &&
           AcceptCount(read > 0 ? static_cast<uint32_t>(read) : 0, minimumBytes, count);
}

bool NetPacketInBuffer::AcceptCount(uint32_t read, size_t minimumBytes, uint32_t& count)
{
    const size_t each = minimumBytes > 0 ? minimumBytes : 1;
    if (read > reader.GetRemaining() / each)
        return Fail();
    count = read;
    return true;
}

} // namespace GAME
