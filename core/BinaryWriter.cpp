#include "core/BinaryWriter.h"

#include "engine/Engine.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace GAME {

namespace {
BinaryWriter::Reallocate gReallocate = realloc;
} // namespace

BinaryWriter::Reallocate BinaryWriter::SetReallocate(Reallocate reallocate)
{
    return std::exchange(gReallocate, reallocate != nullptr ? reallocate : realloc);
}

BinaryWriter BinaryWriter::ToMemory(uint32_t initialCapacity)
{
    BinaryWriter writer;
    writer.toMemory = true;
    if (initialCapacity > 0) {
        writer.buffer = static_cast<uint8_t*>(gReallocate(nullptr, initialCapacity));
        writer.capacity = writer.buffer != nullptr ? initialCapacity : 0;
    }
    return writer;
}

BinaryWriter::BinaryWriter(BinaryWriter&& other) noexcept
{
    *this = std::move(other);
}

BinaryWriter& BinaryWriter::operator=(BinaryWriter&& other) noexcept
{
    if (this != &other) {
        free(buffer);
        file = std::exchange(other.file, nullptr);
        buffer = std::exchange(other.buffer, nullptr);
        position = std::exchange(other.position, 0);
        size = std::exchange(other.size, 0);
        capacity = std::exchange(other.capacity, 0);
        toMemory = std::exchange(other.toMemory, false);
        failed = std::exchange(other.failed, false);
    }
    return *this;
}

BinaryWriter::~BinaryWriter()
{
    free(buffer);
}

bool BinaryWriter::Reserve(uint32_t count)
{
    if (failed)
        return false;
    const uint64_t needed = uint64_t(position) + count;
    if (needed < size)
        return true;
    if (needed > capacity) {
        // Linear growth by ten times the overflowing write, as the level-state format has always
        // grown; computed wide so that it can neither wrap nor fall short of the write.
        uint64_t grown = uint64_t(capacity) + 10 * uint64_t(count);
        if (grown > UINT32_MAX)
            grown = UINT32_MAX;
        void* moved = needed <= UINT32_MAX ? gReallocate(buffer, grown) : nullptr;
        if (moved == nullptr) {
            failed = true;
            gEngine->Log(Engine::LogData, "Memory allocation of %dkb failed",
                         static_cast<int>(grown / 1024));
            return false;
        }
        buffer = static_cast<uint8_t*>(moved);
        capacity = static_cast<uint32_t>(grown);
    }
    size = static_cast<uint32_t>(needed);
    return true;
}

void BinaryWriter::Put(const void* bytes, uint32_t count)
{
    if (file != nullptr) {
        if (count > 0)
            fwrite(bytes, count, 1, file);
        return;
    }
    if (!toMemory || !Reserve(count) || count == 0)
        return;
    memcpy(buffer + position, bytes, count);
    position += count;
}

void BinaryWriter::WriteUInt16(uint16_t value)
{
    const uint8_t bytes[2] = {uint8_t(value), uint8_t(value >> 8)};
    Put(bytes, 2);
}

void BinaryWriter::WriteUInt32(uint32_t value)
{
    const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                              uint8_t(value >> 24)};
    Put(bytes, 4);
}

void BinaryWriter::WriteBool(bool value)
{
    WriteUInt32(value ? 1 : 0);
}

void BinaryWriter::WriteBytes(const void* bytes, uint32_t count)
{
    if (bytes != nullptr)
        Put(bytes, count);
}

void BinaryWriter::WriteString(const std::string& text)
{
    // Longer text cannot be described by the 32-bit length; write an empty string instead of
    // a length that lies about the bytes.
    const uint32_t length = text.size() <= UINT32_MAX ? static_cast<uint32_t>(text.size()) : 0;
    WriteUInt32(length);
    Put(text.data(), length);
}

} // namespace GAME
