#include "engine/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace GAME {

FileSystem& FileSystem::Instance()
{
    static FileSystem fileSystem;
    return fileSystem;
}

namespace {
// The player's files come from a platform whose file names ignore case.
bool SameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}
} // namespace

bool FileSystem::MatchesPattern(const char* name, const char* pattern)
{
    // Iterative match with one back-track point: linear in practice, never exponential.
    const char* starPattern = nullptr;
    const char* starName = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            starPattern = ++pattern;
            starName = name;
        } else if (*pattern == '?' || SameLetter(*pattern, *name)) {
            ++pattern;
            ++name;
        } else if (starPattern != nullptr) {
            pattern = starPattern;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

std::vector<std::string> FileSystem::GetMatchingFiles(const std::string& pattern) const
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(userFolder, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        const std::string name = it->path().filename().string();
        if (MatchesPattern(name.c_str(), pattern.c_str()))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace GAME
