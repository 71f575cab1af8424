#include "engine/LoadTable.h"

#include "core/StringHelpers.h"
#include "engine/Engine.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>
#include <type_traits>

namespace GAME {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] - 'A' + 'a') : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] - 'A' + 'a') : b[i];
        if (x != y)
            return false;
    }
    return true;
}

// The watch of the one thread that watches, if any. Every look-up of every thread checks it, so
// it is read with the compiler's atomic built-in, which costs no call even unoptimised, rather
// than kept per thread, which costs one in a library.
LoadTable::KeyWatch* watch = nullptr;
std::thread::id watchingThread;

std::string_view SkipPlus(std::string_view text)
{
    return !text.empty() && text[0] == '+' ? text.substr(1) : text;
}

// The value at `index` read as a T; `fallback` when there is none or it is not a T.
template <typename T> T ValueAt(const LoadTable::Values& values, size_t index, T fallback)
{
    if (index >= values.size())
        return fallback;
    const std::string_view text = values[index];
    T value = fallback;
    bool parsed = false;
    if constexpr (std::is_same_v<T, bool>)
        parsed = LoadTable::ParseBool(text, value);
    else if constexpr (std::is_same_v<T, int32_t>)
        parsed = LoadTable::ParseInt(text, value);
    else
        parsed = LoadTable::ParseFloat(text, value);
    return parsed ? value : fallback;
}

// Every value read as a T, 0 in place of one that is not, so that positions are kept.
template <typename T> void AllValues(const LoadTable::Values& values, std::vector<T>& out)
{
    out.clear();
    out.reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i)
        out.push_back(ValueAt(values, i, T()));
}

// "nan", "inf" and their kin read as numbers, but no game value can be one.
bool IsNonFiniteNumber(std::string_view text)
{
    text = SkipPlus(text);
    double real = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), real);
    return error == std::errc() && end == text.data() + text.size() && !std::isfinite(real);
}

// A record's entries are reserved for its lines, a key each at most, so that they grow once;
// within a bound, so that a text of blank lines costs no great empty table. memchr spares a
// fuzzing build a traced comparison per character.
constexpr size_t kMostLinesReserved = 512;

size_t CountLinesUpTo(std::string_view text, size_t most)
{
    size_t lines = 1;
    const char* at = text.data();
    const char* const end = at + text.size();
    while (lines < most && at != end) {
        const void* newline = std::memchr(at, '\n', static_cast<size_t>(end - at));
        if (newline == nullptr)
            break;
        at = static_cast<const char*>(newline) + 1;
        ++lines;
    }
    return lines;
}

// Offsets into a table's text are 32 bits: a record is never near this.
constexpr size_t kLargestText = UINT32_MAX / 2;

} // namespace

LoadTable::Piece LoadTable::Keep(std::string_view piece)
{
    const Piece kept{static_cast<uint32_t>(text.size()), static_cast<uint32_t>(piece.size())};
    text.append(piece);
    text.push_back('\0');
    return kept;
}

size_t LoadTable::SlotOf(std::string_view key) const
{
    const size_t mask = slots.size() - 1;
    size_t slot = std::hash<std::string_view>()(key) & mask;
    while (slots[slot] != 0 && KeyOf(entries[slots[slot] - 1]) != key)
        slot = (slot + 1) & mask;
    return slot;
}

void LoadTable::Rehash(size_t count)
{
    slots.assign(count, 0);
    for (size_t entry = 0; entry < entries.size(); ++entry)
        slots[SlotOf(KeyOf(entries[entry]))] = static_cast<uint32_t>(entry + 1);
}

// A fault is told only once the whole text is read: a text with too many is refused in one line
// instead. The views point into the text being parsed.
struct LoadTable::Fault {
    enum Kind { Malformed, NotFinite, Repeated } kind;
    uint32_t line;
    std::string_view key;
    std::string_view value;
};

bool LoadTable::Parse(std::string_view input, const std::string& sourceName)
{
    source = sourceName;
    refused = false;
    if (input.size() >= 3 && input.substr(0, 3) == "\xEF\xBB\xBF")
        input.remove_prefix(3);
    if (input.size() > kLargestText - text.size()) {
        gEngine->Log(Engine::LogData, "Record '%s' is %zu bytes, too long to read",
                     sourceName.c_str(), input.size());
        return false;
    }
    const size_t textBefore = text.size();
    const size_t entriesBefore = entries.size();
    const size_t valuesBefore = values.size();
    // Each key and value trimmed, with a NUL, takes no more room than its text and separator
    // did, but for the last of a line.
    const size_t lines = CountLinesUpTo(input, kMostLinesReserved);
    text.reserve(text.size() + input.size() + lines);
    entries.reserve(entries.size() + lines);
    values.reserve(values.size() + lines);
    if (slots.size() < 2 * entries.capacity())
        Rehash(std::bit_ceil(std::max<size_t>(8, 2 * entries.capacity())));
    std::vector<Fault> faults;
    uint32_t lineNumber = 0;
    while (!input.empty() && faults.size() <= kMostFaults) {
        ++lineNumber;
        const size_t end = input.find('\n');
        const std::string_view line = TrimWhitespace(input.substr(0, end));
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        if (!line.empty() && line[0] != '#')
            ParseLine(line, lineNumber, faults);
    }
    if (TellFaults(faults))
        return faults.empty();
    text.resize(textBefore);
    entries.resize(entriesBefore);
    values.resize(valuesBefore);
    Rehash(slots.size());
    refused = true;
    return false;
}

void LoadTable::ParseLine(std::string_view line, uint32_t lineNumber, std::vector<Fault>& faults)
{
    const size_t equals = line.find('=');
    const std::string_view key = equals == std::string_view::npos
                                     ? std::string_view()
                                     : TrimWhitespace(line.substr(0, equals));
    if (key.empty()) {
        faults.push_back({Fault::Malformed, lineNumber, {}, {}});
        return;
    }
    // The first of a repeated key is kept: the later line's values are only checked.
    const size_t slot = SlotOf(key);
    const bool repeated = slots[slot] != 0;
    if (repeated)
        faults.push_back({Fault::Repeated, lineNumber, key, {}});
    const Piece keyPiece = repeated ? Piece{} : Keep(key);
    const size_t first = values.size();
    std::string_view rest = line.substr(equals + 1);
    // Past the bound the text is refused whole, so the rest of a line of faults is not read:
    // what one line costs stays within a few times its length.
    while (faults.size() <= kMostFaults) {
        const size_t semicolon = rest.find(';');
        const std::string_view value = TrimWhitespace(rest.substr(0, semicolon));
        if (!repeated)
            values.push_back(Keep(value));
        if (IsNonFiniteNumber(value))
            faults.push_back({Fault::NotFinite, lineNumber, key, value});
        if (semicolon == std::string_view::npos)
            break;
        rest.remove_prefix(semicolon + 1);
    }
    if (repeated)
        return;
    // "a;b;" is two values, not three.
    while (values.size() - first > 1 && values.back().length == 0) {
        text.resize(values.back().offset);
        values.pop_back();
    }
    entries.push_back(
        {keyPiece, static_cast<uint32_t>(first), static_cast<uint32_t>(values.size() - first)});
    slots[slot] = static_cast<uint32_t>(entries.size());
    if (2 * entries.size() > slots.size())
        Rehash(2 * slots.size());
}

bool LoadTable::TellFaults(const std::vector<Fault>& faults) const
{
    if (faults.size() > kMostFaults) {
        gEngine->Log(Engine::LogData,
                     "Record '%s': more than %zu faults (lines without a key, repeated keys, "
                     "values not finite), the first at line %u; refused",
                     source.c_str(), kMostFaults, faults.front().line);
        return false;
    }
    for (const Fault& fault : faults) {
        const int keyLength = static_cast<int>(fault.key.size());
        if (fault.kind == Fault::Malformed)
            gEngine->Log(Engine::LogData, "Record '%s' line %u: malformed entry skipped",
                         source.c_str(), fault.line);
        else if (fault.kind == Fault::Repeated)
            gEngine->Log(Engine::LogData, "Record '%s' line %u: key '%.*s' repeated, first kept",
                         source.c_str(), fault.line, keyLength, fault.key.data());
        else
            gEngine->Log(Engine::LogData,
                         "Record '%s' line %u: key '%.*s' value '%.*s' is not a finite number, "
                         "read as missing",
                         source.c_str(), fault.line, keyLength, fault.key.data(),
                         static_cast<int>(std::min<size_t>(fault.value.size(), 32)),
                         fault.value.data());
    }
    return true;
}

LoadTable::KeyWatch::KeyWatch()
{
    watchingThread = std::this_thread::get_id();
    __atomic_store_n(&watch, this, __ATOMIC_RELEASE);
}

LoadTable::KeyWatch::~KeyWatch()
{
    __atomic_store_n(&watch, nullptr, __ATOMIC_RELEASE);
}

LoadTable::Values LoadTable::GetValues(const char* key) const
{
    if (key == nullptr)
        return {};
    if (KeyWatch* watching = __atomic_load_n(&watch, __ATOMIC_ACQUIRE);
        watching != nullptr && std::this_thread::get_id() == watchingThread)
        watching->keys.emplace_back(key);
    if (slots.empty())
        return {};
    const uint32_t found = slots[SlotOf(key)];
    if (found == 0)
        return {};
    const Entry& entry = entries[found - 1];
    Values answer;
    answer.text = text.data();
    answer.first = values.data() + entry.firstValue;
    answer.count = entry.valueCount;
    return answer;
}

bool LoadTable::HasKey(const char* key) const
{
    return !GetValues(key).empty();
}

bool LoadTable::HasKeyStartingWith(std::string_view prefix) const
{
    return std::any_of(entries.begin(), entries.end(),
                       [&](const Entry& entry) { return KeyOf(entry).starts_with(prefix); });
}

size_t LoadTable::GetValueCount(const char* key) const
{
    return GetValues(key).size();
}

std::string LoadTable::GetString(const char* key, const std::string& fallback) const
{
    return GetStringAt(key, 0, fallback);
}

int32_t LoadTable::GetInt(const char* key, int32_t fallback) const
{
    return GetIntAt(key, 0, fallback);
}

float LoadTable::GetFloat(const char* key, float fallback) const
{
    return GetFloatAt(key, 0, fallback);
}

bool LoadTable::GetBool(const char* key, bool fallback) const
{
    return ValueAt(GetValues(key), 0, fallback);
}

Name LoadTable::CreateName(const char* key) const
{
    return Name::Create(GetString(key));
}

std::string LoadTable::GetStringAt(const char* key, size_t index, const std::string& fallback) const
{
    const Values found = GetValues(key);
    return index < found.size() ? std::string(found[index]) : fallback;
}

int32_t LoadTable::GetIntAt(const char* key, size_t index, int32_t fallback) const
{
    return ValueAt(GetValues(key), index, fallback);
}

float LoadTable::GetFloatAt(const char* key, size_t index, float fallback) const
{
    return ValueAt(GetValues(key), index, fallback);
}

void LoadTable::GetStringList(const char* key, std::vector<std::string>& out) const
{
    const Values found = GetValues(key);
    out.clear();
    out.reserve(found.size());
    for (size_t i = 0; i < found.size(); ++i)
        out.emplace_back(found[i]);
}

void LoadTable::GetIntList(const char* key, std::vector<int32_t>& out) const
{
    AllValues(GetValues(key), out);
}

void LoadTable::GetFloatList(const char* key, std::vector<float>& out) const
{
    AllValues(GetValues(key), out);
}

bool LoadTable::ParseInt(std::string_view text, int32_t& value)
{
    text = SkipPlus(text);
    int64_t whole = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), whole);
    if (error == std::errc() && end == text.data() + text.size()) {
        value = static_cast<int32_t>(whole < INT32_MIN ? INT32_MIN
                                                       : (whole > INT32_MAX ? INT32_MAX : whole));
        return true;
    }
    if (error == std::errc::result_out_of_range && end == text.data() + text.size()) {
        value = text[0] == '-' ? INT32_MIN : INT32_MAX;
        return true;
    }
    // "12.5" in an integer field truncates toward zero, saturating.
    float checked = 0.0f;
    if (!ParseFloat(text, checked))
        return false;
    // Truncate the text's own double, not the float: a float keeps only 24 bits of the digits.
    double real = checked;
    std::from_chars(text.data(), text.data() + text.size(), real);
    if (real <= static_cast<double>(INT32_MIN))
        value = INT32_MIN;
    else if (real >= static_cast<double>(INT32_MAX))
        value = INT32_MAX;
    else
        value = static_cast<int32_t>(real);
    return true;
}

bool LoadTable::ParseFloat(std::string_view text, float& value)
{
    text = SkipPlus(text);
    if (text.empty())
        return false;
    double real = 0.0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), real);
    if (end != text.data() + text.size())
        return false;
    if (error == std::errc::result_out_of_range) {
        // Too large saturates; too small is zero.
        const bool negative = text[0] == '-';
        const bool tiny = text.find_first_of("eE") != std::string_view::npos &&
                          text.find('-', text.find_first_of("eE")) != std::string_view::npos;
        value = tiny ? 0.0f
                     : (negative ? -std::numeric_limits<float>::max()
                                 : std::numeric_limits<float>::max());
        return true;
    }
    if (error != std::errc() || !std::isfinite(real))
        return false;
    const double limit = std::numeric_limits<float>::max();
    value = static_cast<float>(real > limit ? limit : (real < -limit ? -limit : real));
    return true;
}

bool LoadTable::ParseBool(std::string_view text, bool& value)
{
    if (text == "1" || EqualsIgnoringCase(text, "true")) {
        value = true;
        return true;
    }
    if (text == "0" || EqualsIgnoringCase(text, "false")) {
        value = false;
        return true;
    }
    int32_t number = 0;
    if (!ParseInt(text, number))
        return false;
    value = number != 0;
    return true;
}

} // namespace GAME
