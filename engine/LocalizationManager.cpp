#include "engine/LocalizationManager.h"

#include "core/StringHelpers.h"
#include "engine/Database.h"
#include "engine/Engine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace GAME {

namespace {

void AppendArgument(std::wstring& out, const LocalizationManager::Arg& arg)
{
    using Arg = LocalizationManager::Arg;
    switch (arg.kind) {
    case Arg::Int:
        out += std::to_wstring(arg.integer);
        break;
    case Arg::Unsigned:
        out += std::to_wstring(arg.whole);
        break;
    case Arg::Real: {
        wchar_t buffer[64];
        swprintf(buffer, 64, L"%g", arg.real);
        out += buffer;
        break;
    }
    case Arg::Narrow:
        out += LocalizationManager::ToWChar(arg.narrow);
        break;
    case Arg::Wide:
        out += arg.wide;
        break;
    }
}

// Formats one numeric code ("%5.2f", "%d") with the C library, whatever kind the argument is.
// The clamped width and precision keep every result inside the buffer.
void AppendNumber(std::wstring& out, std::string spec, char conversion,
                  const LocalizationManager::Arg& arg)
{
    using Arg = LocalizationManager::Arg;
    if (arg.kind == Arg::Narrow || arg.kind == Arg::Wide) {
        AppendArgument(out, arg);
        return;
    }
    const double real = arg.kind == Arg::Real       ? arg.real
                        : arg.kind == Arg::Unsigned ? static_cast<double>(arg.whole)
                                                    : static_cast<double>(arg.integer);
    char buffer[400];
    if (conversion == 'f' || conversion == 'g' || conversion == 'e') {
        spec += conversion;
        if (snprintf(buffer, sizeof(buffer), spec.c_str(), real) < 0)
            buffer[0] = '\0';
    } else if (arg.kind == Arg::Unsigned || conversion == 'u' || conversion == 'x' ||
               conversion == 'X') {
        spec += "ll";
        spec += conversion == 'd' || conversion == 'i' ? 'u' : conversion;
        unsigned long long value = arg.whole;
        if (arg.kind == Arg::Int)
            value = static_cast<unsigned long long>(arg.integer);
        else if (arg.kind == Arg::Real)
            value = real > 0.0 && real < 1.8e19 ? static_cast<unsigned long long>(real) : 0;
        if (snprintf(buffer, sizeof(buffer), spec.c_str(), value) < 0)
            buffer[0] = '\0';
    } else {
        spec += "ll";
        spec += conversion;
        long long value = arg.integer;
        if (arg.kind == Arg::Real)
            value = real > -9.2e18 && real < 9.2e18 ? static_cast<long long>(real) : 0;
        if (snprintf(buffer, sizeof(buffer), spec.c_str(), value) < 0)
            buffer[0] = '\0';
    }
    out += LocalizationManager::ToWChar(buffer);
}

// One conversion code as written after its '%': flags, width and precision (-1 when absent),
// any 'l' skipped; `end` is the index of the conversion character.
struct FormatCode {
    std::string flags;
    int width = -1;
    int precision = -1;
    size_t end = 0;
    bool clamped = false;

    // The code for the C library, with the width and precision clamped.
    std::string Spec() const
    {
        std::string spec = "%";
        spec += flags;
        if (width >= 0)
            spec += std::to_string(width);
        if (precision >= 0) {
            spec += '.';
            spec += std::to_string(precision);
        }
        return spec;
    }
};

FormatCode ParseCode(const std::wstring& format, size_t percent)
{
    FormatCode code;
    size_t j = percent + 1;
    // Each flag is kept once, however often it is repeated.
    for (; j < format.size() && format[j] != 0 && wcschr(L"-+ #0", format[j]) != nullptr; ++j) {
        if (code.flags.find(static_cast<char>(format[j])) == std::string::npos)
            code.flags += static_cast<char>(format[j]);
    }
    auto number = [&](int& value, int limit) {
        value = 0;
        for (; j < format.size() && format[j] >= L'0' && format[j] <= L'9'; ++j) {
            value = value * 10 + static_cast<int>(format[j] - L'0');
            if (value > limit) {
                value = limit;
                code.clamped = true;
            }
        }
    };
    if (j < format.size() && format[j] >= L'0' && format[j] <= L'9')
        number(code.width, LocalizationManager::kMaxFieldWidth);
    if (j < format.size() && format[j] == L'.') {
        ++j;
        number(code.precision, LocalizationManager::kMaxPrecision);
    }
    while (j < format.size() && format[j] == L'l')
        ++j;
    code.end = j;
    return code;
}

// Whether any code of the text asks for more than the limits.
bool AsksBeyondLimits(const std::wstring& format)
{
    for (size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != L'%')
            continue;
        if (format[i + 1] == L'%') {
            ++i;
            continue;
        }
        if (ParseCode(format, i).clamped)
            return true;
    }
    return false;
}

} // namespace

LocalizationManager& LocalizationManager::Instance()
{
    static LocalizationManager manager;
    return manager;
}

bool LocalizationManager::LoadFile(Database& database, const std::string& path)
{
    std::string bytes;
    if (!database.ReadFile(path, bytes)) {
        gEngine->Log(Engine::LogData, "Localization file '%s' could not be read", path.c_str());
        return false;
    }
    LoadText(bytes, path);
    return true;
}

void LocalizationManager::LoadText(std::string_view text, const std::string& sourceName)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    uint32_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        const std::string_view line = TrimWhitespace(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line[0] == '#')
            continue;
        const size_t equals = line.find('=');
        const std::string_view tag = equals == std::string_view::npos
                                         ? std::string_view()
                                         : TrimWhitespace(line.substr(0, equals));
        if (tag.empty()) {
            gEngine->Log(Engine::LogData, "Localization file '%s' line %u: malformed entry skipped",
                         sourceName.c_str(), lineNumber);
            continue;
        }
        std::string_view value = TrimWhitespace(line.substr(equals + 1));
        // Quotes keep the blanks at the ends of a text that is joined to another.
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        const auto [entry, added] = texts.emplace(std::string(tag), ToWChar(value));
        if (!added) {
            gEngine->Log(Engine::LogData,
                         "Localization file '%s' line %u: tag '%.*s' repeated, first kept",
                         sourceName.c_str(), lineNumber, static_cast<int>(tag.size()), tag.data());
        } else if (AsksBeyondLimits(entry->second)) {
            gEngine->Log(Engine::LogData,
                         "Localization file '%s' line %u: tag '%.*s' asks for a field wider than "
                         "%d or more than %d digits, clamped",
                         sourceName.c_str(), lineNumber, static_cast<int>(tag.size()), tag.data(),
                         kMaxFieldWidth, kMaxPrecision);
        }
    }
}

void LocalizationManager::AddText(const std::string& tag, const std::wstring& text)
{
    texts.emplace(tag, text);
}

void LocalizationManager::Clear()
{
    texts.clear();
}

bool LocalizationManager::HasTag(const std::string& tag) const
{
    return texts.count(tag) != 0;
}

std::vector<std::string> LocalizationManager::GetTags() const
{
    std::vector<std::string> tags;
    tags.reserve(texts.size());
    for (const auto& entry : texts)
        tags.push_back(entry.first);
    std::sort(tags.begin(), tags.end());
    return tags;
}

std::wstring LocalizationManager::Format(std::string_view tag,
                                         std::initializer_list<Arg> args) const
{
    std::wstring out;
    auto found = texts.find(tag);
    if (found == texts.end()) {
        out = ToWChar(tag);
        for (const Arg& arg : args) {
            out += L' ';
            AppendArgument(out, arg);
        }
        return out;
    }
    const std::wstring& format = found->second;
    out.reserve(format.size());
    const Arg* next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        if (format[i + 1] == L'%') {
            out += L'%';
            ++i;
            continue;
        }
        const FormatCode code = ParseCode(format, i);
        const size_t j = code.end;
        if (j >= format.size() || next == args.end()) {
            out += format[i];
            continue;
        }
        const wchar_t conversion = format[j];
        if (conversion == L's' || conversion == L'S') {
            AppendArgument(out, *next++);
        } else if (wcschr(L"diuxXfge", conversion) != nullptr && conversion != 0) {
            AppendNumber(out, code.Spec(), static_cast<char>(conversion), *next++);
        } else {
            out += format[i];
            continue;
        }
        i = j;
    }
    return out;
}

std::wstring LocalizationManager::ToWChar(std::string_view text)
{
    // Tags and numbers are plain ASCII: eight bytes tested at a time, then copied as they are.
    uint64_t high = 0;
    size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        uint64_t block = 0;
        memcpy(&block, text.data() + at, 8);
        high |= block;
    }
    for (; at < text.size(); ++at)
        high |= static_cast<unsigned char>(text[at]);
    if ((high & 0x8080808080808080u) == 0)
        return std::wstring(text.begin(), text.end());

    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8CharacterLength(text.substr(i));
        if (length == 0) {
            out += static_cast<wchar_t>(0xFFFD);
            ++i;
            continue;
        }
        static const uint8_t kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
        uint32_t code = static_cast<unsigned char>(text[i]) & kLeadBits[length];
        for (size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += static_cast<wchar_t>(code);
        i += length;
    }
    return out;
}

std::string LocalizationManager::ToChar(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        uint32_t code = static_cast<uint32_t>(wc);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = 0xFFFD;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

} // namespace GAME
