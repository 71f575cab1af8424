#include "engine/LoadTable.h"

#include "core/StringHelpers.h"
#include "engine/Engine.h"

#include <algorithm>
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
template <typename T> T ValueAt(const std::vector<std::string>* values, size_t index, T fallback)
{
    if (values == nullptr || index >= values->size())
        return fallback;
    const std::string& text = (*values)[index];
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
template <typename T> void AllValues(const std::vector<std::string>* values, std::vector<T>& out)
{
    out.clear();
    if (values == nullptr)
        return;
    out.reserve(values->size());
    for (size_t i = 0; i < values->size(); ++i)
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

// A record's table is reserved for its lines, a key each at most, so that it grows once; within
// a bound, so that a text of blank lines costs no great empty table. memchr spares a fuzzing
// build a traced comparison per character.
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

} // namespace

bool LoadTable::Parse(std::string_view text, const std::string& sourceName)
{
    source = sourceName;
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    entries.reserve(CountLinesUpTo(text, kMostLinesReserved));
    bool clean = true;
    uint32_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        std::string_view line = TrimWhitespace(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line[0] == '#')
            continue;

        const size_t equals = line.find('=');
        const std::string_view key = equals == std::string_view::npos
                                         ? std::string_view()
                                         : TrimWhitespace(line.substr(0, equals));
        if (key.empty()) {
            gEngine->Log(Engine::LogData, "Record '%s' line %u: malformed entry skipped",
                         sourceName.c_str(), lineNumber);
            clean = false;
            continue;
        }
        std::string_view rest = line.substr(equals + 1);
        // Lists of a value per level run long: one allocation for them all.
        std::vector<std::string> values;
        values.reserve(static_cast<size_t>(std::count(rest.begin(), rest.end(), ';')) + 1);
        while (true) {
            const size_t semicolon = rest.find(';');
            values.emplace_back(TrimWhitespace(rest.substr(0, semicolon)));
            if (semicolon == std::string_view::npos)
                break;
            rest.remove_prefix(semicolon + 1);
        }
        // "a;b;" is two values, not three.
        while (values.size() > 1 && values.back().empty())
            values.pop_back();
        for (const std::string& value : values) {
            if (!IsNonFiniteNumber(value))
                continue;
            gEngine->Log(Engine::LogData,
                         "Record '%s' line %u: key '%.*s' value '%.32s' is not a finite number, "
                         "read as missing",
                         sourceName.c_str(), lineNumber, static_cast<int>(key.size()), key.data(),
                         value.c_str());
            clean = false;
        }
        if (!entries.try_emplace(std::string(key), std::move(values)).second) {
            gEngine->Log(Engine::LogData, "Record '%s' line %u: key '%.*s' repeated, first kept",
                         sourceName.c_str(), lineNumber, static_cast<int>(key.size()), key.data());
            clean = false;
        }
    }
    return clean;
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

const std::vector<std::string>* LoadTable::GetValues(const char* key) const
{
    if (key == nullptr)
        return nullptr;
    if (KeyWatch* watching = __atomic_load_n(&watch, __ATOMIC_ACQUIRE);
        watching != nullptr && std::this_thread::get_id() == watchingThread)
        watching->keys.emplace_back(key);
    auto found = entries.find(std::string_view(key));
    return found != entries.end() ? &found->second : nullptr;
}

bool LoadTable::HasKey(const char* key) const
{
    return GetValues(key) != nullptr;
}

bool LoadTable::HasKeyStartingWith(std::string_view prefix) const
{
    return std::any_of(entries.begin(), entries.end(),
                       [prefix](const auto& entry) { return entry.first.starts_with(prefix); });
}

size_t LoadTable::GetValueCount(const char* key) const
{
    const std::vector<std::string>* values = GetValues(key);
    return values != nullptr ? values->size() : 0;
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
    const std::vector<std::string>* values = GetValues(key);
    return values != nullptr && index < values->size() ? (*values)[index] : fallback;
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
    const std::vector<std::string>* values = GetValues(key);
    if (values != nullptr)
        out = *values;
    else
        out.clear();
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
