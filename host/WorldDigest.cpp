#include "host/WorldDigest.h"

#include "engine/Crc32.h"
#include "host/HostOptions.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace GAME {

namespace {
namespace fs = std::filesystem;

// The file's own checksum, so that the digest's text stays small whatever the database holds.
std::string FileLine(const fs::path& file, const std::string& name)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return name + '\0' + std::to_string(bytes.size()) + ' ' +
           std::to_string(Crc32(bytes.data(), bytes.size())) + '\n';
}

// A file below the database folder, however it is named, is one of the database's records: the
// folder's part of the digest holds it already, under its path below the folder.
bool IsInside(const fs::path& file, const fs::path& root)
{
    std::error_code error;
    const fs::path whole = fs::weakly_canonical(file, error);
    if (error)
        return false;
    const fs::path folder = fs::weakly_canonical(root, error);
    if (error)
        return false;
    const fs::path below = whole.lexically_relative(folder);
    return !below.empty() && *below.begin() != "..";
}
} // namespace

uint32_t WorldDigest::Of(const HostOptions& options)
{
    std::error_code error;
    const fs::path root(options.databaseFolder);
    std::vector<std::string> names;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error))
        if (it->is_regular_file(error))
            names.push_back(fs::relative(it->path(), root, error).generic_string());
    if (error)
        return 0;
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names)
        text += FileLine(root / name, name);
    // The loader reads `--level` from the working folder when it opens there, else from the
    // database; a file of its own outside the database is hashed under one name, whatever path
    // named it.
    if (!options.levelFile.empty() && fs::is_regular_file(options.levelFile, error) &&
        !IsInside(options.levelFile, root))
        text += FileLine(options.levelFile, "--level");
    return Crc32(text.data(), text.size());
}

} // namespace GAME
