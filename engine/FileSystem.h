#pragma once

#include <string>
#include <vector>

namespace GAME {

// The player's own files (saved characters and the like) in one user folder.
class FileSystem {
public:
    static FileSystem& Instance();

    void SetUserFolder(const std::string& folder) { userFolder = folder; }
    const std::string& GetUserFolder() const { return userFolder; }

    // Names of the files in the user folder matching a pattern of '*' and '?' ("*.chr", case
    // ignored),
    // sorted so that every run lists them alike.
    std::vector<std::string> GetMatchingFiles(const std::string& pattern) const;

    static bool MatchesPattern(const char* name, const char* pattern);

private:
    std::string userFolder = ".";
};

} // namespace GAME
