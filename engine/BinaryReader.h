#pragma once

#include "engine/ByteOrder.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace GAME {

// Reads level state back: the little-endian layout `BinaryWriter` writes. Every read is bounded
// by the bytes that remain; the first read that cannot be satisfied puts the reader in a failed
// state that every later read keeps, so a truncated or corrupt state yields defaults rather
// than values read out of step.
class BinaryReader {
public:
    static constexpr uint32_t kMaxStringLength = 0x100000;

    BinaryReader(const void* bytes, size_t count)
        : data(static_cast<const uint8_t*>(bytes)), count(bytes != nullptr ? count : 0)
    {}

    // On failure the value is left as it was.
    bool ReadUInt16(uint16_t& value);
    // Inline: the network messages read thousands of these a millisecond.
    bool ReadUInt32(uint32_t& value)
    {
        const uint8_t* b = Take(4);
        if (b == nullptr)
            return false;
        value = LoadLittleEndian32(b);
        return true;
    }
    bool ReadInt32(int32_t& value);
    bool ReadFloat(float& value);
    // A 32-bit word; true when not zero.
    bool ReadBool(bool& value);
    bool ReadBytes(void* out, size_t length);
    // A 32-bit length, then the bytes. A length over 1 MiB or past the end fails after the
    // length word, leaving the string unchanged.
    bool ReadString(std::string& text);

    size_t GetPosition() const { return position; }
    size_t GetRemaining() const { return count - position; }
    bool HasFailed() const { return failed; }

private:
    const uint8_t* Take(size_t length)
    {
        if (failed || length > count - position) {
            failed = true;
            return nullptr;
        }
        const uint8_t* bytes = data + position;
        position += length;
        return bytes;
    }

    const uint8_t* data;
    size_t count;
    size_t position = 0;
    bool failed = false;
};

} // namespace GAME
