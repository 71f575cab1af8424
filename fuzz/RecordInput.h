#pragma once

#include "engine/Database.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace GAME {

using FuzzRecords = std::vector<std::pair<std::string, std::string>>;

// An input of several records, each after a line "@@ <record path>"; the text before the first
// header is the record at `first`. An empty, absolute, climbing or long path, or any past `most`
// records, becomes `badPrefix` and its number.
inline FuzzRecords SplitRecords(std::string_view input, const std::string& first,
                                const std::string& badPrefix, size_t most)
{
    constexpr std::string_view kHeader = "@@ ";
    FuzzRecords records = {{first, ""}};
    // A record's text is the span of its lines, each ended by a line break: one copy each.
    auto close = [&](std::string_view text) {
        std::string& into = records.back().second;
        into.reserve(text.size() + 1);
        into.assign(text);
        if (!text.empty() && text.back() != '\n')
            into.push_back('\n');
    };
    size_t start = 0;
    for (size_t at = 0; at < input.size();) {
        const size_t end = input.find('\n', at);
        const std::string_view line =
            input.substr(at, end == std::string_view::npos ? end : end - at);
        const size_t next = end == std::string_view::npos ? input.size() : end + 1;
        if (line.substr(0, kHeader.size()) == kHeader) {
            close(input.substr(start, at - start));
            std::string path(line.substr(kHeader.size()));
            if (path.empty() || path.find("..") != std::string::npos || path.front() == '/' ||
                path.size() > 100 || records.size() > most)
                path = badPrefix + std::to_string(records.size()) + ".dbr";
            records.emplace_back(std::move(path), "");
            start = next;
        }
        at = next;
    }
    close(input.substr(start));
    return records;
}

// The run's own records, held in memory by the database and read once: they outlast every
// input, while whatever an input caches besides goes again with `ForgetInputRecords`. The
// database has no folder, so a record nobody holds is missing at once.
inline void HoldRunRecords(const FuzzRecords& records)
{
    Database& database = ObjectManager::Instance().GetDatabase();
    for (const auto& [path, text] : records) {
        database.PutFile(path, text);
        database.LoadTableFile(path);
    }
    database.MarkCached();
}

// The input's records, held in memory for this input.
inline void PutInputRecords(const FuzzRecords& records)
{
    Database& database = ObjectManager::Instance().GetDatabase();
    for (const auto& [path, text] : records)
        database.PutFile(path, text);
}

// The input's records gone again, and every record cached since the run's own: the next input
// starts from the same database, and libFuzzer's leak check finds nothing left to look into.
inline void ForgetInputRecords(const FuzzRecords& records)
{
    Database& database = ObjectManager::Instance().GetDatabase();
    database.ForgetSinceMark();
    for (const auto& [path, text] : records)
        database.RemoveFile(path);
}

// The engine's log silenced for the whole run.
inline void QuietLog()
{
    static const bool quiet = [] {
        gEngine->SetLogSink([](int, const std::string&) {});
        return true;
    }();
    (void)quiet;
}

// The input's records (see SplitRecords) held for `use`, which gets them, and forgotten again
// afterwards, with the engine's log silenced for the whole run. An input past 64 KiB is passed
// over.
template <class Use>
void WithFuzzRecords(const uint8_t* data, size_t size, const std::string& first,
                     const std::string& badPrefix, Use&& use, size_t most = 32)
{
    QuietLog();
    static const bool marked = (HoldRunRecords({}), true);
    (void)marked;
    if (size > 64 * 1024)
        return;
    const FuzzRecords records = SplitRecords(
        std::string_view(reinterpret_cast<const char*>(data), size), first, badPrefix, most);
    PutInputRecords(records);
    use(records);
    ForgetInputRecords(records);
}

} // namespace GAME
