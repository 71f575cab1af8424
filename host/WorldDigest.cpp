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
    if (!options.levelFile.empty() && fs::is_regular_file(options.levelFile, error))
        text += FileLine(options.levelFile, "--level");
    return Crc32(text.data(), text.size());
}

} // namespace GAME
