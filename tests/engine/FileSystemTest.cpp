#include "engine/FileSystem.h"

#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>

namespace GAME::Test {
namespace {

TEST(FileSystem, MatchesPatternsOfStarsAndQuestionMarks)
{
    EXPECT_TRUE(FileSystem::MatchesPattern("hero.chr", "*.chr"));
    EXPECT_FALSE(FileSystem::MatchesPattern("hero.chr.bak", "*.chr"));
    EXPECT_TRUE(FileSystem::MatchesPattern("abc", "a?c"));
    EXPECT_FALSE(FileSystem::MatchesPattern("ac", "a?c"));
    EXPECT_TRUE(FileSystem::MatchesPattern("", "*"));
    EXPECT_FALSE(FileSystem::MatchesPattern("", "?"));
    EXPECT_TRUE(FileSystem::MatchesPattern("Hero.CHR", "*.chr")); // player files ignore case

    // Back-tracking over many stars must stay linear-ish: an exponential match would not end.
    const std::string as(20000, 'a');
    EXPECT_FALSE(FileSystem::MatchesPattern(as.c_str(), "*a*a*a*a*b"));
    EXPECT_TRUE(FileSystem::MatchesPattern((as + "b").c_str(), "*a*a*a*a*b"));
}

TEST(FileSystem, ReadsWholeRegularFilesOnlyAndWithinTheLimit)
{
    using Result = FileSystem::ReadResult;
    TempDatabase folder;
    folder.WriteFile("five.bin", "12345");
    const std::string five = folder.GetRoot() + "/five.bin";
    std::vector<uint8_t> bytes;
    EXPECT_EQ(FileSystem::ReadWholeFile(five, 5, bytes), Result::Done);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{'1', '2', '3', '4', '5'}));
    std::string text = "old";
    EXPECT_EQ(FileSystem::ReadWholeFile(five, 4, text), Result::TooLarge);
    EXPECT_EQ(text, "");

    // A pipe with no writer, a device without end and a folder are refused before reading.
    const std::string pipe = folder.GetRoot() + "/pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(FileSystem::ReadWholeFile(pipe, 1 << 20, bytes), Result::NotAFile);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(FileSystem::ReadWholeFile("/dev/zero", 1 << 20, bytes), Result::NotAFile);
    EXPECT_EQ(FileSystem::ReadWholeFile(folder.GetRoot(), 1 << 20, bytes), Result::NotAFile);
    EXPECT_EQ(FileSystem::ReadWholeFile(five + "/inner", 1 << 20, bytes), Result::Missing);
    EXPECT_EQ(FileSystem::ReadWholeFile(folder.GetRoot() + "/absent", 1, bytes), Result::Missing);

    EXPECT_EQ(FileSystem::Explain(Result::TooLarge, 64), "is larger than 64 bytes");
    EXPECT_EQ(FileSystem::Explain(Result::NotAFile, 64), "is not a regular file");
}

TEST(FileSystem, ListsMatchingFilesSorted)
{
    TempDatabase folder;
    for (const char* name : {"b.chr", "a.chr", "c.txt", "A.chr"})
        folder.WriteFile(name, "x");
    folder.WriteFile("sub.chr/inner.chr", "x");

    FileSystem& files = FileSystem::Instance();
    const std::string previous = files.GetUserFolder();
    files.SetUserFolder(folder.GetRoot());
    EXPECT_EQ(files.GetMatchingFiles("*.chr"),
              (std::vector<std::string>{"A.chr", "a.chr", "b.chr"}));
    EXPECT_EQ(files.GetMatchingFiles("?.txt"), (std::vector<std::string>{"c.txt"}));
    files.SetUserFolder(folder.GetRoot() + "/missing");
    EXPECT_TRUE(files.GetMatchingFiles("*").empty());
    files.SetUserFolder(previous);
}

} // namespace
} // namespace GAME::Test
