#include "engine/IOStreamWrite.h"

#include "core/UniqueId.h"
#include "engine/Crc32.h"
#include "engine/FileSystem.h"
#include "engine/Name.h"
#include "engine/Utf16Units.h"

#include <cstring>
#include <string_view>

namespace GAME {

IOStreamWrite::IOStreamWrite()
{
    bytes = {'G', 'S', 'T', 'R'};
    PutU32(kFormatVersion);
}

IOStreamWrite::IOStreamWrite(const std::string& target, Type) : IOStreamWrite()
{
    path = target;
}

bool IOStreamWrite::Shutdown()
{
    return SaveToFile(path);
}

bool IOStreamWrite::StreamName(const std::string& key, Name& value)
{
    if (!Key(KindName, key))
        return false;
    for (int i = 0; i < 4; ++i)
        PutU32(value.GetWord(i));
    return true;
}

void IOStreamWrite::PutU32(uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

bool IOStreamWrite::Key(Kind kind, const std::string& key)
{
    if (failed || key.size() > kMaxKeyLength) {
        failed = true;
        return false;
    }
    PutU8(kind);
    bytes.push_back(static_cast<uint8_t>(key.size()));
    bytes.push_back(static_cast<uint8_t>(key.size() >> 8));
    bytes.insert(bytes.end(), key.begin(), key.end());
    return true;
}

bool IOStreamWrite::StreamUniqueId(const std::string& key, UniqueId& value)
{
    if (!Key(KindUniqueId, key))
        return false;
    for (int i = 0; i < 4; ++i)
        PutU32(value.GetPart(i));
    return true;
}

bool IOStreamWrite::StreamWideString(const std::string& key, std::wstring& value)
{
    const std::vector<uint16_t> units = ToUtf16Units(value);
    if (units.size() > UINT32_MAX / 2 || !Key(KindWideString, key)) {
        failed = true;
        return false;
    }
    PutU32(static_cast<uint32_t>(units.size()));
    for (uint16_t unit : units) {
        bytes.push_back(static_cast<uint8_t>(unit));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return true;
}

bool IOStreamWrite::StreamBool(const std::string& key, bool& value)
{
    if (!Key(KindBool, key))
        return false;
    PutU8(value ? 1 : 0);
    return true;
}

bool IOStreamWrite::StreamUInt(const std::string& key, uint32_t& value)
{
    if (!Key(KindUInt, key))
        return false;
    PutU32(value);
    return true;
}

bool IOStreamWrite::StreamString(const std::string& key, std::string& value)
{
    if (value.size() > UINT32_MAX || !Key(KindString, key)) {
        failed = true;
        return false;
    }
    PutU32(static_cast<uint32_t>(value.size()));
    bytes.insert(bytes.end(), value.begin(), value.end());
    return true;
}

bool IOStreamWrite::StreamFloat(const std::string& key, float& value)
{
    if (!Key(KindFloat, key))
        return false;
    uint32_t bits = 0;
    memcpy(&bits, &value, sizeof(bits));
    PutU32(bits);
    return true;
}

bool IOStreamWrite::StreamInt(const std::string& key, int32_t& value)
{
    if (!Key(KindInt, key))
        return false;
    PutU32(static_cast<uint32_t>(value));
    return true;
}

bool IOStreamWrite::AppendDigest(const std::string& key)
{
    if (!IsComplete()) {
        failed = true;
        return false;
    }
    uint32_t digest = Crc32(bytes.data(), bytes.size());
    return StreamUInt(key, digest);
}

bool IOStreamWrite::BeginBlock()
{
    // A block deeper than a reader accepts would make the whole save unreadable.
    if (failed || openBlocks.size() >= kMaxBlockDepth) {
        failed = true;
        return false;
    }
    PutU8(KindBeginBlock);
    openBlocks.push_back(bytes.size());
    PutU32(0);
    return true;
}

bool IOStreamWrite::EndBlock()
{
    if (failed || openBlocks.empty()) {
        failed = true;
        return false;
    }
    const size_t lengthAt = openBlocks.back();
    openBlocks.pop_back();
    const size_t length = bytes.size() - (lengthAt + 4);
    if (length > UINT32_MAX) {
        failed = true;
        return false;
    }
    for (int i = 0; i < 4; ++i)
        bytes[lengthAt + i] = static_cast<uint8_t>(length >> (8 * i));
    PutU8(KindEndBlock);
    return true;
}

bool IOStreamWrite::SaveToFile(const std::string& target, std::string* why) const
{
    if (failed || !openBlocks.empty()) {
        if (why != nullptr)
            *why = "the stream is incomplete";
        return false;
    }
    return SaveBytesToFile(target, bytes, why);
}

bool IOStreamWrite::SaveBytesToFile(const std::string& target, const std::vector<uint8_t>& bytes,
                                    std::string* why)
{
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return FileSystem::WriteWholeFile(target, view, why);
}

} // namespace GAME
