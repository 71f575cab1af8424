#pragma once

#include "engine/BinaryReader.h"

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

// Reads back what `NetPacketOutBuffer` wrote. Every read is bounded by the bytes received, and
// the first read that cannot be satisfied (too few bytes, a count or length larger than what is
// left, a bool that is neither 0 nor 1) fails the buffer for good: later reads fail too and
// leave their targets as they were. A count is checked against the bytes left before anything
// is allocated for it. When the buffer goes, it tells the packet whether its fields took
// exactly the bytes received.
class NetPacketInBuffer {
public:
    NetPacketInBuffer(NetPacket& packet, const uint8_t* data, int length);
    ~NetPacketInBuffer();
    NetPacketInBuffer(const NetPacketInBuffer&) = delete;
    NetPacketInBuffer& operator=(const NetPacketInBuffer&) = delete;

    // Any 32-bit word: unsigned, signed, an enumeration or a float.
    template <typename T> bool RemoveUInt(T& value)
    {
        static_assert(sizeof(T) == 4 && (std::is_arithmetic_v<T> || std::is_enum_v<T>),
                      "RemoveUInt reads 32-bit values only");
        uint32_t word = 0;
        if (failed || !reader.ReadUInt32(word))
            return Fail();
        std::memcpy(&value, &word, sizeof(value));
        return true;
    }

    bool Remove(bool& value);
    bool Remove(SmartObjectId& id);
    bool Remove(WorldVec3& position);
    bool Remove(WorldCoords& coords);
    bool Remove(std::string& text);
    bool Remove(std::wstring& text);
    template <typename T> bool Remove(T&) = delete;

    bool RemoveRaw(std::string& text) { return Remove(text); }
    bool RemoveRaw(Name& name);
    // Both lists append, as the packets that carry them expect.
    bool RemoveUIntVector(std::vector<uint32_t>& words);
    bool RemoveWorldCoordsVector(std::vector<WorldCoords>& list);
    // A list's count, for lists of records read field by field: fails, before anything is
    // allocated, when the bytes left cannot hold `count` elements of at least `minimumBytes`.
    bool RemoveCount(uint32_t& count, size_t minimumBytes);

    size_t GetRemaining() const { return reader.GetRemaining(); }
    bool HasFailed() const { return failed; }

    static constexpr size_t kWorldVec3Bytes = 16;
    static constexpr size_t kWorldCoordsBytes = 52;

private:
    bool Fail()
    {
        failed = true;
        return false;
    }
    bool ReadFloats(float* out, int count);

    NetPacket& packet;
    BinaryReader reader;
    bool failed = false;
};

} // namespace GAME
