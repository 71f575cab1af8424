#include "engine/Database.h"

#include "engine/Engine.h"
#include "engine/FileSystem.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <utility>
#include <vector>

namespace GAME {

namespace {

const LoadTable& EmptyTable()
{
    static const LoadTable empty;
    return empty;
}

// ASCII folds by table: every look-up folds its path, and each comparison of a character costs
// a fuzzing build a traced call.
constexpr auto kFoldedAscii = [] {
    std::array<char, 128> folded{};
    for (int c = 0; c < 128; ++c)
        folded[c] = c == '/' ? '\\' : (c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c));
    return folded;
}();

char FoldPathChar(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 ? kFoldedAscii[byte] : static_cast<char>(std::tolower(byte));
}

// A path's key: the same as NormalizeFileNameLower followed by dropping the leading separators.
// Every look-up folds its path, and most only compare the key, so it is built on the stack
// unless the path is long; a key kept is copied from it.
class FoldedRecordKey {
public:
    explicit FoldedRecordKey(std::string_view path)
    {
        while (!path.empty() && (path.front() == '\\' || path.front() == '/'))
            path.remove_prefix(1);
        char* out = local;
        if (path.size() > sizeof(local)) {
            heap.resize(path.size());
            out = heap.data();
        }
        for (size_t i = 0; i < path.size(); ++i)
            out[i] = FoldPathChar(path[i]);
        key = std::string_view(out, path.size());
    }
    FoldedRecordKey(const FoldedRecordKey&) = delete;
    FoldedRecordKey& operator=(const FoldedRecordKey&) = delete;

    std::string_view Get() const { return key; }

private:
    char local[256];
    std::string heap;
    std::string_view key;
};

// Adds the folder's files and queues its sub-folders; false when it cannot be read.
template <typename Files>
bool ScanFolder(const std::filesystem::path& base, const std::filesystem::path& folder,
                std::vector<std::filesystem::path>& pending, Files& files)
{
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (const std::filesystem::directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code entryError;
        // Linked folders are not followed: a link back up the tree would never end.
        if (it->is_directory(entryError) && !it->is_symlink(entryError)) {
            pending.push_back(it->path());
        } else if (it->is_regular_file(entryError)) {
            const std::string relative = it->path().lexically_relative(base).generic_string();
            files.emplace(std::string(FoldedRecordKey(relative).Get()), it->path().string());
        }
    }
    return !error;
}

} // namespace

bool Database::SetRoot(const std::string& folder)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    root.clear();
    files.clear();
    tables.clear();
    tablesAsNamed.clear();
    failed.clear();
    memoryFiles.clear();
    marking = false;
    cachedSinceMark = false;
    scanned = false;
    recordPathsSorted = false;
    ++generation;
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error))
        return false;
    root = folder;
    return true;
}

void Database::Rescan()
{
    files.clear();
    recordPathsSorted = false;
    scanned = true;
    // Folder by folder from a list of those still to read: one folder is open at a time, however
    // deep the tree, and a folder that cannot be read costs only what lies below it.
    const std::filesystem::path base(root);
    std::vector<std::filesystem::path> pending{base};
    size_t unreadable = 0;
    std::string firstUnreadable;
    while (!pending.empty()) {
        const std::filesystem::path folder = std::move(pending.back());
        pending.pop_back();
        if (!ScanFolder(base, folder, pending, files) && unreadable++ == 0)
            firstUnreadable = folder.lexically_relative(base).generic_string();
    }
    if (unreadable > 0)
        gEngine->Log(Engine::LogData,
                     "Database folder '%s': cannot read %zu of its folders (the first: "
                     "'%.160s'); their files are missing",
                     root.c_str(), unreadable, firstUnreadable.c_str());
}

std::string Database::FindFile(std::string_view normalized)
{
    if (root.empty())
        return std::string();
    if (const auto found = files.find(normalized); found != files.end())
        return found->second;
    return WalkTo(normalized);
}

std::string Database::WalkTo(std::string_view normalized)
{
    // Folder by folder, each matched without regard to case as the scan matches: linked folders
    // are not followed, and only a regular file ends the way.
    std::filesystem::path at(root);
    for (size_t start = 0;;) {
        const size_t end = normalized.find('\\', start);
        const bool last = end == std::string_view::npos;
        const std::string_view part = normalized.substr(start, last ? end : end - start);
        bool found = false;
        std::error_code error;
        std::filesystem::directory_iterator it(at, error);
        for (const std::filesystem::directory_iterator done; !part.empty() && !error && it != done;
             it.increment(error)) {
            std::error_code entryError;
            if (FoldedRecordKey(it->path().filename().string()).Get() != part ||
                !(last ? it->is_regular_file(entryError)
                       : it->is_directory(entryError) && !it->is_symlink(entryError)))
                continue;
            at = it->path();
            found = true;
            break;
        }
        if (!found)
            return std::string();
        if (last)
            break;
        start = end + 1;
    }
    // A file the last scan did not see belongs in the sorted list too.
    recordPathsSorted = false;
    return files.emplace(std::string(normalized), at.string()).first->second;
}

const std::vector<std::string>& Database::GetSortedRecordPaths()
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (!root.empty() && !scanned)
        Rescan();
    if (!recordPathsSorted) {
        sortedRecordPaths.clear();
        for (const auto& [normalized, path] : files) {
            if (normalized.size() > 4 && normalized.compare(normalized.size() - 4, 4, ".dbr") == 0)
                sortedRecordPaths.push_back(normalized);
        }
        for (const auto& [normalized, bytes] : memoryFiles) {
            if (normalized.size() > 4 &&
                normalized.compare(normalized.size() - 4, 4, ".dbr") == 0 &&
                files.count(normalized) == 0)
                sortedRecordPaths.push_back(normalized);
        }
        std::sort(sortedRecordPaths.begin(), sortedRecordPaths.end());
        recordPathsSorted = true;
    }
    return sortedRecordPaths;
}

std::string Database::ResolvePath(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    return FindFile(FoldedRecordKey(path).Get());
}

bool Database::ReadFile(const std::string& path, std::string& bytes)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    return ReadNormalized(FoldedRecordKey(path).Get(), path, bytes);
}

bool Database::ReadNormalized(std::string_view normalized, const std::string& path,
                              std::string& bytes)
{
    if (const auto held = memoryFiles.find(normalized); held != memoryFiles.end()) {
        bytes = held->second;
        return true;
    }
    const std::string file = FindFile(normalized);
    if (file.empty())
        return false;
    const FileSystem::ReadResult result = FileSystem::ReadWholeFile(file, kMaxRecordBytes, bytes);
    if (result == FileSystem::ReadResult::TooLarge)
        gEngine->Log(Engine::LogData, "Database file '%s' is too large to read", path.c_str());
    return result == FileSystem::ReadResult::Done;
}

bool Database::LoadTableFile(const std::string& recordPath)
{
    return FindLoadTable(recordPath) != nullptr;
}

const LoadTable* Database::FindLoadTable(const std::string& recordPath)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    // Each spelling keeps its answer, a missing record's too: hostile records name many.
    if (const auto named = tablesAsNamed.find(recordPath); named != tablesAsNamed.end())
        return named->second.table;
    const FoldedRecordKey folded(recordPath);
    const std::string_view key = folded.Get();
    if (key.empty())
        return nullptr;
    const LoadTable* table = nullptr;
    if (const auto found = tables.find(key); found != tables.end()) {
        table = found->second.table.get();
    } else if (failed.count(key) == 0) {
        std::string bytes;
        // A record held in memory is parsed where it is held rather than from a copy.
        const auto held = memoryFiles.find(key);
        auto loaded = std::make_unique<LoadTable>();
        // A text refused as no record is as good as missing.
        if ((held != memoryFiles.end() || ReadNormalized(key, recordPath, bytes)) &&
            (loaded->Parse(held != memoryFiles.end() ? held->second : bytes, recordPath) ||
             !loaded->IsRefused())) {
            table = loaded.get();
            tables.emplace(std::string(key), CachedTable{std::move(loaded), marking});
        } else {
            failed.emplace(std::string(key), marking);
        }
    }
    cachedSinceMark |= marking;
    tablesAsNamed.emplace(recordPath, NamedTable{table, marking});
    return table;
}

const LoadTable* Database::FindCachedTable(const std::string& recordPath)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (const auto named = tablesAsNamed.find(recordPath); named != tablesAsNamed.end())
        return named->second.table;
    const auto found = tables.find(FoldedRecordKey(recordPath).Get());
    if (found == tables.end())
        return nullptr;
    cachedSinceMark |= marking;
    const LoadTable* table = found->second.table.get();
    tablesAsNamed.emplace(recordPath, NamedTable{table, marking});
    return table;
}

const LoadTable& Database::GetLoadTable(const std::string& recordPath)
{
    const LoadTable* table = FindCachedTable(recordPath);
    return table != nullptr ? *table : EmptyTable();
}

void Database::PutFile(const std::string& path, std::string bytes)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    const FoldedRecordKey key(path);
    Forget(key.Get());
    recordPathsSorted = false;
    if (const auto held = memoryFiles.find(key.Get()); held != memoryFiles.end())
        held->second = std::move(bytes);
    else
        memoryFiles.emplace(std::string(key.Get()), std::move(bytes));
}

void Database::RemoveFile(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    const FoldedRecordKey key(path);
    Forget(key.Get());
    recordPathsSorted = false;
    if (const auto held = memoryFiles.find(key.Get()); held != memoryFiles.end())
        memoryFiles.erase(held);
}

void Database::Forget(std::string_view normalized)
{
    const auto found = tables.find(normalized);
    // Spellings are kept only for paths asked, loaded or not.
    if (found == tables.end() && failed.count(normalized) == 0)
        return;
    const LoadTable* table = found != tables.end() ? found->second.table.get() : nullptr;
    std::erase_if(tablesAsNamed, [&](const auto& named) {
        return named.second.table != nullptr ? named.second.table == table
                                             : FoldedRecordKey(named.first).Get() == normalized;
    });
    if (const auto gone = failed.find(normalized); gone != failed.end())
        failed.erase(gone);
    // Holders of a dropped table find out by the generation.
    if (found != tables.end()) {
        tables.erase(found);
        ++generation;
    }
}

void Database::MarkCached()
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    marking = true;
    cachedSinceMark = false;
    for (auto& [key, cached] : tables)
        cached.sinceMark = false;
    for (auto& [spelling, named] : tablesAsNamed)
        named.sinceMark = false;
    for (auto& [key, sinceMark] : failed)
        sinceMark = false;
}

void Database::ForgetSinceMark()
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (!cachedSinceMark)
        return;
    cachedSinceMark = false;
    std::erase_if(tablesAsNamed, [](const auto& named) { return named.second.sinceMark; });
    std::erase_if(failed, [](const auto& entry) { return entry.second; });
    if (std::erase_if(tables, [](const auto& cached) { return cached.second.sinceMark; }) != 0)
        ++generation;
}

} // namespace GAME
