#include "engine/NetPacketOutBuffer.h"

#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/SmartObjectId.h"
#include "engine/Utf16Units.h"
#include "engine/WorldCoords.h"

namespace GAME {

namespace {
void AppendWord(std::vector<uint8_t>& bytes, uint32_t word)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(word >> shift));
}
} // namespace

void NetPacketOutBuffer::PutWord(uint32_t word)
{
    AppendWord(bytes, word);
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
    for (uint16_t unit : units) {
        bytes.push_back(static_cast<uint8_t>(unit));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
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
    packet.header.size = static_cast<uint32_t>(bytes.size());
    std::vector<uint8_t> message;
    message.reserve(NetPacketHeader::kSize + bytes.size());
    AppendWord(message, packet.header.type);
    AppendWord(message, packet.header.size);
    message.insert(message.end(), bytes.begin(), bytes.end());
    packet.outBuffer = std::move(message);
    return packet.GetOutBufferSize();
}

} // namespace GAME
