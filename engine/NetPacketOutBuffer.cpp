#include "engine/NetPacketOutBuffer.h"

#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/SmartObjectId.h"
#include "engine/Utf16Units.h"
#include "engine/WorldCoords.h"

namespace GAME {

namespace {
void StoreWord(uint8_t* out, uint32_t word)
{
    out[0] = static_cast<uint8_t>(word);
    out[1] = static_cast<uint8_t>(word >> 8);
    out[2] = static_cast<uint8_t>(word >> 16);
    out[3] = static_cast<uint8_t>(word >> 24);
}
} // namespace

NetPacketOutBuffer::NetPacketOutBuffer(NetPacket& packet) : packet(packet)
{
    // The packet's last bytes lend their room: a packet sent again and again allocates once.
    // The header goes in front once the size is known; keeping its place saves a copy.
    bytes.swap(packet.outBuffer);
    bytes.clear();
    bytes.reserve(256);
    bytes.resize(NetPacketHeader::kSize);
}

bool NetPacketOutBuffer::PutCount(size_t count)
{
    // Nothing real comes near 4 GiB; a count that cannot travel is sent as an empty field
    // rather than wrapped, which would put the reader out of step.
    if (count > UINT32_MAX) {
        gEngine->Log(Engine::LogRuntime, "NetPacketOutBuffer: count %zu too large for packet %u",
                     count, packet.GetType());
        PutWord(0);
        return false;
    }
    PutWord(static_cast<uint32_t>(count));
    return true;
}

void NetPacketOutBuffer::Add(bool value)
{
    bytes.push_back(value ? 1 : 0);
}

void NetPacketOutBuffer::Add(const SmartObjectId& id)
{
    PutWord(id.GetId());
}

void NetPacketOutBuffer::Add(const WorldVec3& position)
{
    const Vec3& p = position.GetRegionPosition();
    PutWord(position.GetRegionId());
    PutFloat(p.x);
    PutFloat(p.y);
    PutFloat(p.z);
}

void NetPacketOutBuffer::Add(const WorldCoords& coords)
{
    const Coords& c = coords.GetRegionCoords();
    PutWord(coords.GetRegionId());
    for (const Vec3* v : {&c.origin, &c.right, &c.up, &c.forward}) {
        PutFloat(v->x);
        PutFloat(v->y);
        PutFloat(v->z);
    }
}

void NetPacketOutBuffer::Add(const std::string& text)
{
    if (PutCount(text.size()))
        bytes.insert(bytes.end(), text.begin(), text.end());
}

void NetPacketOutBuffer::Add(const std::wstring& text)
{
    const std::vector<uint16_t> units = ToUtf16Units(text);
    if (!PutCount(units.size()))
        return;
    size_t at = bytes.size();
    bytes.resize(at + 2 * units.size());
    for (uint16_t unit : units) {
        bytes[at++] = static_cast<uint8_t>(unit);
        bytes[at++] = static_cast<uint8_t>(unit >> 8);
    }
}

void NetPacketOutBuffer::AddRaw(const Name& name)
{
    for (int i = 0; i < 4; ++i)
        PutWord(name.GetWord(i));
}

void NetPacketOutBuffer::AddUIntVector(const std::vector<uint32_t>& words)
{
    if (!PutCount(words.size()))
        return;
    for (uint32_t word : words)
        PutWord(word);
}

void NetPacketOutBuffer::AddWorldCoordsVector(const std::vector<WorldCoords>& list)
{
    if (!PutCount(list.size()))
        return;
    for (const WorldCoords& coords : list)
        Add(coords);
}

uint32_t NetPacketOutBuffer::Done()
{
    packet.header.size = static_cast<uint32_t>(bytes.size() - NetPacketHeader::kSize);
    StoreWord(bytes.data(), packet.header.type);
    StoreWord(bytes.data() + 4, packet.header.size);
    packet.outBuffer.swap(bytes);
    return packet.GetOutBufferSize();
}

} // namespace GAME
