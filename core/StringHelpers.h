#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace GAME {

// Record paths: lower case with backslashes, compared without regard to case or slash direction.
void NormalizeFileNameLower(std::string& path);
std::string NormalizeFileName(const std::string& path);
void ConvertToBackslashes(std::string& path);
void ConvertToForwardSlashes(std::string& path);
void ToLowerCopy(const std::string& source, std::string& destination);
bool FileNameEquals(const std::string& a, const std::string& b);
bool FileNameEqualsCString(const char* a, const char* b);
std::string GetFileNameFromPath(const std::string& path, bool stripExtension);
std::string RemoveSlashes(const std::string& path);

// The length of the well-formed UTF-8 character that starts `text`, 0 when it is none (empty, a
// stray or missing continuation byte, an overlong form, a surrogate, past U+10FFFF).
size_t Utf8CharacterLength(std::string_view text);
// At most `at` bytes of `text`, fewer where the cut would split a character: the bytes that
// continue one (up to the three a character has) go back with it.
size_t Utf8CutAt(std::string_view text, size_t at);

// The text without leading and trailing blanks, tabs and line ends.
std::string_view TrimWhitespace(std::string_view text);

// Display text. Both stop after 50 rounds, so pathological text is left partly untouched.
void StripLineBreaks(std::wstring& text);
void TrimSpacesAndBraces(std::wstring& text);

bool StringListsIntersect(const std::vector<std::string>& a, const std::vector<std::string>& b);
void AppendAllStrings(const std::vector<std::wstring>& strings, std::wstring& destination);

std::string IntToString(int value);
std::string FloatToStringPrecision(float value, int digits);
std::string FloatToString(float value);

// min(index, count - 1): with a count of 0 the answer is -1, which callers treat as "none".
int ClampIndexToCount(int index, int count);

// Hashes a string and a view of one alike, so that a map keyed by strings is searched by a view
// without a string made for it (with std::equal_to<>).
struct StringViewHash {
    using is_transparent = void;
    size_t operator()(std::string_view key) const { return std::hash<std::string_view>()(key); }
};

} // namespace GAME
