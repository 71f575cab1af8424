#include "engine/FileSystem.h"

#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <string>
#include <utility>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace GAME {
namespace {

namespace fs = std::filesystem;

// Every case in a folder of its own, so that a file left beside a target shows as an entry.
class WriteWholeFileTest : public ::testing::Test {
protected:
    size_t Entries() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(root), {}));
    }
    static std::string Contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static mode_t Mode(const std::string& path)
    {
        struct stat info {};
        return lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
    }
    static std::string Refusal(const std::string& path)
    {
        std::string why;
        return FileSystem::WriteWholeFile(path, "new", &why) ? "written" : why;
    }

    GAME::Test::TempDatabase temp;
    const std::string root = temp.GetRoot();
};

// Nothing is made beside a name that is no regular file, and the name stays what it was: a
// rename would have put a file in place of the pipe, the folder or the device.
TEST_F(WriteWholeFileTest, ANameThatIsNoRegularFileIsRefusedBeforeAnythingIsMade)
{
    // Through a link the file it names is judged.
    const std::string fifo = root + "/pipe.sav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    fs::create_symlink("pipe.sav", root + "/link.sav");
    EXPECT_EQ(Refusal(root + "/link.sav"), "it is a FIFO, not a regular file");
    EXPECT_EQ(Refusal(root + "/"), "it is a folder, not a regular file");
    EXPECT_TRUE(S_ISFIFO(Mode(fifo)));
    EXPECT_EQ(Entries(), 2u);

    // A device of our own making (only root may make one), never one of the system's.
    const std::string device = root + "/null";
    if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_EQ(Refusal(device), "it is a device, not a regular file");
        EXPECT_TRUE(S_ISCHR(Mode(device)));
        EXPECT_EQ(Entries(), 3u);
    }
}

// The link stays a link and the file it names takes the bytes, however the link names it.
TEST_F(WriteWholeFileTest, ALinkIsFollowedToTheFileItNamesAndKept)
{
    temp.WriteFile("saves/hero.sav", "old");
    fs::create_symlink("saves/hero.sav", root + "/relative.sav");
    fs::create_symlink(root + "/relative.sav", root + "/chained.sav");
    fs::create_symlink("saves/new.sav", root + "/dangling.sav");

    EXPECT_TRUE(FileSystem::WriteWholeFile(root + "/chained.sav", "first"));
    EXPECT_TRUE(S_ISLNK(Mode(root + "/chained.sav")));
    EXPECT_TRUE(S_ISLNK(Mode(root + "/relative.sav")));
    EXPECT_EQ(Contents(root + "/saves/hero.sav"), "first");
    EXPECT_TRUE(FileSystem::WriteWholeFile(root + "/dangling.sav", "second"));
    EXPECT_TRUE(S_ISLNK(Mode(root + "/dangling.sav")));
    EXPECT_EQ(Contents(root + "/saves/new.sav"), "second");
    EXPECT_EQ(Entries(), 4u);
    EXPECT_EQ(std::distance(fs::directory_iterator(root + "/saves"), {}), 2);

    fs::create_symlink("loop.sav", root + "/loop.sav");
    EXPECT_EQ(Refusal(root + "/loop.sav"), "Too many levels of symbolic links");
}

// A new file is made as open(2) makes one; a replaced one keeps its permissions but not the
// set-id bits granted to its old bytes, and a hard link to it keeps them. A file the user could
// not write is refused; root, whom no mode stops, by a mode that lets no one write.
TEST_F(WriteWholeFileTest, ModesAreThoseACarefulToolKeeps)
{
    for (const mode_t mode : {0600, 0640, 04755, 06711, 0444}) {
        const std::string path = root + "/hero" + std::to_string(mode) + ".sav";
        temp.WriteFile("hero" + std::to_string(mode) + ".sav", "old");
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        EXPECT_EQ(Refusal(path), mode != 0444 ? "written"
                                 : geteuid() == 0
                                     ? "it cannot be written (its mode 0444 lets no one write)"
                                     : "it cannot be written (Permission denied)");
        EXPECT_EQ(Mode(path) & 07777, mode & 0777) << mode;
    }
    ASSERT_EQ(link((root + "/hero384.sav").c_str(), (root + "/copy.sav").c_str()), 0);
    EXPECT_TRUE(FileSystem::WriteWholeFile(root + "/copy.sav", "newer"));
    EXPECT_EQ(Contents(root + "/hero384.sav"), "new");
    EXPECT_EQ(Contents(root + "/hero292.sav"), "old");
    const mode_t previous = umask(077);
    EXPECT_TRUE(FileSystem::WriteWholeFile(root + "/fresh.sav", "new"));
    umask(previous);
    EXPECT_EQ(Mode(root + "/fresh.sav") & 07777, 0600u);
    EXPECT_EQ(Entries(), 7u);
}

// What `check` answers in a child process that runs as the user nobody, whom no mode spares.
std::string AsNobody(const std::function<std::string()>& check)
{
    int ends[2];
    if (pipe(ends) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        const bool nobody = setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
        const std::string answer = nobody ? check() : "still root";
        _exit(write(ends[1], answer.data(), answer.size()) < 0 ? 1 : 0);
    }
    close(ends[1]);
    std::string answer;
    char buffer[256];
    for (ssize_t got; (got = read(ends[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<size_t>(got));
    close(ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return answer;
}

// A link another user left in a sticky folder open to all is not followed, at any step of the
// path, unless the folder is that user's: it must not lead our write elsewhere.
TEST_F(WriteWholeFileTest, AnotherUsersLinkInAStickyFolderIsRefused)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give a link to another user";
    const std::string shared = root + "/shared";
    temp.WriteFile("shared/precious.txt", "precious");
    temp.WriteFile("elsewhere/kept", "kept");
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    fs::create_symlink("precious.txt", shared + "/hero.sav");
    fs::create_symlink(root + "/elsewhere", shared + "/folder");
    for (const char* link : {"/hero.sav", "/folder"})
        ASSERT_EQ(lchown((shared + link).c_str(), 12345, 12345), 0);
    fs::create_symlink("shared/hero.sav", root + "/chained.sav");
    fs::create_symlink("shared/folder", root + "/through");
    for (const std::string& path : {shared + "/hero.sav", root + "/chained.sav",
                                    shared + "/folder/x.sav", root + "/through/../through/x.sav"})
        EXPECT_EQ(Refusal(path), "it leads through a link another user left in a sticky folder "
                                 "open to all, which this program does not follow");
    std::string why;
    EXPECT_FALSE(FileSystem::IsWritableFolder(shared + "/folder/new", &why));
    EXPECT_EQ(Contents(shared + "/precious.txt"), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), {}), 3);
    EXPECT_EQ(std::distance(fs::directory_iterator(root + "/elsewhere"), {}), 1);

    // Followed when the folder is the link owner's, or not sticky.
    ASSERT_EQ(chown(shared.c_str(), 12345, 12345), 0);
    EXPECT_EQ(Refusal(shared + "/hero.sav"), "written");
    ASSERT_EQ(chown(shared.c_str(), 0, 0), 0);
    ASSERT_EQ(chmod(shared.c_str(), 0777), 0);
    EXPECT_EQ(Refusal(root + "/chained.sav"), "written");
    EXPECT_EQ(Refusal(root + "/through/x.sav"), "written");
    EXPECT_TRUE(S_ISLNK(Mode(shared + "/hero.sav")));
    EXPECT_EQ(Contents(root + "/elsewhere/x.sav"), "new");
}

// A save replaces a file by a rename, which in a sticky folder is the file's owner's, the
// folder's owner's or a privileged user's to make, whatever the file's mode.
TEST_F(WriteWholeFileTest, AnotherUsersFileInAStickyFolderIsRefused)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can act as two users";
    const std::string shared = root + "/shared";
    temp.WriteFile("shared/root.sav", "root's");
    temp.WriteFile("shared/own.sav", "nobody's");
    temp.WriteFile("blind/kept", "");
    ASSERT_EQ(chmod(root.c_str(), 0755), 0);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    ASSERT_EQ(chmod((shared + "/root.sav").c_str(), 0666), 0);
    ASSERT_EQ(chown((shared + "/own.sav").c_str(), 65534, 65534), 0);
    // A folder that can be written but not read cannot be synced; no file there is said kept.
    ASSERT_EQ(chmod((root + "/blind").c_str(), 0333), 0);
    EXPECT_EQ(AsNobody([&] {
                  return Refusal(shared + "/root.sav") + "; " + Refusal(shared + "/own.sav") +
                         "; " + Refusal(shared + "/new.sav") + "; " +
                         Refusal(root + "/blind/new.sav");
              }),
              "it is another user's file in a sticky folder, which only its owner or the "
              "folder's may replace; written; written; its folder cannot be opened to sync the "
              "file (Permission denied)");
    EXPECT_EQ(Contents(shared + "/root.sav"), "root's");
    ASSERT_EQ(chown(shared.c_str(), 65534, 65534), 0);
    EXPECT_EQ(AsNobody([&] { return Refusal(shared + "/root.sav"); }), "written");
    ASSERT_EQ(chown(shared.c_str(), 0, 0), 0);
    EXPECT_EQ(Refusal(shared + "/own.sav"), "written");
}

// Writes to two paths land on one file when both name one file, or one name in one folder
// however the path spells it: through ".." (taken where a link leads), "." or a linked folder.
TEST_F(WriteWholeFileTest, OneFileIsKnownHoweverItsPathIsSpelled)
{
    temp.WriteFile("sub/kept", "");
    fs::create_symlink("sub", root + "/linked");
    ASSERT_EQ(link((root + "/sub/kept").c_str(), (root + "/hard").c_str()), 0);
    const fs::path before = fs::current_path();
    fs::current_path(root);
    const std::pair<std::string, std::string> one[] = {
        {"run.sav", "./run.sav"},  {"sub/../x", "x"},       {"linked/../x", root + "/x"},
        {"linked/new", "sub/new"}, {"hard", "linked/kept"}, {"sub//kept", "./linked/./kept"}};
    for (const auto& [first, second] : one)
        EXPECT_TRUE(FileSystem::NameOneFile(first, second)) << first << " " << second;
    const std::pair<std::string, std::string> apart[] = {
        {"run.sav", "sub/run.sav"}, {"x", "linked/x"}, {"new/x", "new/x/../x"}, {"", ""}};
    for (const auto& [first, second] : apart)
        EXPECT_FALSE(FileSystem::NameOneFile(first, second)) << first << " " << second;
    fs::current_path(before);
}

// A name up to the folder's limit is written, though the file beside it would pass it, and
// what a killed write of that name left beside it still goes.
TEST_F(WriteWholeFileTest, ANameAsLongAsTheFolderAllowsIsWritten)
{
    const long limit = pathconf(root.c_str(), _PC_NAME_MAX);
    ASSERT_GE(limit, 250);
    const std::string name(static_cast<size_t>(limit) - 4, 'n');
    const std::string mark = FileSystem::kSavingMark;
    const std::string leftover =
        name.substr(0, static_cast<size_t>(limit) - mark.size() - 6) + mark + "a1B2c3";
    temp.WriteFile(leftover, "killed");
    const bool marked =
        setxattr((root + "/" + leftover).c_str(), FileSystem::kSavingAttribute, "", 0, 0) == 0;
    for (const std::string& file : {name + ".sav", std::string(250, 'm')}) {
        EXPECT_TRUE(FileSystem::WriteWholeFile(root + "/" + file, "bytes")) << file.size();
        EXPECT_EQ(Contents(root + "/" + file), "bytes");
    }
    EXPECT_NE(fs::exists(root + "/" + leftover), marked);
    EXPECT_EQ(Entries(), marked ? 2u : 3u);
    EXPECT_EQ(Refusal(root + "/" + std::string(static_cast<size_t>(limit) + 1, 'x')),
              "File name too long");
}

// A finished file bears no mark of an unfinished one: moved later to a name beside its target,
// it is the user's and stays.
TEST_F(WriteWholeFileTest, AFinishedFileMovedBesideItsTargetStays)
{
    const std::string moved = root + "/hero.sav" + FileSystem::kSavingMark + "Moved0";
    ASSERT_TRUE(FileSystem::WriteWholeFile(root + "/hero.sav", "first"));
    fs::rename(root + "/hero.sav", moved);
    ASSERT_TRUE(FileSystem::WriteWholeFile(root + "/hero.sav", "second"));
    EXPECT_EQ(Contents(moved), "first");
    EXPECT_EQ(Entries(), 2u);
}

} // namespace
} // namespace GAME
