#include "engine/Database.h"

#include "core/StringHelpers.h"
#include "engine/Engine.h"

#include <filesystem>
#include <fstream>

namespace GAME {

namespace {

const LoadTable& EmptyTable()
{
    static const LoadTable empty;
    return empty;
}

std::string Normalize(std::string path)
{
    NormalizeFileNameLower(path);
    size_t start = 0;
    while (start < path.size() && path[start] == '\\')
        ++start;
    return path.substr(start);
}

} // namespace

bool Database::SetRoot(const std::string& folder)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    root.clear();
    files.clear();
    tables.clear();
    failed.clear();
    scanned = false;
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error))
        return false;
    root = folder;
    return true;
}

void Database::Rescan()
{
    files.clear();
    scanned = true;
    std::error_code error;
    const std::filesystem::path base(root);
    auto options = std::filesystem::directory_options::skip_permission_denied;
    for (std::filesystem::recursive_directory_iterator it(base, options, error), end;
         !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        const std::string relative = it->path().lexically_relative(base).generic_string();
        files.emplace(Normalize(relative), it->path().string());
    }
}

std::string Database::FindFile(const std::string& normalized)
{
    if (root.empty())
        return std::string();
    if (!scanned)
        Rescan();
    auto found = files.find(normalized);
    if (found == files.end()) {
        // Another file may have been written since the last scan (tools, tests).
        Rescan();
        found = files.find(normalized);
    }
    return found != files.end() ? found->second : std::string();
}

std::string Database::ResolvePath(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    return FindFile(Normalize(path));
}

bool Database::ReadFile(const std::string& path, std::string& bytes)
{
    const std::string file = ResolvePath(path);
    if (file.empty())
        return false;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<uint64_t>(size) > kMaxRecordBytes) {
        gEngine->Log(Engine::LogData, "Database file '%s' is too large to read", path.c_str());
        return false;
    }
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<size_t>(size));
    return static_cast<bool>(in.read(bytes.data(), size)) || size == 0;
}

bool Database::LoadTableFile(const std::string& recordPath)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    const std::string key = Normalize(recordPath);
    if (key.empty())
        return false;
    if (tables.count(key) != 0)
        return true;
    if (failed.count(key) != 0)
        return false;
    std::string bytes;
    if (!ReadFile(recordPath, bytes)) {
        failed.insert(key);
        return false;
    }
    auto table = std::make_unique<LoadTable>();
    table->Parse(bytes, recordPath);
    tables.emplace(key, std::move(table));
    return true;
}

const LoadTable& Database::GetLoadTable(const std::string& recordPath)
{
    std::lock_guard<std::recursive_mutex> guard(lock);
    auto found = tables.find(Normalize(recordPath));
    return found != tables.end() ? *found->second : EmptyTable();
}

} // namespace GAME
