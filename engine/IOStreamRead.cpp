#include "engine/IOStreamRead.h"

#include "core/UniqueId.h"
#include "engine/ByteOrder.h"
#include "engine/LocalizationManager.h"
#include "engine/Utf16Units.h"

#include <cstdio>
#include <cstring>
#include <fstream>

namespace GAME {

namespace {

const char* KindName(uint8_t kind)
{
    static const char* const names[] = {"?",      "uniqueId", "wideString", "bool",  "uint",
                                        "string", "float",    "int",        "block", "end"};
    return kind < sizeof(names) / sizeof(names[0]) ? names[kind] : "?";
}

} // namespace

IOStreamRead::IOStreamRead(std::vector<uint8_t> data) : bytes(std::move(data))
{
    uint32_t version = 0;
    const uint8_t* magic = Take(4);
    if (magic == nullptr || memcmp(magic, "GSTR", 4) != 0 || !TakeU32(version) ||
        version != kFormatVersion)
        failed = true;
}

IOStreamRead IOStreamRead::FromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> data;
    if (in) {
        in.seekg(0, std::ios::end);
        const std::streamoff size = in.tellg();
        if (size >= 0 && static_cast<uint64_t>(size) <= kMaxFileBytes) {
            in.seekg(0, std::ios::beg);
            data.resize(static_cast<size_t>(size));
            in.read(reinterpret_cast<char*>(data.data()), size);
        }
    }
    return IOStreamRead(std::move(data));
}

const uint8_t* IOStreamRead::Take(size_t count)
{
    if (failed || count > Limit() - position) {
        failed = true;
        return nullptr;
    }
    const uint8_t* at = bytes.data() + position;
    position += count;
    return at;
}

bool IOStreamRead::TakeU32(uint32_t& value)
{
    const uint8_t* b = Take(4);
    if (b == nullptr)
        return false;
    value = LoadLittleEndian32(b);
    return true;
}

bool IOStreamRead::Expect(Kind kind, const std::string& key)
{
    const uint8_t* header = Take(3);
    if (header == nullptr)
        return false;
    const size_t length = header[1] | (header[2] << 8);
    const uint8_t* name = header[0] == kind ? Take(length) : nullptr;
    if (name == nullptr || length != key.size() || memcmp(name, key.data(), length) != 0) {
        failed = true;
        return false;
    }
    return true;
}

bool IOStreamRead::StreamUniqueId(const std::string& key, UniqueId& value)
{
    uint32_t words[4];
    if (!Expect(KindUniqueId, key))
        return false;
    for (uint32_t& word : words) {
        if (!TakeU32(word))
            return false;
    }
    value = UniqueId(words[0], words[1], words[2], words[3]);
    return true;
}

bool IOStreamRead::StreamWideString(const std::string& key, std::wstring& value)
{
    uint32_t count = 0;
    if (!Expect(KindWideString, key) || !TakeU32(count))
        return false;
    const uint8_t* units = Take(size_t(count) * 2); // checked against the bytes left first
    if (units == nullptr)
        return false;
    value = FromUtf16LittleEndian(units, count);
    return true;
}

bool IOStreamRead::StreamBool(const std::string& key, bool& value)
{
    const uint8_t* b = Expect(KindBool, key) ? Take(1) : nullptr;
    if (b == nullptr)
        return false;
    value = *b != 0;
    return true;
}

bool IOStreamRead::StreamUInt(const std::string& key, uint32_t& value)
{
    uint32_t word = 0;
    if (!Expect(KindUInt, key) || !TakeU32(word))
        return false;
    value = word;
    return true;
}

bool IOStreamRead::StreamString(const std::string& key, std::string& value)
{
    uint32_t length = 0;
    if (!Expect(KindString, key) || !TakeU32(length))
        return false;
    const uint8_t* text = Take(length);
    if (text == nullptr)
        return false;
    value.assign(reinterpret_cast<const char*>(text), length);
    return true;
}

bool IOStreamRead::StreamFloat(const std::string& key, float& value)
{
    uint32_t bits = 0;
    if (!Expect(KindFloat, key) || !TakeU32(bits))
        return false;
    memcpy(&value, &bits, sizeof(value));
    return true;
}

bool IOStreamRead::StreamInt(const std::string& key, int32_t& value)
{
    uint32_t word = 0;
    if (!Expect(KindInt, key) || !TakeU32(word))
        return false;
    value = static_cast<int32_t>(word);
    return true;
}

bool IOStreamRead::BeginBlock()
{
    const uint8_t* kind = Take(1);
    uint32_t length = 0;
    if (kind == nullptr || *kind != KindBeginBlock || !TakeU32(length) ||
        length > Limit() - position) {
        failed = true;
        return false;
    }
    blockEnds.push_back(position + length);
    return true;
}

bool IOStreamRead::EndBlock()
{
    if (failed || blockEnds.empty()) {
        failed = true;
        return false;
    }
    // Whatever the reader did not ask for (values a newer writer added) is skipped.
    position = blockEnds.back();
    blockEnds.pop_back();
    const uint8_t* end = Take(1);
    if (end == nullptr || *end != KindEndBlock) {
        failed = true;
        return false;
    }
    return true;
}

bool IOStreamRead::Describe(const std::vector<uint8_t>& data, std::string& text)
{
    IOStreamRead stream(data);
    char line[160];
    int depth = 0;
    while (!stream.failed && stream.position < stream.bytes.size()) {
        if (!stream.blockEnds.empty() && stream.position == stream.blockEnds.back()) {
            if (!stream.EndBlock())
                break;
            --depth;
            text += std::string(static_cast<size_t>(depth) * 2, ' ') + "}\n";
            continue;
        }
        const uint8_t kind = stream.bytes[stream.position];
        const std::string indent(static_cast<size_t>(depth) * 2, ' ');
        if (kind == KindBeginBlock) {
            if (!stream.BeginBlock())
                break;
            text += indent + "{\n";
            ++depth;
            continue;
        }
        const uint8_t* header = stream.Take(3);
        const size_t keyLength = header != nullptr ? size_t(header[1] | (header[2] << 8)) : 0;
        const uint8_t* keyBytes = header != nullptr ? stream.Take(keyLength) : nullptr;
        if (keyBytes == nullptr)
            break;
        const std::string key(reinterpret_cast<const char*>(keyBytes), keyLength);
        // Rewind to the entry and read it through the typed operation under its own key.
        stream.position -= 3 + keyLength;
        std::string shown;
        bool ok = false;
        switch (kind) {
        case KindUniqueId: {
            UniqueId id;
            ok = stream.StreamUniqueId(key, id);
            snprintf(line, sizeof(line), "%08x %08x %08x %08x", id.GetPart(0), id.GetPart(1),
                     id.GetPart(2), id.GetPart(3));
            shown = line;
            break;
        }
        case KindWideString: {
            std::wstring wide;
            ok = stream.StreamWideString(key, wide);
            shown = "L\"" + LocalizationManager::ToChar(wide) + "\"";
            break;
        }
        case KindBool: {
            bool value = false;
            ok = stream.StreamBool(key, value);
            shown = value ? "true" : "false";
            break;
        }
        case KindUInt:
        case KindInt: {
            uint32_t word = 0;
            int32_t signedWord = 0;
            ok =
                kind == KindUInt ? stream.StreamUInt(key, word) : stream.StreamInt(key, signedWord);
            shown = kind == KindUInt ? std::to_string(word) : std::to_string(signedWord);
            break;
        }
        case KindString: {
            std::string value;
            ok = stream.StreamString(key, value);
            shown = "\"" + value + "\"";
            break;
        }
        case KindFloat: {
            float value = 0.0f;
            ok = stream.StreamFloat(key, value);
            snprintf(line, sizeof(line), "%.9g", value);
            shown = line;
            break;
        }
        default:
            break;
        }
        if (!ok)
            break;
        text += indent + KindName(kind) + " " + key + " = " + shown + "\n";
    }
    return !stream.failed && stream.position == data.size() && depth == 0;
}

} // namespace GAME
