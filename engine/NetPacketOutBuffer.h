#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace GAME {

class Name;
class NetPacket;
class SmartObjectId;
class WorldCoords;
class WorldVec3;

// Appends a packet's fields, little-endian and field by field, then hands header and fields to
// the packet in Done. Encodings:
//   u32: 4 bytes (floats as their IEEE-754 bits)   bool: 1 byte, 0 or 1   id: u32
//   position: u32 region, f32 x, y, z               coords: u32 region, origin, right, up, forward
//   string, raw string, file name: u32 length, the bytes
//   wide string: u32 count of 16-bit units, the units
//   u32 list, coords list: u32 count, the elements  raw 16 (a Name): its four words
//   raw N (a record's own wire bytes): the N bytes
class NetPacketOutBuffer {
public:
    explicit NetPacketOutBuffer(NetPacket& packet);
    NetPacketOutBuffer(const NetPacketOutBuffer&) = delete;
    NetPacketOutBuffer& operator=(const NetPacketOutBuffer&) = delete;

    // Any 32-bit word: unsigned, signed, an enumeration or a float.
    template <typename T> void AddUInt(const T& value)
    {
        static_assert(sizeof(T) == 4 && (std::is_arithmetic_v<T> || std::is_enum_v<T>),
                      "AddUInt writes 32-bit values only");
        uint32_t word = 0;
        std::memcpy(&word, &value, sizeof(word));
        PutWord(word);
    }

    void Add(bool value);
    void Add(const SmartObjectId& id);
    void Add(const WorldVec3& position);
    void Add(const WorldCoords& coords);
    void Add(const std::string& text);
    void Add(const std::wstring& text);
    // Anything else would slip into Add(bool) by a silent conversion.
    template <typename T> void Add(T) = delete;

    // A record or file name; the plain string reader takes it back.
    void AddFileName(const std::string& name) { Add(name); }
    void AddRaw(const std::string& text) { Add(text); }
    void AddRaw(const Name& name);
    // A fixed-size record already laid out in its wire bytes by its owner.
    template <size_t N> void AddRaw(const std::array<uint8_t, N>& record)
    {
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    void AddUIntVector(const std::vector<uint32_t>& words);
    void AddWorldCoordsVector(const std::vector<WorldCoords>& list);

    // Gives the packet its header and fields; answers the message size, header included.
    uint32_t Done();

private:
    // Inline: every field of every message is made of these.
    void PutWord(uint32_t word)
    {
        const uint8_t le[4] = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
                               static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 24)};
        bytes.insert(bytes.end(), le, le + 4);
    }
    void PutFloat(float value) { AddUInt(value); }
    bool PutCount(size_t count);

    NetPacket& packet;
    std::vector<uint8_t> bytes;
};

} // namespace GAME
