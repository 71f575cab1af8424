#pragma once

#include "engine/Engine.h"
#include "engine/ObjectManager.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include <unistd.h>

namespace GAME {

using FuzzRecords = std::vector<std::pair<std::string, std::string>>;

// An input of several records, each after a line "@@ <record path>"; the text before the first
// header is the record at `first`. Paths stay inside the scratch folder: an empty, absolute or
// climbing path, a long one, or any past `most` records, becomes `badPrefix` and its number.
inline FuzzRecords SplitRecords(std::string_view input, const std::string& first,
                                const std::string& badPrefix, size_t most)
{
    constexpr std::string_view kHeader = "@@ ";
    FuzzRecords records = {{first, ""}};
    while (!input.empty()) {
        const size_t end = input.find('\n');
        const std::string_view line = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        if (line.substr(0, kHeader.size()) == kHeader) {
            std::string path(line.substr(kHeader.size()));
            if (path.empty() || path.find("..") != std::string::npos || path.front() == '/' ||
                path.size() > 100 || records.size() > most)
                path = badPrefix + std::to_string(records.size()) + ".dbr";
            records.emplace_back(std::move(path), "");
        } else {
            records.back().second.append(line).push_back('\n');
        }
    }
    return records;
}

// The records written afresh under the folder, which becomes the database's root: the previous
// input's cached records are forgotten.
inline void WriteRecords(const std::filesystem::path& folder, const FuzzRecords& records)
{
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    for (const auto& [path, text] : records) {
        const std::filesystem::path file = folder / path;
        std::filesystem::create_directories(file.parent_path(), error);
        std::ofstream(file, std::ios::binary) << text;
    }
    ObjectManager::Instance().GetDatabase().SetRoot(folder.string());
}

// The input's records (see SplitRecords) written under the folder for `use`, which gets them,
// and the folder removed again afterwards, with the engine's log silenced for the whole run. An
// input past 64 KiB is passed over.
template <class Use>
void WithFuzzRecords(const uint8_t* data, size_t size, const std::string& first,
                     const std::string& badPrefix, const std::filesystem::path& folder, Use&& use)
{
    static const bool quiet = [] {
        gEngine->SetLogSink([](int, const std::string&) {});
        return true;
    }();
    (void)quiet;
    if (size > 64 * 1024)
        return;
    const FuzzRecords records = SplitRecords(
        std::string_view(reinterpret_cast<const char*>(data), size), first, badPrefix, 32);
    WriteRecords(folder, records);
    use(records);
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}

// A folder of its own, made once for the run under the system's temporary folder, holding the
// given records; the process ends when it cannot be made.
inline std::string MakeRecordFolder(const char* name, const FuzzRecords& records)
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr)
        abort();
    for (const auto& [record, text] : records) {
        const std::filesystem::path path = std::filesystem::path(pattern) / record;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    return pattern;
}

} // namespace GAME
