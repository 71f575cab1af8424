#include "core/StringHelpers.h"

#include "engine/Platform.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

namespace GAME {

namespace {

constexpr int kTextRounds = 50;

// Record names are ASCII: the library's tolower, which asks the locale, is kept for the rest.
char LowerChar(char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    if (static_cast<unsigned char>(c) < 0x80)
        return c;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool SameFileNameChar(char a, char b)
{
    if (a == b)
        return true;
    if (a == '/')
        a = '\\';
    if (b == '/')
        b = '\\';
    return LowerChar(a) == LowerChar(b);
}

bool FileNamesEqual(const char* a, size_t lengthA, const char* b, size_t lengthB)
{
    if (lengthA != lengthB)
        return false;
    // The same spelling is the common case, and the cheapest to see.
    if (memcmp(a, b, lengthA) == 0)
        return true;
    // From the end: paths that differ usually differ in the file name.
    for (size_t i = lengthA; i-- > 0;) {
        if (!SameFileNameChar(a[i], b[i]))
            return false;
    }
    return true;
}

bool IsSpaceOrBrace(wchar_t c)
{
    return c == L' ' || c == L'{' || c == L'}';
}

} // namespace

std::string_view TrimWhitespace(std::string_view text)
{
    const char* blanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void NormalizeFileNameLower(std::string& path)
{
    for (char& c : path)
        c = c == '/' ? '\\' : LowerChar(c);
}

std::string NormalizeFileName(const std::string& path)
{
    std::string copy = path;
    NormalizeFileNameLower(copy);
    return copy;
}

void ConvertToBackslashes(std::string& path)
{
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
}

void ConvertToForwardSlashes(std::string& path)
{
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
}

void ToLowerCopy(const std::string& source, std::string& destination)
{
    destination.reserve(destination.size() + source.size());
    for (char c : source)
        destination.push_back(LowerChar(c));
}

bool FileNameEquals(const std::string& a, const std::string& b)
{
    return FileNamesEqual(a.data(), a.size(), b.data(), b.size());
}

bool FileNameEqualsCString(const char* a, const char* b)
{
    if (a == nullptr || b == nullptr)
        return false;
    return FileNamesEqual(a, strlen(a), b, strlen(b));
}

std::string GetFileNameFromPath(const std::string& path, bool stripExtension)
{
    std::string name = path;
    size_t cut = name.rfind('/');
    if (cut != std::string::npos)
        name.erase(0, cut + 1);
    cut = name.rfind('\\');
    if (cut != std::string::npos)
        name.erase(0, cut + 1);
    if (stripExtension) {
        cut = name.rfind('.');
        if (cut != std::string::npos)
            name.erase(cut);
    }
    return name;
}

std::string RemoveSlashes(const std::string& path)
{
    std::string result;
    result.reserve(path.size());
    for (char c : path) {
        if (c != '/' && c != '\\')
            result.push_back(c);
    }
    return result;
}

void StripLineBreaks(std::wstring& text)
{
    for (int round = 0; round < kTextRounds; ++round) {
        bool removed = false;
        for (size_t i = 0; i + 1 < text.size(); ++i) {
            if (text[i] == L'^' && (text[i + 1] == L'n' || text[i + 1] == L'N')) {
                text.erase(i, 2);
                removed = true;
                break;
            }
        }
        const size_t newline = text.find(L'\n');
        if (newline != std::wstring::npos) {
            text.erase(newline, 1);
            removed = true;
        }
        if (!removed)
            return;
    }
}

void TrimSpacesAndBraces(std::wstring& text)
{
    int removed = 0;
    for (size_t i = 0; i < text.size() && IsSpaceOrBrace(text[i]) && removed < kTextRounds;) {
        if (text[i] == L' ') {
            text.erase(i, 1);
            ++removed;
        } else {
            ++i;
        }
    }
    removed = 0;
    for (size_t i = text.size(); i > 0 && IsSpaceOrBrace(text[i - 1]) && removed < kTextRounds;
         --i) {
        if (text[i - 1] == L' ') {
            text.erase(i - 1, 1);
            ++removed;
        }
    }
}

bool StringListsIntersect(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    for (const std::string& x : a) {
        for (const std::string& y : b) {
            if (x == y)
                return true;
        }
    }
    return false;
}

void AppendAllStrings(const std::vector<std::wstring>& strings, std::wstring& destination)
{
    for (const std::wstring& s : strings)
        destination += s;
}

std::string IntToString(int value)
{
    return Platform::IntToAscii(value, 10);
}

std::string FloatToStringPrecision(float value, int digits)
{
    return Platform::FormatSignificant(value, digits);
}

std::string FloatToString(float value)
{
    return FloatToStringPrecision(value, 6);
}

int ClampIndexToCount(int index, int count)
{
    const int64_t last = static_cast<int64_t>(count) - 1;
    return static_cast<int>(index < last ? index : last);
}

size_t Utf8CharacterLength(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto byte = [&text](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    uint32_t low = 0x80;
    uint32_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

size_t Utf8CutAt(std::string_view text, size_t at)
{
    size_t cut = std::min(at, text.size());
    for (int back = 0; back < 3 && cut > 0 && cut < text.size() &&
                       (static_cast<uint8_t>(text[cut]) & 0xC0) == 0x80;
         ++back)
        --cut;
    return cut;
}

} // namespace GAME
