#pragma once

#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {

// Spells out expected packet bytes field by field, in the transport's encodings.
class WireBytes {
public:
    WireBytes& Word(uint32_t word)
    {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(word >> shift));
        return *this;
    }
    WireBytes& Float(float value)
    {
        uint32_t word = 0;
        std::memcpy(&word, &value, sizeof(word));
        return Word(word);
    }
    WireBytes& Bool(bool value)
    {
        bytes.push_back(value ? 1 : 0);
        return *this;
    }
    WireBytes& Text(const std::string& text)
    {
        Word(static_cast<uint32_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    // Plain ASCII only: one 16-bit unit per character.
    WireBytes& WideText(const std::wstring& text)
    {
        Word(static_cast<uint32_t>(text.size()));
        for (wchar_t c : text) {
            bytes.push_back(static_cast<uint8_t>(c));
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(c) >> 8));
        }
        return *this;
    }
    WireBytes& Vector(const Vec3& v) { return Float(v.x).Float(v.y).Float(v.z); }
    WireBytes& Position(const WorldVec3& position)
    {
        return Word(position.GetRegionId()).Vector(position.GetRegionPosition());
    }
    WireBytes& Place(const WorldCoords& coords)
    {
        const Coords& c = coords.GetRegionCoords();
        return Word(coords.GetRegionId())
            .Vector(c.origin)
            .Vector(c.right)
            .Vector(c.up)
            .Vector(c.forward);
    }
    // Header (type, field byte count), then the fields.
    std::vector<uint8_t> Packet(uint32_t type) const
    {
        WireBytes whole;
        whole.Word(type).Word(static_cast<uint32_t>(bytes.size()));
        whole.bytes.insert(whole.bytes.end(), bytes.begin(), bytes.end());
        return whole.bytes;
    }

private:
    std::vector<uint8_t> bytes;
};

// The packets sent since the last call, each as its bytes.
inline std::vector<std::vector<uint8_t>> TakeSentBytes()
{
    std::vector<std::vector<uint8_t>> out;
    for (ConnectionManager::SentPacket& sent :
         gEngine->GetNetworkConnectionManager().TakeSentPackets())
        out.push_back(std::move(sent.bytes));
    return out;
}

} // namespace GAME::Test
