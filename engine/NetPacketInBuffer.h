#pragma once

#include "engine/BinaryReader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>
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
    template <size_t N> bool RemoveRaw(std::array<uint8_t, N>& record)
    {
        std::array<uint8_t, N> read{};
        if (failed || !reader.ReadBytes(read.data(), N))
            return Fail();
        record = read;
        return true;
    }
    // Both lists append, as the packets that carry them expect.
    bool RemoveUIntVector(std::vector<uint32_t>& words);
    bool RemoveWorldCoordsVector(std::vector<WorldCoords>& list);
    // A list's count: fails, before anything is allocated, when the bytes left cannot hold
    // `count` elements of at least `minimumBytes`.
    bool RemoveCount(uint32_t& count, size_t minimumBytes);

    // Every counted list is read here: a count, then `readOne(element)` for each element, which
    // answers whether it read one. Appends; an element cut short is dropped. An element in
    // memory can be several times its wire size, so room is never taken from the count alone:
    // it doubles as elements arrive and stops at the count, and a count that lies costs at
    // most twice the elements really read.
    template <typename T, typename ReadOne>
    bool RemoveList(std::vector<T>& list, size_t minimumBytes, ReadOne readOne)
    {
        uint32_t count = 0;
        return RemoveCount(count, minimumBytes) && RemoveElements(list, count, readOne);
    }
    // The same for a count sent as a signed word, where 0 or less means none.
    bool RemoveSignedCount(uint32_t& count, size_t minimumBytes);
    template <typename T, typename ReadOne>
    bool RemoveSignedList(std::vector<T>& list, size_t minimumBytes, ReadOne readOne)
    {
        uint32_t count = 0;
        return RemoveSignedCount(count, minimumBytes) && RemoveElements(list, count, readOne);
    }

    size_t GetRemaining() const { return reader.GetRemaining(); }
    // The bytes left belong to another reader (a container's object record): taken unread.
    void SkipRest() { reader = BinaryReader(nullptr, 0); }
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
    bool AcceptCount(uint32_t read, size_t minimumBytes, uint32_t& count);

    template <typename T, typename ReadOne>
    bool RemoveElements(std::vector<T>& list, uint32_t count, ReadOne& readOne)
    {
        const size_t end = list.size() + count;
        for (uint32_t i = 0; i < count; ++i) {
            T element{};
            if (!readOne(element))
                return Fail();
            if (list.size() == list.capacity())
                list.reserve(std::min(end, std::max<size_t>(2 * list.capacity(), 1)));
            list.push_back(std::move(element));
        }
        return true;
    }

    NetPacket& packet;
    BinaryReader reader;
    bool failed = false;
};

} // namespace GAME
