#include "engine/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Reads up to the size the file had when opened: a file that grows meanwhile is read as it
// was, one that shrinks as it is.
template <typename Bytes> FileSystem::ReadResult ReadOpenFile(int fd, size_t maxBytes, Bytes& bytes)
{
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return FileSystem::ReadResult::Unreadable;
    if (!S_ISREG(info.st_mode))
        return FileSystem::ReadResult::NotAFile;
    if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > maxBytes)
        return FileSystem::ReadResult::TooLarge;
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            return FileSystem::ReadResult::Unreadable;
        done += got > 0 ? static_cast<size_t>(got) : 0;
    }
    bytes.resize(done);
    return FileSystem::ReadResult::Done;
}

template <typename Bytes>
FileSystem::ReadResult ReadFileInto(const std::string& path, size_t maxBytes, Bytes& bytes)
{
    bytes.clear();
    // Non-blocking, so that a pipe is refused at once instead of waiting for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? FileSystem::ReadResult::Missing
                                                   : FileSystem::ReadResult::Unreadable;
    }
    const FileSystem::ReadResult result = ReadOpenFile(fd, maxBytes, bytes);
    close(fd);
    if (result != FileSystem::ReadResult::Done)
        bytes.clear();
    return result;
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

FileSystem::ReadResult FileSystem::ReadWholeFile(const std::string& path, size_t maxBytes,
                                                 std::vector<uint8_t>& bytes)
{
    return ReadFileInto(path, maxBytes, bytes);
}

FileSystem::ReadResult FileSystem::ReadWholeFile(const std::string& path, size_t maxBytes,
                                                 std::string& bytes)
{
    return ReadFileInto(path, maxBytes, bytes);
}

std::string FileSystem::Explain(ReadResult result, size_t maxBytes)
{
    switch (result) {
    case ReadResult::Done:
        return "was read";
    case ReadResult::Missing:
        return "does not exist";
    case ReadResult::NotAFile:
        return "is not a regular file";
    case ReadResult::TooLarge:
        return "is larger than " + std::to_string(maxBytes) + " bytes";
    case ReadResult::Unreadable:
        break;
    }
    return "cannot be read";
}

} // namespace GAME
