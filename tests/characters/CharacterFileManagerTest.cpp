#include "characters/CharacterFileManager.h"
#include "engine/FileSystem.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// The manager lives for the whole program and scans once, so its whole life is one test.
TEST(CharacterFileManagerTest, RemovingBeforeTheScanTouchesNothingAndTheScanListsTheFilesOnce)
{
    TempDatabase folder;
    folder.WriteFile("Hero.chr", "h");
    folder.WriteFile("Alt.chr", "a");
    folder.WriteFile("notes.txt", "n");
    FileSystem& files = FileSystem::Instance();
    const std::string previous = files.GetUserFolder();
    files.SetUserFolder(folder.GetRoot());

    CharacterFileManager& manager = CharacterFileManager::Get();
    manager.RemoveCharacterFile("Hero.chr");
    std::vector<std::string> listed;
    manager.GetCharacterFiles(listed);
    EXPECT_EQ(listed, (std::vector<std::string>{"Alt.chr", "Hero.chr"}));

    folder.WriteFile("Late.chr", "l");
    manager.AddCharacterFile("Alt.chr");
    manager.RemoveCharacterFile("Alt.chr");
    manager.RemoveCharacterFile("Missing.chr");
    manager.GetCharacterFiles(listed);
    EXPECT_EQ(listed, (std::vector<std::string>{"Hero.chr", "Alt.chr"}));
    files.SetUserFolder(previous);
}

} // namespace
} // namespace GAME::Test
