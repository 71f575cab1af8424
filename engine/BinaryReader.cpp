#include "engine/BinaryReader.h"

#include "engine/ByteOrder.h"

#include <cstring>

namespace GAME {

bool BinaryReader::ReadUInt16(uint16_t& value)
{
    const uint8_t* b = Take(2);
    if (b == nullptr)
        return false;
    value = LoadLittleEndian16(b);
    return true;
}

bool BinaryReader::ReadInt32(int32_t& value)
{
    uint32_t word = 0;
    if (!ReadUInt32(word))
        return false;
    value = static_cast<int32_t>(word);
    return true;
}

bool BinaryReader::ReadFloat(float& value)
{
    uint32_t word = 0;
    if (!ReadUInt32(word))
        return false;
    memcpy(&value, &word, sizeof(value));
    return true;
}

bool BinaryReader::ReadBool(bool& value)
{
    uint32_t word = 0;
    if (!ReadUInt32(word))
        return false;
    value = word != 0;
    return true;
}

bool BinaryReader::ReadBytes(void* out, size_t length)
{
    const uint8_t* b = Take(length);
    if (b == nullptr)
        return false;
    if (length > 0)
        memcpy(out, b, length);
    return true;
}

bool BinaryReader::ReadString(std::string& text)
{
    uint32_t length = 0;
    if (!ReadUInt32(length))
        return false;
    if (length > kMaxStringLength) {
        failed = true;
        return false;
    }
    const uint8_t* b = Take(length);
    if (b == nullptr)
        return false;
    text.assign(reinterpret_cast<const char*>(b), length);
    return true;
}

} // namespace GAME
