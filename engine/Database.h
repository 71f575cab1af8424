#pragma once

#include "core/StringHelpers.h"

#include "engine/LoadTable.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace GAME {

// The game database: record files under one root folder, named by paths such as
// "Records/Game/GameEngine.dbr" that compare without regard to case or slash direction.
// Each record is read once and kept.
class Database {
public:
    // Records larger than this are refused rather than read.
    static constexpr size_t kMaxRecordBytes = 64u << 20;

    Database() = default;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Forgets every cached record and every file held in memory. False when the folder does not
    // exist or cannot be read. Records are found by their own paths; only the sorted list of
    // every record scans the whole tree, once.
    bool SetRoot(const std::string& folder);
    const std::string& GetRoot() const { return root; }
    bool HasRoot() const { return !root.empty(); }
    // Changes whenever cached tables are dropped, so a holder of a table can tell it went stale.
    uint32_t GetGeneration() const { return generation; }

    // Loads the record unless it is cached; false when it is missing or unreadable. A path that
    // failed stays failed until the next `SetRoot`, so a missing record costs one folder scan.
    bool LoadTableFile(const std::string& recordPath);
    // The same, answering the loaded record (null when it did not load): one look-up where the
    // pair LoadTableFile, GetLoadTable takes two.
    const LoadTable* FindLoadTable(const std::string& recordPath);
    // The loaded record, or an empty table for a path that did not load.
    const LoadTable& GetLoadTable(const std::string& recordPath);

    // The file's bytes, found the same way as records; false when missing or unreadable.
    bool ReadFile(const std::string& path, std::string& bytes);
    // The normalised paths of every record (".dbr") file, sorted; the machines of one game hold
    // the same database, so a path's position names it on the wire.
    const std::vector<std::string>& GetSortedRecordPaths();
    // The file-system path of a database file, or empty (as for a file held in memory).
    std::string ResolvePath(const std::string& path);

    // Holds the file's bytes in memory, ahead of a file of the same path under the root, for
    // tools that make records as they go (the fuzzers); given again, the bytes are replaced.
    // The path's cached table and failed look-up are dropped either way.
    void PutFile(const std::string& path, std::string bytes);
    // Forgets a file held in memory, with its cached table.
    void RemoveFile(const std::string& path);
    // What is cached now lasts; `ForgetSinceMark` drops what was cached after it (tables, the
    // spellings that found them, failed look-ups), so that each of many short uses of one
    // database ends with the cache it started with.
    void MarkCached();
    void ForgetSinceMark();

private:
    // Lists every regular file under the root; folders that cannot be read are logged.
    void Rescan();
    // A file seen already, else one found by its own path: one folder listed for each of its
    // parts, never the whole tree. A file written since is found so, and a root that lacks the
    // path's first folder (no database at all) answers at once.
    std::string FindFile(std::string_view normalized);
    std::string WalkTo(std::string_view normalized);
    // A record already loaded, or null; loads nothing.
    const LoadTable* FindCachedTable(const std::string& recordPath);
    bool ReadNormalized(std::string_view normalized, const std::string& path, std::string& bytes);
    // Drops the cached table of the normalised path, its spellings and its failed look-up.
    void Forget(std::string_view normalized);

    // Each cache entry knows whether it came after `MarkCached`: a short use that caches a
    // handful of records then forgets them without copying their paths aside.
    struct CachedTable {
        std::unique_ptr<LoadTable> table;
        bool sinceMark = false;
    };
    struct NamedTable {
        const LoadTable* table = nullptr;
        bool sinceMark = false;
    };

    // Normalised keys are looked up by a folded view, without a string made for each.
    template <typename Value>
    using KeyMap = std::unordered_map<std::string, Value, StringViewHash, std::equal_to<>>;

    std::recursive_mutex lock;
    std::string root;
    KeyMap<std::string> files; // normalized path -> file-system path
    KeyMap<CachedTable> tables;
    // Loaded records by the spelling callers used: objects made from records ask for the same
    // path again and again, and this spares folding it each time.
    std::unordered_map<std::string, NamedTable> tablesAsNamed;
    std::map<std::string, bool, std::less<>> failed; // normalized path -> failed since the mark
    KeyMap<std::string> memoryFiles;                 // normalized path -> bytes
    bool marking = false;
    // Whether anything was cached since the mark, so that forgetting nothing walks nothing.
    bool cachedSinceMark = false;
    std::vector<std::string> sortedRecordPaths;
    bool recordPathsSorted = false;
    bool scanned = false;
    uint32_t generation = 0;
};

} // namespace GAME
