#include "engine/FileSystem.h"

#include "engine/Engine.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
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

bool Failed(std::string* why, int error)
{
    if (why != nullptr)
        *why = std::generic_category().message(error);
    return false;
}

// The name mkstemp gives a write beside a file: `prefix` and six letters or digits.
bool IsSavingName(const std::string& name, const std::string& prefix)
{
    constexpr size_t kRandom = 6;
    return name.size() == prefix.size() + kRandom && name.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// The start of the names written beside `file`: its name and kSavingMark, the name cut short
// (at the start of a character) where the whole would pass the folder's limit on a name, so
// that a save may take a name as long as the folder allows.
std::string SavingPrefix(const std::string& file, int folder)
{
    constexpr size_t kRandom = 6;
    const long nameMax = fpathconf(folder, _PC_NAME_MAX);
    const size_t limit = nameMax > 0 ? static_cast<size_t>(nameMax) : 255;
    const std::string mark = FileSystem::kSavingMark;
    const std::string name = std::filesystem::path(file).filename().string();
    size_t keep = name.size();
    if (keep + mark.size() + kRandom > limit) {
        keep = limit > mark.size() + kRandom ? limit - mark.size() - kRandom : 0;
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
    }
    return name.substr(0, keep) + mark;
}

// The folder part of `path`, ending in a slash, so that a name joins it as it is.
std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

// A write killed before its rename (an interrupt, a crash) leaves its file beside the target. A
// live writer holds a lock on its own, so only files nobody holds are removed.
void RemoveLeftovers(const std::string& target, const std::string& prefix)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(FolderOf(target), error), end; !error && it != end;
         it.increment(error)) {
        if (!IsSavingName(it->path().filename().string(), prefix))
            continue;
        const int fd = open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info {};
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0)
            unlink(it->path().c_str());
        close(fd);
    }
}

// The file to write beside `target`, locked until it is renamed; -1 with errno set.
int OpenTemporary(const std::string& target, const std::string& prefix, std::string& temporary)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        temporary = FolderOf(target) + prefix + "XXXXXX";
        const int fd = mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        // Where files take no locks no clean-up can take one either, so the result is moot. A
        // clean-up that took it for a leftover before the lock has removed it: then again.
        flock(fd, LOCK_EX);
        struct stat info {};
        if (fstat(fd, &info) == 0 && info.st_nlink > 0)
            return fd;
        close(fd);
    }
    errno = EBUSY;
    return -1;
}

// The name a write to `path` replaces: the end of its chain of symbolic links, so that the link
// stays a link and the file it names is the one written. `info` describes that file when
// `exists`. False with errno set (ELOOP for a chain that does not end).
bool FollowLinks(const std::string& path, std::string& target, struct stat& info, bool& exists)
{
    constexpr int kMaxLinks = 40;
    target = path;
    for (int link = 0; link <= kMaxLinks; ++link) {
        if (lstat(target.c_str(), &info) != 0) {
            exists = false;
            return errno == ENOENT;
        }
        exists = true;
        if (!S_ISLNK(info.st_mode))
            return true;
        std::string named(static_cast<size_t>(std::max<off_t>(info.st_size, 0)) + 256, '\0');
        const ssize_t length = readlink(target.c_str(), named.data(), named.size());
        if (length < 0)
            return false;
        // Grown since it was measured: taken as it is, the name would be cut short.
        if (static_cast<size_t>(length) == named.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        named.resize(static_cast<size_t>(length));
        target = named.empty() || named.front() == '/' ? named : FolderOf(target) + named;
    }
    errno = ELOOP;
    return false;
}

// What a name that is no regular file names, for the line that refuses it.
const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "something else";
}

bool WriteAll(int fd, std::string_view bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            // A regular file that takes no byte has no room for it.
            if (count == 0)
                errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(count);
    }
    return true;
}

// The folder of `path`, opened before anything is written: a folder that cannot be opened cannot
// be synced, and a save that could not be made durable must fail while the old file still stands.
// -1 with errno set.
int OpenFolderOf(const std::string& path)
{
    return open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// Makes the rename itself survive a power cut, not only the bytes it names. The new file is in
// place whatever happens here, so a failure is told but is no failed save.
void SyncFolder(int folder, const std::string& path)
{
    if (fsync(folder) != 0 && gEngine != nullptr)
        gEngine->Log(Engine::LogRuntime, "'%s' is written, but its folder could not be synced: %s",
                     path.c_str(), std::generic_category().message(errno).c_str());
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

namespace {
// Refused before a file is made beside it: a rename would put a file in place of a device.
bool FollowTarget(const std::string& path, std::string& target, struct stat& info, bool& exists,
                  std::string* why)
{
    if (!FollowLinks(path, target, info, exists))
        return Failed(why, errno);
    if (exists && !S_ISREG(info.st_mode)) {
        if (why != nullptr)
            *why = std::string("it is ") + KindOf(info.st_mode) + ", not a regular file";
        return false;
    }
    return true;
}
} // namespace

bool FileSystem::IsWritableTarget(const std::string& path, std::string* why)
{
    std::string target;
    struct stat info {};
    bool exists = false;
    return !path.empty() && FollowTarget(path, target, info, exists, why);
}

bool FileSystem::WriteWholeFile(const std::string& path, std::string_view bytes, std::string* why)
{
    if (path.empty())
        return Failed(why, ENOENT);
    std::string target;
    struct stat info {};
    bool exists = false;
    if (!FollowTarget(path, target, info, exists, why))
        return false;
    const int folder = OpenFolderOf(target);
    if (folder < 0 && (errno == ENOENT || errno == ENOTDIR))
        return Failed(why, errno);
    if (folder < 0) {
        if (why != nullptr)
            *why = "its folder cannot be opened to sync the file (" +
                   std::generic_category().message(errno) + "); the file there is as it was";
        return false;
    }
    const std::string prefix = SavingPrefix(target, folder);
    RemoveLeftovers(target, prefix);
    std::string temporary;
    const int fd = OpenTemporary(target, prefix, temporary);
    const mode_t mode = exists ? info.st_mode & 07777 : 0644;
    // Renamed while still locked, so that no clean-up can take it for a leftover first.
    const bool written = fd >= 0 && fchmod(fd, mode) == 0 && WriteAll(fd, bytes) &&
                         fsync(fd) == 0 && std::rename(temporary.c_str(), target.c_str()) == 0;
    const int error = errno;
    if (fd >= 0)
        close(fd);
    if (written)
        SyncFolder(folder, target);
    else if (fd >= 0)
        unlink(temporary.c_str());
    close(folder);
    return written || Failed(why, error);
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
