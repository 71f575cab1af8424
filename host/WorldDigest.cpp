#include "host/WorldDigest.h"

#include "engine/Crc32.h"
#include "host/HostOptions.h"
#include "host/LevelPlay.h"

#include <algorithm>
#include <cctype>
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

// A record's name as the database finds it: case and separators folded, steps made whole.
std::string Folded(const std::string& name)
{
    std::string folded = name;
    for (char& c : folded)
        c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    folded = fs::path(folded).lexically_normal().generic_string();
    return folded.substr(std::min(folded.find_first_not_of('/'), folded.size()));
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
    // The level as the loader reads it (a file that opens from the working folder, else the
    // database's record of that name), hashed under one name whatever path named it: two
    // spellings of one level are one world, two levels of one database are two.
    if (LevelPlay::IsLevelOnDisk(options)) {
        text += FileLine(options.levelFile, "--level");
    } else {
        const std::string level = Folded(LevelPlay::LevelPathOf(options));
        const auto record = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
            return Folded(name) == level;
        });
        if (record != names.end())
            text += FileLine(root / *record, "--level");
    }
    // What is staged in it: the pack's arena is another world than the level on the same bytes.
    text += std::string("--scenario") + '\0' + options.scenario + '\n';
    return Crc32(text.data(), text.size());
}

} // namespace GAME
