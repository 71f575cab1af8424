#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace GAME {

// The level-state sink: little-endian 16- and 32-bit words, booleans as 32-bit words and
// strings as a 32-bit length followed by the bytes, to an open file or to a memory buffer that
// grows by ten times the write that overflows it. A writer with neither target drops writes.
class BinaryWriter {
public:
    // Drops every write.
    BinaryWriter() = default;
    // Writes to an open file; the caller keeps and closes it.
    explicit BinaryWriter(FILE* file) : file(file) {}
    // Writes to memory, starting with this capacity.
    static BinaryWriter ToMemory(uint32_t initialCapacity);

    BinaryWriter(BinaryWriter&& other) noexcept;
    BinaryWriter& operator=(BinaryWriter&& other) noexcept;
    BinaryWriter(const BinaryWriter&) = delete;
    BinaryWriter& operator=(const BinaryWriter&) = delete;
    ~BinaryWriter();

    void WriteUInt16(uint16_t value);
    void WriteUInt32(uint32_t value);
    void WriteBool(bool value);
    void WriteBytes(const void* bytes, uint32_t count);
    void WriteString(const std::string& text);

    // Room for `count` more bytes at the position; false when the buffer could not grow, after
    // which the writer has failed and drops every further write.
    bool Reserve(uint32_t count);

    // Replaces the buffer's allocator (realloc by default) so that tests can make growth fail;
    // returns the previous one.
    using Reallocate = void* (*)(void* block, size_t bytes);
    static Reallocate SetReallocate(Reallocate reallocate);

    const uint8_t* GetData() const { return buffer; }
    uint32_t GetPosition() const { return position; }
    uint32_t GetSize() const { return size; }
    uint32_t GetCapacity() const { return capacity; }
    bool HasFailed() const { return failed; }

private:
    void Put(const void* bytes, uint32_t count);

    FILE* file = nullptr;
    uint8_t* buffer = nullptr;
    uint32_t position = 0;
    uint32_t size = 0;
    uint32_t capacity = 0;
    bool toMemory = false;
    bool failed = false;
};

} // namespace GAME
