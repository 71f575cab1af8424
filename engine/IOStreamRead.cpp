#include "engine/IOStreamRead.h"

#include "core/StringHelpers.h"
#include "core/UniqueId.h"
#include "engine/ByteOrder.h"
#include "engine/Crc32.h"
#include "engine/FileSystem.h"
#include "engine/IOStreamWrite.h"
#include "engine/LocalizationManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Utf16Units.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <ostream>
#include <sstream>
#include <type_traits>

namespace GAME {

namespace {

const char kMagic[4] = {'G', 'S', 'T', 'R'};
constexpr size_t kHeaderBytes = 8;

const char* KindLabel(uint8_t kind)
{
    static const char* const names[] = {"?",     "uniqueId", "wideString", "bool", "uint", "string",
                                        "float", "int",      "block",      "end",  "name"};
    return kind < sizeof(names) / sizeof(names[0]) ? names[kind] : "?";
}

std::ostream& Indent(std::ostream& out, size_t depth)
{
    for (size_t i = 0; i < depth; ++i)
        out << "  ";
    return out;
}

// Quotes, backslashes and control bytes escaped, so any text survives a trip through
// `ParseText`; bytes of 0x80 and above (UTF-8) stay as they are.
std::string Escape(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char hex[5];
            snprintf(hex, sizeof(hex), "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + '"';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The inverse of `Escape`; false unless the text is one quoted string and nothing after it.
bool Unescape(std::string_view text, std::string& out)
{
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return false;
    out.clear();
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        char c = text[i];
        if (c == '"')
            return false;
        if (c == '\\') {
            if (i + 2 >= text.size())
                return false;
            c = text[++i];
            if (c == 'x') {
                const int high = i + 3 < text.size() ? HexDigit(text[i + 1]) : -1;
                const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
                if (low < 0)
                    return false;
                c = static_cast<char>(high * 16 + low);
                i += 2;
            } else if (c != '"' && c != '\\') {
                return false;
            }
        }
        out += c;
    }
    return true;
}

bool ParseWords(std::string_view text, uint32_t (&words)[4])
{
    const std::string copy(text);
    const char* at = copy.c_str();
    for (uint32_t& word : words) {
        char* end = nullptr;
        const unsigned long value = strtoul(at, &end, 16);
        if (end == at || value > UINT32_MAX)
            return false;
        word = static_cast<uint32_t>(value);
        at = end;
    }
    return *at == '\0';
}

template <typename T> bool ParseNumber(std::string_view text, T& value)
{
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    if constexpr (std::is_same_v<T, float>) {
        value = strtof(copy.c_str(), &end);
    } else {
        const long long number = strtoll(copy.c_str(), &end, 10);
        if (number < std::numeric_limits<T>::min() || number > std::numeric_limits<T>::max())
            return false;
        value = static_cast<T>(number);
    }
    return !copy.empty() && end != nullptr && *end == '\0' && errno == 0;
}

// One "kind key = value" line into the writer.
bool ParseEntry(std::string_view line, IOStreamWrite& out)
{
    const size_t space = line.find(' ');
    const size_t equals = line.find(" = ");
    if (space == std::string_view::npos || equals == std::string_view::npos || equals <= space)
        return false;
    const std::string_view kind = line.substr(0, space);
    const std::string key(line.substr(space + 1, equals - space - 1));
    const std::string_view value = line.substr(equals + 3);
    std::string text;
    uint32_t words[4];
    if (kind == "string")
        return Unescape(value, text) && out.StreamString(key, text);
    if (kind == "wideString") {
        if (value.empty() || value.front() != 'L' || !Unescape(value.substr(1), text))
            return false;
        std::wstring wide = LocalizationManager::ToWChar(text);
        return out.StreamWideString(key, wide);
    }
    if (kind == "bool") {
        bool flag = value == "true";
        return (flag || value == "false") && out.StreamBool(key, flag);
    }
    if (kind == "uint") {
        uint32_t number = 0;
        return ParseNumber(value, number) && out.StreamUInt(key, number);
    }
    if (kind == "int") {
        int32_t number = 0;
        return ParseNumber(value, number) && out.StreamInt(key, number);
    }
    if (kind == "float") {
        float number = 0.0f;
        return ParseNumber(value, number) && out.StreamFloat(key, number);
    }
    if (kind == "uniqueId" || kind == "name") {
        if (!ParseWords(value, words))
            return false;
        if (kind == "name") {
            Name name = Name::FromWords(words[0], words[1], words[2], words[3]);
            return out.StreamName(key, name);
        }
        UniqueId id(words[0], words[1], words[2], words[3]);
        return out.StreamUniqueId(key, id);
    }
    return false;
}

} // namespace

bool IOStreamRead::ParseText(const std::string& text, std::vector<uint8_t>& bytes)
{
    IOStreamWrite out;
    size_t start = 0;
    while (start < text.size() && !out.HasFailed()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line =
            TrimWhitespace(std::string_view(text).substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        const bool ok = line == "{"   ? out.BeginBlock()
                        : line == "}" ? out.EndBlock()
                                      : ParseEntry(line, out);
        if (!ok)
            return false;
    }
    bytes = out.GetBytes();
    return out.IsComplete();
}

IOStreamRead::IOStreamRead(const std::string& path, Type type)
{
    std::string file = path;
    if (type == TypeDesign) {
        const std::string found = ObjectManager::Instance().GetDatabase().ResolvePath(path);
        if (!found.empty())
            file = found;
    }
    FileSystem::ReadWholeFile(file, kMaxFileBytes, bytes); // left empty when refused
    if (type == TypeDesign && !bytes.empty() && !HasHeader(bytes)) {
        std::vector<uint8_t> parsed;
        if (!ParseText(std::string(bytes.begin(), bytes.end()), parsed))
            parsed.clear();
        bytes = std::move(parsed);
    }
    opened = HasHeader(bytes);
    if (opened)
        position = kHeaderBytes;
    else
        failed = true;
}

bool IOStreamRead::Shutdown()
{
    std::vector<uint8_t>().swap(bytes);
    blockEnds.clear();
    position = 0;
    failed = true;
    return true;
}

bool IOStreamRead::StreamName(const std::string& key, Name& value)
{
    uint32_t words[4];
    if (!Expect(KindName, key))
        return false;
    for (uint32_t& word : words) {
        if (!TakeU32(word))
            return false;
    }
    value = Name::FromWords(words[0], words[1], words[2], words[3]);
    return true;
}

IOStreamRead::IOStreamRead(std::vector<uint8_t> data) : bytes(std::move(data))
{
    if (HasHeader(bytes))
        position = kHeaderBytes;
    else {
        failed = true;
        opened = false;
    }
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

IOStreamRead::Digest IOStreamRead::TakeDigest(const std::string& key)
{
    const size_t entry = 3 + key.size() + 4;
    if (failed || position != kHeaderBytes || key.size() > kMaxKeyLength ||
        bytes.size() - position < entry)
        return Digest::Absent;
    const size_t at = bytes.size() - entry;
    const uint8_t* b = bytes.data() + at;
    if (b[0] != KindUInt || size_t(b[1] | (b[2] << 8)) != key.size() ||
        memcmp(b + 3, key.data(), key.size()) != 0)
        return Digest::Absent;
    const bool matches = LoadLittleEndian32(b + entry - 4) == Crc32(bytes.data(), at);
    bytes.resize(at);
    return matches ? Digest::Matches : Digest::Differs;
}

bool IOStreamRead::HoldsBlocksOnly(size_t count) const
{
    if (failed)
        return false;
    size_t at = position;
    for (size_t i = 0; i < count; ++i) {
        if (bytes.size() - at < 6 || bytes[at] != KindBeginBlock)
            return false;
        const size_t length = LoadLittleEndian32(bytes.data() + at + 1);
        if (length > bytes.size() - at - 6 || bytes[at + 5 + length] != KindEndBlock)
            return false;
        at += 6 + length;
    }
    return at == bytes.size();
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
        shown = Escape(LocalizationManager::ToChar(wide));
        shown.insert(shown.begin(), 'L');
        break;
    }
    case KindName: {
        Name name;
        ok = StreamName(key, name);
        snprintf(line, sizeof(line), "%08x %08x %08x %08x", name.GetWord(0), name.GetWord(1),
                 name.GetWord(2), name.GetWord(3));
        shown = line;
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
        shown = Escape(value);
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
            << KindLabel(entry.kind) << ' ' << key << " = " << shown << '\n';
    return ok;
}

} // namespace GAME
