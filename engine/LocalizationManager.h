#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace GAME {

class Database;

// Display text by tag. A text file of the database holds one "tag = text" per line ('#'
// starts a comment); texts are format strings whose arguments the caller passes. An unknown tag
// formats as the tag followed by its arguments, so missing text is visible and testable.
class LocalizationManager {
public:
    // One argument of `Format`, whatever its kind. A text argument refers to the caller's text
    // rather than copying it, so an Arg lives only within the call it is written in.
    class Arg {
    public:
        enum Kind { Int, Unsigned, Real, Narrow, Wide };
        Arg(int v) : kind(Int), integer(v) {}
        Arg(long v) : kind(Int), integer(v) {}
        Arg(long long v) : kind(Int), integer(v) {}
        Arg(unsigned v) : kind(Unsigned), whole(v) {}
        Arg(unsigned long v) : kind(Unsigned), whole(v) {}
        Arg(unsigned long long v) : kind(Unsigned), whole(v) {}
        Arg(double v) : kind(Real), real(v) {}
        Arg(const char* v) : kind(Narrow), narrow(v != nullptr ? v : "") {}
        Arg(const std::string& v) : kind(Narrow), narrow(v) {}
        Arg(const wchar_t* v) : kind(Wide), wide(v != nullptr ? v : L"") {}
        Arg(const std::wstring& v) : kind(Wide), wide(v) {}

        Kind kind;
        int64_t integer = 0;
        uint64_t whole = 0;
        double real = 0.0;
        std::string_view narrow;
        std::wstring_view wide;
    };

    // Texts come from modders: a field width or precision beyond these would cost seconds and
    // gigabytes for one line, while real texts pad a few columns and show a few decimals. 17
    // digits already show every digit a double holds.
    static constexpr int kMaxFieldWidth = 32;
    static constexpr int kMaxPrecision = 17;

    static LocalizationManager& Instance();

    // Adds the tags of a text file of the database; a tag already known keeps its text.
    bool LoadFile(Database& database, const std::string& path);
    // The same for the file's text in hand; `sourceName` names it in log lines.
    void LoadText(std::string_view text, const std::string& sourceName);
    void AddText(const std::string& tag, const std::wstring& text);
    void Clear();

    bool HasTag(const std::string& tag) const;
    // Every tag known, sorted.
    std::vector<std::string> GetTags() const;
    // The tag's text with the arguments put in place of its %d, %i, %u, %x, %f (with width and
    // precision), %s, %ls, %S and %% codes. Codes beyond the arguments stay as written. Widths
    // and precisions beyond the limits above are clamped (a loaded entry that asks for more is
    // logged once, when it is loaded).
    std::wstring Format(std::string_view tag, std::initializer_list<Arg> args = {}) const;
    template <typename... Args> std::wstring Format(std::string_view tag, const Args&... args) const
    {
        return Format(tag, {Arg(args)...});
    }

    // UTF-8 to wide text; bytes that are not UTF-8 become U+FFFD.
    static std::wstring ToWChar(std::string_view text);
    // Wide text to UTF-8.
    static std::string ToChar(const std::wstring& text);

private:
    // Tags are looked up as the caller holds them, without a string made per call.
    struct TagHash {
        using is_transparent = void;
        size_t operator()(std::string_view tag) const { return std::hash<std::string_view>()(tag); }
    };
    std::unordered_map<std::string, std::wstring, TagHash, std::equal_to<>> texts;
};

} // namespace GAME
