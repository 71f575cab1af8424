#include "engine/IOStreamRead.h"

#include "core/UniqueId.h"
#include "engine/ByteOrder.h"
#include "engine/FileSystem.h"
#include "engine/LocalizationManager.h"
#include "engine/Utf16Units.h"

#include <cstdio>
#include <cstring>
#include <ostream>
#include <sstream>

namespace GAME {

namespace {

const char kMagic[4] = {'G', 'S', 'T', 'R'};
constexpr size_t kHeaderBytes = 8;

const char* KindName(uint8_t kind)
{
    static const char* const names[] = {"?",      "uniqueId", "wideString", "bool",  "uint",
                                        "string", "float",    "int",        "block", "end"};
    return kind < sizeof(names) / sizeof(names[0]) ? names[kind] : "?";
}

std::ostream& Indent(std::ostream& out, size_t depth)
{
    for (size_t i = 0; i < depth; ++i)
        out << "  ";
    return out;
}

} // namespace

IOStreamRead::IOStreamRead(std::vector<uint8_t> data) : bytes(std::move(data))
{
    if (HasHeader(bytes))
        position = kHeaderBytes;
    else
        failed = true;
}

bool IOStreamRead::HasHeader(const std::vector<uint8_t>& data)
{
    return data.size() >= kHeaderBytes && memcmp(data.data(), kMagic, sizeof(kMagic)) == 0 &&
           LoadLittleEndian32(data.data() + sizeof(kMagic)) == kFormatVersion;
}

IOStreamRead IOStreamRead::FromFile(const std::string& path)
{
    std::vector<uint8_t> data;
    FileSystem::ReadWholeFile(path, kMaxFileBytes, data); // left empty when refused
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

bool IOStreamRead::PeekEntry(Entry& entry)
{
    const size_t left = failed ? 0 : Limit() - position;
    const uint8_t* at = bytes.data() + position;
    const size_t length = left >= 3 ? size_t(at[1] | (at[2] << 8)) : 0;
    if (left < 3 || length > left - 3) {
        failed = true;
        return false;
    }
    entry.kind = at[0];
    entry.key = std::string_view(reinterpret_cast<const char*>(at + 3), length);
    entry.headerSize = 3 + length;
    return true;
}

bool IOStreamRead::Expect(Kind kind, const std::string& key)
{
    Entry entry;
    if (!PeekEntry(entry) || entry.kind != kind || entry.key != key) {
        failed = true;
        return false;
    }
    position += entry.headerSize;
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
        length > Limit() - position || blockEnds.size() >= kMaxBlockDepth) {
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

bool IOStreamRead::Describe(const std::vector<uint8_t>& data, std::ostream& out)
{
    IOStreamRead stream(data);
    while (!stream.failed && stream.position < stream.bytes.size()) {
        const size_t depth = stream.blockEnds.size();
        if (depth > 0 && stream.position == stream.blockEnds.back()) {
            if (!stream.EndBlock())
                break;
            Indent(out, depth - 1) << "}\n";
        } else if (stream.bytes[stream.position] == KindBeginBlock) {
            if (!stream.BeginBlock())
                break;
            Indent(out, depth) << "{\n";
        } else if (!stream.DescribeEntry(out)) {
            break;
        }
    }
    return !stream.failed && stream.position == data.size() && stream.blockEnds.empty();
}

bool IOStreamRead::Describe(const std::vector<uint8_t>& data, std::string& text)
{
    std::ostringstream out;
    const bool complete = Describe(data, out);
    text = out.str();
    return complete;
}

bool IOStreamRead::DescribeEntry(std::ostream& out)
{
    Entry entry;
    if (!PeekEntry(entry))
        return false;
    // Read through the typed operation under the entry's own key.
    const std::string key(entry.key);
    char line[160];
    std::string shown;
    bool ok = false;
    switch (entry.kind) {
    case KindUniqueId: {
        UniqueId id;
        ok = StreamUniqueId(key, id);
        snprintf(line, sizeof(line), "%08x %08x %08x %08x", id.GetPart(0), id.GetPart(1),
                 id.GetPart(2), id.GetPart(3));
        shown = line;
        break;
    }
    case KindWideString: {
        std::wstring wide;
        ok = StreamWideString(key, wide);
        shown = "L\"" + LocalizationManager::ToChar(wide) + "\"";
        break;
    }
    case KindBool: {
        bool value = false;
        ok = StreamBool(key, value);
        shown = value ? "true" : "false";
        break;
    }
    case KindUInt: {
        uint32_t value = 0;
        ok = StreamUInt(key, value);
        shown = std::to_string(value);
        break;
    }
    case KindInt: {
        int32_t value = 0;
        ok = StreamInt(key, value);
        shown = std::to_string(value);
        break;
    }
    case KindString: {
        std::string value;
        ok = StreamString(key, value);
        shown = "\"" + value + "\"";
        break;
    }
    case KindFloat: {
        float value = 0.0f;
        ok = StreamFloat(key, value);
        snprintf(line, sizeof(line), "%.9g", value);
        shown = line;
        break;
    }
    default:
        failed = true;
        break;
    }
    if (ok)
        Indent(out, blockEnds.size())
            << KindName(entry.kind) << ' ' << key << " = " << shown << '\n';
    return ok;
}

} // namespace GAME
