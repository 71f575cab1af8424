#include "engine/FileSystem.h"

#include "core/StringHelpers.h"
#include "engine/Engine.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
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

bool Refused(std::string* why, const std::string& reason)
{
    if (why != nullptr)
        *why = reason;
    return false;
}

bool Failed(std::string* why, int error)
{
    return Refused(why, std::generic_category().message(error));
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
    const size_t room = limit > mark.size() + kRandom ? limit - mark.size() - kRandom : 0;
    return name.substr(0, Utf8CutAt(name, room)) + mark;
}

// The folder part of `path`, ending in a slash, so that a name joins it as it is.
std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

using FileId = std::pair<dev_t, ino_t>;

bool IdOf(const std::string& path, FileId& id)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return false;
    id = {info.st_dev, info.st_ino};
    return true;
}

// Whether anyone may hold a record lock on any byte of the file open as `fd`. Record locks and
// whole-file ones live apart, so a program that locks by fcntl is not seen by flock. The open
// description's query sees every other holder, this process's fcntl locks too; a system without
// it answers for other processes. A file that answers neither is taken for held.
bool HasRecordLock(int fd)
{
    for (const int query : {F_OFD_GETLK, F_GETLK}) {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET; // from 0, length 0: the whole file, however it grows
        if (fcntl(fd, query, &lock) == 0)
            return lock.l_type != F_UNLCK;
    }
    return true;
}

// Why the file open as `fd`, named as a write's leftover, must stay; nullptr when it is one this
// program's write left and nobody holds. The lock is taken before the mark is read, since a
// write marks its file only once it holds it.
const char* WhyKept(int fd, const std::set<FileId>& runFiles)
{
    struct stat info {};
    if (fd < 0 && errno == ELOOP)
        return "a symbolic link";
    if (fd < 0 || fstat(fd, &info) != 0)
        return "it cannot be opened";
    if (runFiles.count({info.st_dev, info.st_ino}) != 0)
        return "a file this run reads or writes";
    if (!S_ISREG(info.st_mode))
        return "no regular file";
    if (info.st_uid != geteuid())
        return "another user's";
    if (info.st_nlink != 1)
        return "a second name of a file";
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        return "a write under way holds it";
    if (HasRecordLock(fd))
        return "a record lock holds it";
    if (fgetxattr(fd, FileSystem::kSavingAttribute, nullptr, 0) < 0)
        return "no mark of an unfinished save";
    return nullptr;
}

// "a (why), b (why)", the first few, and how many more.
std::string KeptList(std::vector<std::pair<std::string, const char*>> kept)
{
    constexpr size_t kNamed = 8;
    std::sort(kept.begin(), kept.end());
    std::string list;
    for (size_t i = 0; i < kept.size() && i < kNamed; ++i)
        list += (i > 0 ? ", " : "") + kept[i].first + " (" + kept[i].second + ")";
    if (kept.size() > kNamed)
        list += " and " + std::to_string(kept.size() - kNamed) + " more";
    return list;
}

// A write killed before its rename (an interrupt, a crash) leaves its file beside the target.
// Only what is surely such a file goes: this user's regular file with one name, bearing the
// mark a write sets, held by no live writer and named by nothing the run reads or writes. What
// stays is named in one line.
void RemoveLeftovers(const std::string& target, const std::string& prefix)
{
    std::set<FileId> runFiles;
    for (const std::string& path : FileSystem::Instance().GetRunFiles()) {
        if (FileId id; IdOf(path, id))
            runFiles.insert(id);
    }
    std::error_code error;
    std::vector<std::pair<std::string, const char*>> kept;
    for (std::filesystem::directory_iterator it(FolderOf(target), error), end; !error && it != end;
         it.increment(error)) {
        if (!IsSavingName(it->path().filename().string(), prefix))
            continue;
        const int fd = open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (const char* why = WhyKept(fd, runFiles))
            kept.emplace_back(it->path().filename().string(), why);
        else
            unlink(it->path().c_str());
        if (fd >= 0)
            close(fd);
    }
    if (!kept.empty() && gEngine != nullptr)
        gEngine->Log(Engine::LogRuntime, "'%s': kept beside it, named as an unfinished save: %s",
                     target.c_str(), KeptList(std::move(kept)).c_str());
}

// Six letters or digits, as mkstemp would give, for the name of a write beside a file.
std::string RandomLetters()
{
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<uint64_t> calls{0};
    // Without the system's entropy the count still gives each attempt a name of its own.
    uint64_t noise = ++calls ^ (static_cast<uint64_t>(getpid()) << 32);
    static_cast<void>(getrandom(&noise, sizeof noise, GRND_NONBLOCK));
    std::string letters;
    for (int i = 0; i < 6; ++i, noise /= sizeof kLetters - 1)
        letters += kLetters[noise % (sizeof kLetters - 1)];
    return letters;
}

// The file to write beside `target`, locked until it is renamed; -1 with errno set. It is made
// as open(2) makes any file, with `mode` less the umask (or as the folder's default ACL says).
int OpenTemporary(const std::string& target, const std::string& prefix, mode_t mode,
                  std::string& temporary)
{
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        temporary = FolderOf(target) + prefix + RandomLetters();
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return -1;
        // Where files take no locks no clean-up can take one either, so the result is moot. The
        // mark goes on under the lock, so no clean-up takes a live write's file for a leftover
        // (one that did, of an older kind, removed it: then again). Where files take no mark,
        // what a killed write leaves stays, named by each later write.
        flock(fd, LOCK_EX);
        const std::string name = std::filesystem::path(target).filename().string();
        static_cast<void>(fsetxattr(fd, FileSystem::kSavingAttribute, name.data(), name.size(), 0));
        struct stat info {};
        if (fstat(fd, &info) == 0 && info.st_nlink > 0)
            return fd;
        close(fd);
    }
    errno = EEXIST;
    return -1;
}

// What a write to a name replaces: the name reached by following every link on the way, so
// that a link stays a link and the file it names is the one written; `info` is that file's when
// it `exists`.
struct Target {
    std::string name;
    struct stat info {};
    bool exists = false;
};

// A link another user left in a folder open to all and sticky (/tmp) is not followed unless the
// folder is that user's: planted there, it must not send our write elsewhere, whatever the
// system's own setting for such links.
bool MayFollow(const std::string& folder, const struct stat& link)
{
    struct stat info {};
    if (link.st_uid == geteuid() || stat(folder.empty() ? "/" : folder.c_str(), &info) != 0)
        return true;
    const bool shared = (info.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !shared || link.st_uid == info.st_uid;
}

// The names of `path` between its slashes, pushed last first so that the walk takes the first.
void PushNames(const std::string& path, std::vector<std::string>& pending)
{
    size_t end = path.size();
    while (end > 0) {
        const size_t slash = path.rfind('/', end - 1);
        const size_t begin = slash == std::string::npos ? 0 : slash + 1;
        if (end > begin)
            pending.push_back(path.substr(begin, end - begin));
        if (slash == std::string::npos)
            break;
        end = slash;
    }
}

// The folder above `folder`, which the walk has reached through no link: its last name goes,
// unless it is itself a step up.
std::string Above(const std::string& folder)
{
    const size_t slash = folder.rfind('/');
    const std::string last = slash == std::string::npos ? folder : folder.substr(slash + 1);
    if (folder.empty() || last == "." || last == "..")
        return folder.empty() ? folder : folder + "/..";
    return folder.substr(0, slash);
}

// Walks `path` a name at a time as the system would, following each link where it stands and
// judging it there, so that a planted link is refused at any step, not only at the end.
bool Walk(const std::string& path, Target& target, std::string* why)
{
    constexpr int kMaxLinks = 40;
    if (path.empty())
        return Failed(why, ENOENT);
    std::vector<std::string> pending;
    PushNames(path, pending);
    // Only folders reached through no link are kept in `done`, so that ".." is the one the
    // system takes.
    std::string done = path.front() == '/' ? "" : ".";
    for (int links = 0; !pending.empty();) {
        const std::string name = std::move(pending.back());
        pending.pop_back();
        if (name == "." || name == "..") {
            done = name == "." ? done : Above(done);
            continue;
        }
        const std::string next = done + '/' + name;
        struct stat info {};
        if (lstat(next.c_str(), &info) != 0) {
            target.exists = false;
            target.name = next;
            for (auto rest = pending.rbegin(); rest != pending.rend(); ++rest)
                target.name += '/' + *rest;
            // A missing folder is told by the folder's check.
            return errno == ENOENT || errno == ENOTDIR || Failed(why, errno);
        }
        if (!S_ISLNK(info.st_mode)) {
            done = next;
            continue;
        }
        if (!MayFollow(done, info))
            return Refused(why, "it leads through a link another user left in a sticky folder "
                                "open to all, which this program does not follow");
        if (++links > kMaxLinks)
            return Failed(why, ELOOP);
        std::string named(static_cast<size_t>(std::max<off_t>(info.st_size, 0)) + 256, '\0');
        const ssize_t length = readlink(next.c_str(), named.data(), named.size());
        if (length < 0)
            return Failed(why, errno);
        // Grown since it was measured: taken as it is, the name would be cut short.
        if (static_cast<size_t>(length) == named.size())
            return Failed(why, ENAMETOOLONG);
        named.resize(static_cast<size_t>(length));
        if (named.empty())
            return Failed(why, ENOENT);
        if (named.front() == '/')
            done.clear();
        PushNames(named, pending);
    }
    target.name = done.empty() ? "/" : done;
    target.exists = lstat(target.name.c_str(), &target.info) == 0;
    return target.exists || Failed(why, errno);
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

// Which of the program's own streams `info` is, or null: named outright or reached as
// /dev/stdout or /proc/self/fd/1, a file replaced would take the run's lines with it.
const char* OwnStream(const struct stat& info)
{
    static const char* const kStreams[] = {"input", "output", "error output"};
    for (int fd = 0; fd < 3; ++fd) {
        struct stat stream {};
        if (fstat(fd, &stream) == 0 && stream.st_dev == info.st_dev && stream.st_ino == info.st_ino)
            return kStreams[fd];
    }
    return nullptr;
}

// Why this user could not write what `info` describes at `path` (`how` as access(2) takes it),
// empty when it could. Root passes every check of the modes, so a mode that lets no one write
// refuses root as well, as careful tools ask before writing over such a file.
std::string WhyNotWritable(const std::string& path, const struct stat& info, int how)
{
    if (faccessat(AT_FDCWD, path.c_str(), how, AT_EACCESS) != 0)
        return std::generic_category().message(errno);
    if ((info.st_mode & 0222) != 0)
        return "";
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
    return std::string("its mode ") + mode + " lets no one write";
}

// Whether this process may pass over the owner's rights to a file, as root normally may.
bool MayActAsAnyOwner()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return geteuid() == 0;
    return (data[CAP_TO_INDEX(CAP_FOWNER)].effective & CAP_TO_MASK(CAP_FOWNER)) != 0;
}

// The rename that replaces a file in a sticky folder is the file's owner's, the folder's owner's
// or a privileged user's to make.
bool MayReplace(const Target& target)
{
    struct stat folder {};
    if (stat(FolderOf(target.name).c_str(), &folder) != 0 || (folder.st_mode & S_ISVTX) == 0)
        return true;
    const uid_t user = geteuid();
    return user == target.info.st_uid || user == folder.st_uid || MayActAsAnyOwner();
}

// Refused with `why` unless `folder` is a folder this user may make files in; `what` names it.
bool CheckFolder(const std::string& folder, const std::string& what, std::string* why)
{
    struct stat info {};
    const int found = stat(folder.c_str(), &info) == 0 ? 0 : errno;
    if (found == ENOENT)
        return Refused(why, what + " does not exist");
    if (found == ENOTDIR || (found == 0 && !S_ISDIR(info.st_mode)))
        return Refused(why, "a file stands in its path");
    if (found != 0)
        return Refused(why, what + " cannot be reached (" + std::generic_category().message(found) +
                                ")");
    const std::string reason = WhyNotWritable(folder, info, W_OK | X_OK);
    return reason.empty() || Refused(why, what + " cannot be written (" + reason + ")");
}

// What a write to `path` would replace, judged before anything is written: refused with `why`
// unless it is a regular file or a new name, not the program's own stream, in a folder this
// user may write, and a file the user could write.
bool ResolveTarget(const std::string& path, Target& target, std::string* why)
{
    if (path.empty())
        return Failed(why, ENOENT);
    if (!Walk(path, target, why))
        return false;
    // The system's own reading of the name: a link under /proc names an open pipe, terminal or
    // file by no path of its own, so only the system can tell where it leads.
    struct stat seen {};
    const int unseen = stat(path.c_str(), &seen) == 0 ? 0 : errno;
    if (unseen == 0 && !S_ISREG(seen.st_mode))
        return Refused(why, std::string("it is ") + KindOf(seen.st_mode) + ", not a regular file");
    // The walk reads "new.sav/" as "new.sav": a name only a folder may end so is no file's.
    if (path.back() == '/')
        return Refused(why, "it ends in '/', as only a folder's name may");
    if (unseen == 0) {
        if (const char* stream = OwnStream(seen))
            return Refused(why, std::string("it is the program's own standard ") + stream);
        if (!target.exists || seen.st_dev != target.info.st_dev ||
            seen.st_ino != target.info.st_ino)
            return Refused(why, "it is an open file with no name of its own to replace");
    } else if (target.exists) {
        return Failed(why, unseen);
    }
    if (!CheckFolder(FolderOf(target.name), "its folder", why))
        return false;
    if (!target.exists)
        return true;
    const std::string reason = WhyNotWritable(target.name, target.info, W_OK);
    if (!reason.empty())
        return Refused(why, "it cannot be written (" + reason + ")");
    return MayReplace(target) || Refused(why, "it is another user's file in a sticky folder, "
                                              "which only its owner or the folder's may replace");
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
// -1, with `why`, when it cannot be.
int OpenFolderOf(const Target& target, std::string* why)
{
    const int folder = open(FolderOf(target.name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        Refused(why, "its folder cannot be opened to sync the file (" +
                         std::generic_category().message(errno) + ")" +
                         (target.exists ? "; the file there is as it was" : ""));
    return folder;
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

void FileSystem::SetRunFiles(std::vector<std::string> paths)
{
    const std::lock_guard<std::mutex> hold(runFilesLock);
    runFiles = std::move(paths);
}

std::vector<std::string> FileSystem::GetRunFiles() const
{
    const std::lock_guard<std::mutex> hold(runFilesLock);
    return runFiles;
}

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

bool FileSystem::IsWritableTarget(const std::string& path, std::string* why)
{
    Target target;
    if (!ResolveTarget(path, target, why))
        return false;
    const int folder = OpenFolderOf(target, why);
    if (folder >= 0)
        close(folder);
    return folder >= 0;
}

bool FileSystem::IsWritableFolder(const std::string& folder, std::string* why)
{
    // A folder yet to be made is made in the nearest one that stands.
    std::string standing = folder.empty() ? "." : folder;
    Target walked;
    if (!Walk(standing, walked, why))
        return false;
    struct stat info {};
    while (stat(standing.c_str(), &info) != 0 && errno == ENOENT) {
        std::string parent = std::filesystem::path(standing).parent_path().string();
        parent = parent.empty() ? "." : parent;
        if (parent == standing)
            break;
        standing = parent;
    }
    return CheckFolder(standing + "/", standing == folder ? "it" : "the folder it would be made in",
                       why);
}

namespace {
// What a database under `root` reads, found as it finds it: its folders (a linked folder is not
// followed) and its files (a linked file is the file it names).
struct Tree {
    std::set<FileId> folders;
    std::set<FileId> files;
};

Tree TreeUnder(const std::string& root)
{
    Tree tree;
    std::vector<std::filesystem::path> pending{root};
    while (!pending.empty()) {
        const std::filesystem::path folder = std::move(pending.back());
        pending.pop_back();
        if (FileId id; IdOf(folder.string(), id))
            tree.folders.insert(id);
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            std::error_code kind;
            FileId id;
            if (it->is_directory(kind) && !it->is_symlink(kind))
                pending.push_back(it->path());
            else if (IdOf(it->path().string(), id))
                tree.files.insert(id);
        }
    }
    return tree;
}

// The nearest folder standing on the way to what `target` names: its own folder, or the one
// where the folders leading to a new name would be made.
std::string StandingFolderOf(const Target& target)
{
    struct stat info {};
    std::string name = target.name;
    while (!name.empty()) {
        const size_t slash = name.rfind('/');
        name = slash == std::string::npos ? "." : name.substr(0, std::max<size_t>(slash, 1));
        if (stat(name.c_str(), &info) == 0 || name == "." || name == "/")
            break;
    }
    return name;
}

// Whether `folder` or one it stands in is one of `folders`, climbing by ".." as the system does,
// so that however its path is spelled the folders met are the ones it stands in, and by their
// device and inode, so that a mount showing one of them elsewhere shows the same folder.
bool Within(std::string folder, const std::set<FileId>& folders)
{
    FileId here;
    FileId above;
    while (IdOf(folder, here)) {
        if (folders.count(here) != 0)
            return true;
        folder += "/..";
        // The top is its own parent; a path grown past the system's limit stops the climb.
        if (!IdOf(folder, above) || above == here)
            return false;
    }
    return false;
}
} // namespace

size_t FileSystem::FirstWrittenInto(const std::vector<std::string>& paths,
                                    const std::string& folder)
{
    if (FileId root; paths.empty() || !IdOf(folder, root))
        return paths.size();
    const Tree tree = TreeUnder(folder);
    for (size_t i = 0; i < paths.size(); ++i) {
        // A file outside the folder may still be one of its files, by a link in it or another
        // name.
        Target target;
        if (Walk(paths[i], target, nullptr) &&
            (Within(StandingFolderOf(target), tree.folders) ||
             (target.exists && tree.files.count({target.info.st_dev, target.info.st_ino}) != 0)))
            return i;
    }
    return paths.size();
}

bool FileSystem::NameOneFile(const std::string& first, const std::string& second)
{
    if (first.empty() || second.empty())
        return false;
    struct stat one {};
    struct stat other {};
    if (stat(first.c_str(), &one) == 0 && stat(second.c_str(), &other) == 0)
        return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
    // A name yet to be made is its folder and its name there, however the path spells them.
    Target a;
    Target b;
    if (!Walk(first, a, nullptr) || !Walk(second, b, nullptr) ||
        stat(FolderOf(a.name).c_str(), &one) != 0 || stat(FolderOf(b.name).c_str(), &other) != 0)
        return false;
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino &&
           a.name.substr(a.name.rfind('/') + 1) == b.name.substr(b.name.rfind('/') + 1);
}

std::string FileSystem::TemporaryFolder(std::string* why)
{
    // The variables the C++ library reads, in its order.
    for (const char* variable : {"TMPDIR", "TMP", "TEMP", "TEMPDIR"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0')
            continue;
        struct stat info {};
        const bool stands = stat(value, &info) == 0;
        if (stands && S_ISDIR(info.st_mode))
            return value;
        Refused(why, std::string(variable) + " names '" + value + "', which " +
                         (stands ? "is no folder" : "does not exist"));
        return "";
    }
    return "/tmp";
}

bool FileSystem::WriteWholeFile(const std::string& path, std::string_view bytes, std::string* why)
{
    Target target;
    if (!ResolveTarget(path, target, why))
        return false;
    const int folder = OpenFolderOf(target, why);
    if (folder < 0)
        return false;
    const std::string prefix = SavingPrefix(target.name, folder);
    RemoveLeftovers(target.name, prefix);
    std::string temporary;
    // The new bytes are no more open to others than the old ones were: a replacement starts
    // private and then takes the old file's permissions, but not its set-user-id or set-group-id
    // bits, which were granted to other bytes.
    const int fd = OpenTemporary(target.name, prefix, target.exists ? 0600 : 0666, temporary);
    const mode_t kept = target.info.st_mode & 07777 & ~static_cast<mode_t>(S_ISUID | S_ISGID);
    const bool whole = fd >= 0 && (!target.exists || fchmod(fd, kept) == 0) && WriteAll(fd, bytes);
    // Whole, it is no unfinished save: moved later to a name beside a file, it is the user's.
    if (whole)
        static_cast<void>(fremovexattr(fd, FileSystem::kSavingAttribute));
    // Renamed while still locked, so that no clean-up can take it for a leftover first.
    const bool written =
        whole && fsync(fd) == 0 && std::rename(temporary.c_str(), target.name.c_str()) == 0;
    const int error = errno;
    if (fd >= 0)
        close(fd);
    if (written)
        SyncFolder(folder, target.name);
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
