#pragma once

#include "engine/Name.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace GAME {

// One database record: keys, each with one or more values. Every getter takes the caller's
// default for an absent key or a value that is not of the asked kind, so a record never has to
// hold every key.
class LoadTable {
public:
    LoadTable() = default;

    // Parses record text ("key = value;value", '#' comments). Each malformed line is reported
    // once through the engine log with `sourceName` and its line number, and skipped. A text
    // with more faults than `kMostFaults` (lines without a key, keys repeated, each value not
    // finite) is no record: it is refused in one line, the table left as it was, and `IsRefused`
    // says so.
    bool Parse(std::string_view text, const std::string& sourceName);
    static constexpr size_t kMostFaults = 100;
    bool IsRefused() const { return refused; }
    // Where the record came from, for log lines about its values.
    const std::string& GetSourceName() const { return source; }

    bool HasKey(const char* key) const;
    // Whether any key starts with `prefix`: a walk over the keys, for a caller about to ask
    // many keys of one family that most records lack.
    bool HasKeyStartingWith(std::string_view prefix) const;
    size_t GetKeyCount() const { return entries.size(); }
    size_t GetValueCount(const char* key) const;

    std::string GetString(const char* key, const std::string& fallback = "") const;
    int32_t GetInt(const char* key, int32_t fallback = 0) const;
    float GetFloat(const char* key, float fallback = 0.0f) const;
    bool GetBool(const char* key, bool fallback = false) const;
    Name CreateName(const char* key) const;

    // One value of a list; an index past the end answers the fallback.
    std::string GetStringAt(const char* key, size_t index, const std::string& fallback = "") const;
    int32_t GetIntAt(const char* key, size_t index, int32_t fallback = 0) const;
    float GetFloatAt(const char* key, size_t index, float fallback = 0.0f) const;

    // Replace the list's contents; an absent key leaves it empty. Values that are not numbers
    // read as 0 so that per-level lists keep their positions.
    void GetStringList(const char* key, std::vector<std::string>& out) const;
    void GetIntList(const char* key, std::vector<int32_t>& out) const;
    void GetFloatList(const char* key, std::vector<float>& out) const;

    // The values of one key in record order, as views into the table (each followed by a NUL);
    // empty when the key is absent, since a key present holds at least one value.
    class Values {
    public:
        size_t size() const { return count; }
        bool empty() const { return count == 0; }
        std::string_view operator[](size_t index) const
        {
            return {text + first[index].offset, first[index].length};
        }
        std::string_view front() const { return (*this)[0]; }

    private:
        friend class LoadTable;
        struct Piece {
            uint32_t offset;
            uint32_t length;
        };
        const char* text = nullptr;
        const Piece* first = nullptr;
        size_t count = 0;
    };
    Values GetValues(const char* key) const;
    // Calls `visit` with each of the record's keys, in record order; each view is followed by a
    // NUL.
    template <typename Visit> void ForEachKey(Visit visit) const
    {
        for (const Entry& entry : entries)
            visit(std::string_view(text.data() + entry.key.offset, entry.key.length));
    }

    // Notes every key that this thread asks of any record while it lives, one watch at a time:
    // the record key index learns a loader's keys so.
    class KeyWatch {
    public:
        KeyWatch();
        ~KeyWatch();
        KeyWatch(const KeyWatch&) = delete;
        KeyWatch& operator=(const KeyWatch&) = delete;
        const std::vector<std::string>& GetKeys() const { return keys; }

    private:
        friend class LoadTable;
        std::vector<std::string> keys;
    };

    // Numeric conversions shared by the getters: saturating, and false when the text is not a
    // number at all.
    static bool ParseInt(std::string_view text, int32_t& value);
    static bool ParseFloat(std::string_view text, float& value);
    static bool ParseBool(std::string_view text, bool& value);

private:
    using Piece = Values::Piece;
    struct Entry {
        Piece key;
        uint32_t firstValue;
        uint32_t valueCount;
    };
    // Appends the text and a NUL to `text`; returns where it went.
    Piece Keep(std::string_view piece);
    std::string_view KeyOf(const Entry& entry) const
    {
        return {text.data() + entry.key.offset, entry.key.length};
    }
    // The slot of `slots` that holds the key's entry, or the empty slot where it would go.
    size_t SlotOf(std::string_view key) const;
    void Rehash(size_t count);
    struct Fault;
    // Reads one line that is neither blank nor a comment into the table, adding its faults.
    void ParseLine(std::string_view line, uint32_t lineNumber, std::vector<Fault>& faults);
    // Logs the faults one line each, or past the bound only the refusal.
    bool TellFaults(const std::vector<Fault>& faults) const;

    // A record is read once and asked often: its keys and values live in one text, each once,
    // the entries in record order, and an open-addressed index of entry numbers (0 is empty,
    // else the entry's number plus one) finds a key. A parsed record is four allocations
    // rather than several for every key, and copying a table keeps it whole.
    std::string text;
    std::vector<Piece> values;
    std::vector<Entry> entries;
    std::vector<uint32_t> slots;
    std::string source;
    bool refused = false;
};

} // namespace GAME
