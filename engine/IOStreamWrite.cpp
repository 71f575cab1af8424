#include "engine/IOStreamWrite.h"

#include "core/UniqueId.h"
#include "engine/Name.h"
#include "engine/Utf16Units.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>

#include <sys/stat.h>
#include <unistd.h>

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

bool IOStreamWrite::SaveToFile(const std::string& target) const
{
    if (failed || !openBlocks.empty())
        return false;
    return SaveBytesToFile(target, bytes);
}

namespace {

bool WriteAll(int file, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = write(file, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        done += static_cast<size_t>(count);
    }
    return true;
}

// Makes the rename itself survive a power cut, not only the bytes it names.
bool SyncFolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (handle < 0)
        return false;
    const bool synced = fsync(handle) == 0;
    return close(handle) == 0 && synced;
}

} // namespace

bool IOStreamWrite::SaveBytesToFile(const std::string& target, const std::vector<uint8_t>& bytes)
{
    if (target.empty())
        return false;
    // The old file must survive a crash or a full disk mid-save: write everything beside it,
    // then swap it in with one rename.
    std::string temporary = target + ".XXXXXX";
    const int file = mkstemp(temporary.data());
    if (file < 0)
        return false;
    bool written = fchmod(file, 0644) == 0 && WriteAll(file, bytes) && fsync(file) == 0;
    written = close(file) == 0 && written;
    if (written && std::rename(temporary.c_str(), target.c_str()) == 0)
        return SyncFolderOf(target);
    std::remove(temporary.c_str());
    return false;
}

} // namespace GAME
