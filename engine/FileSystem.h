#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace GAME {

// The player's own files (saved characters and the like) in one user folder, and the one way
// the engine reads a whole file from outside.
class FileSystem {
public:
    // How reading a whole file ended.
    enum class ReadResult { Done, Missing, NotAFile, TooLarge, Unreadable };

    static FileSystem& Instance();

    void SetUserFolder(const std::string& folder) { userFolder = folder; }
    const std::string& GetUserFolder() const { return userFolder; }

    // Names of the files in the user folder matching a pattern of '*' and '?' ("*.chr", case
    // ignored), sorted so that every run lists them alike.
    std::vector<std::string> GetMatchingFiles(const std::string& pattern) const;

    static bool MatchesPattern(const char* name, const char* pattern);

    // The bytes of a regular file of at most `maxBytes`; anything else (a folder, a pipe, a
    // device, a larger file) is refused before a byte is read, and leaves `bytes` empty.
    static ReadResult ReadWholeFile(const std::string& path, size_t maxBytes,
                                    std::vector<uint8_t>& bytes);
    static ReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& bytes);
    // "does not exist", "is not a regular file" and the like, to follow a file's name.
    static std::string Explain(ReadResult result, size_t maxBytes);

    // Puts `bytes` in place of the file at `path` whole or not at all: written beside it under
    // `kSavingMark`, synced, renamed over it, the folder synced, so hard links to the old file
    // keep the old bytes. On failure the old file is as it was and `why` (when given) holds the
    // reason. Refused before anything is made: a name that is no regular file or new name (a
    // folder, a device, a FIFO, a socket), the program's own standard input or output however
    // reached, a folder that is missing, that this user cannot write or that cannot be opened to
    // be synced, a file this user could not write (or, for root, one whose mode lets no one
    // write), and another user's file in a sticky folder, which the rename may not replace
    // unless the folder is this user's or the user is privileged. A symbolic link stays one and
    // the file it names is written, except that a link another user left in a sticky folder open
    // to all is refused at any step of the path, whether or not the system would follow it. A
    // new file takes the umask as open(2) gives it; a replaced one keeps its permissions but not
    // set-user-id or set-group-id. Once renamed the file counts as written: a folder sync failing
    // after that is logged. What a write killed before its rename left beside the same file goes
    // first, when it is this user's regular file with one name bearing `kSavingAttribute`, which
    // no write holds and the run does not name (`SetRunFiles`); anything else of that name is left
    // and named in one line. The name beside is cut short where a long name would pass the
    // folder's limit.
    static bool WriteWholeFile(const std::string& path, std::string_view bytes,
                               std::string* why = nullptr);
    // False, with `why`, when `WriteWholeFile` would refuse what `path` names as it stands now.
    static bool IsWritableTarget(const std::string& path, std::string* why = nullptr);
    // False, with `why`, unless files can be written in `folder`, or in the folder that would be
    // made there from the nearest one that stands, reached through no planted link.
    static bool IsWritableFolder(const std::string& folder, std::string* why = nullptr);
    // Whether writes to the two paths would land on one file: one file that both name, or one
    // name in one folder (its device and inode), however each path spells it.
    static bool NameOneFile(const std::string& first, const std::string& second);
    // The first of `paths` whose write would land in `folder` or below it (a file there that it
    // would replace, or a new name in one of its folders or in a folder yet to be made there),
    // however either is spelled, through whatever links or mounts, or would replace a file that
    // `folder` holds under another name or links to; `paths.size()` for none.
    static size_t FirstWrittenInto(const std::vector<std::string>& paths,
                                   const std::string& folder);
    // The folder for scratch files (TMPDIR and the like, else /tmp); empty, with `why` naming
    // the variable, when the one set names no folder.
    static std::string TemporaryFolder(std::string* why);
    static constexpr const char* kSavingMark = ".saving-";
    // The extended attribute a write sets on the file it makes beside its target until its bytes
    // are whole, so that a clean-up tells what a killed write left from a file that merely bears
    // such a name.
    static constexpr const char* kSavingAttribute = "user.game.saving";

    // The files the run reads or writes by name: no clean-up removes one, whatever its name.
    void SetRunFiles(std::vector<std::string> paths);
    std::vector<std::string> GetRunFiles() const;

private:
    std::string userFolder = ".";
    // A save in the background cleans up beside its file while the run goes on.
    mutable std::mutex runFilesLock;
    std::vector<std::string> runFiles;
};

} // namespace GAME
