#include "engine/FileSystem.h"

#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

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

    // Back-tracking over many stars must stay linear-ish, not exponential.
    const std::string as(20000, 'a');
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(FileSystem::MatchesPattern(as.c_str(), "*a*a*a*a*b"));
    EXPECT_TRUE(FileSystem::MatchesPattern((as + "b").c_str(), "*a*a*a*a*b"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
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
