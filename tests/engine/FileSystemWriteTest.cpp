#include "engine/FileSystem.h"

#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// In a sticky folder open to all, the system follows a link only when its owner is the one
// who follows it or the folder's: another's link there must not lead our write to a file.
TEST_F(WriteWholeFileTest, AnotherUsersLinkInAStickyFolderIsRefused)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give a link to another user";
    const std::string shared = root + "/shared";
    temp.WriteFile("shared/precious.txt", "precious");
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    fs::create_symlink("precious.txt", shared + "/hero.sav");
    ASSERT_EQ(lchown((shared + "/hero.sav").c_str(), 12345, 12345), 0);
    fs::create_symlink("shared/hero.sav", root + "/chained.sav");
    for (const std::string& path : {shared + "/hero.sav", root + "/chained.sav"})
        EXPECT_EQ(Refusal(path), "it leads through another user's link in a sticky folder open "
                                 "to all, which the system does not follow");
    EXPECT_EQ(Contents(shared + "/precious.txt"), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), {}), 2);

    // Followed when the folder is the link owner's, or not sticky.
    ASSERT_EQ(chown(shared.c_str(), 12345, 12345), 0);
    EXPECT_EQ(Refusal(shared + "/hero.sav"), "written");
    ASSERT_EQ(chown(shared.c_str(), 0, 0), 0);
    ASSERT_EQ(chmod(shared.c_str(), 0777), 0);
    EXPECT_EQ(Refusal(root + "/chained.sav"), "written");
    EXPECT_TRUE(S_ISLNK(Mode(shared + "/hero.sav")));
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
    for (const std::string& file : {name + ".sav", std::string(250, 'm')}) {
        EXPECT_TRUE(FileSystem::WriteWholeFile(root + "/" + file, "bytes")) << file.size();
        EXPECT_EQ(Contents(root + "/" + file), "bytes");
    }
    EXPECT_FALSE(fs::exists(root + "/" + leftover));
    EXPECT_EQ(Entries(), 2u);
    EXPECT_EQ(Refusal(root + "/" + std::string(static_cast<size_t>(limit) + 1, 'x')),
              "File name too long");
}

} // namespace
} // namespace GAME
