#include "host/PlayerSaveFile.h"

#include "characters/Player.h"
#include "engine/FileSystem.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace GAME::Test {
namespace {

class PlayerSaveFileTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    std::string Bytes(const std::string& name) const
    {
        std::string bytes;
        FileSystem::ReadWholeFile(folder.GetRoot() + "/" + name, 1 << 20, bytes);
        return bytes;
    }

    TempDatabase folder;
};

TEST_F(PlayerSaveFileTest, ASavedPlayerLoadsIntoAFreshOne)
{
    Player* saved = MakeMainPlayer();
    ASSERT_NE(saved, nullptr);
    saved->SetPlayerName(L"Ann");
    saved->AddMoney(77);
    std::string error;
    const std::string path = folder.GetRoot() + "/ann.chr";
    ASSERT_TRUE(PlayerSaveFile::Save(*saved, path, error)) << error;

    Player fresh;
    ASSERT_TRUE(PlayerSaveFile::Load(fresh, path, error)) << error;
    EXPECT_EQ(fresh.GetPlayerName(), L"Ann");
    EXPECT_EQ(fresh.GetCurrentMoney(), 77u);
    const std::string first = Bytes("ann.chr");
    ASSERT_TRUE(PlayerSaveFile::Save(fresh, path, error));
    EXPECT_EQ(Bytes("ann.chr"), first);
}

TEST_F(PlayerSaveFileTest, ABadFileIsRefusedInOneLineAndLeftAsItWas)
{
    Player saved;
    std::string error;
    const std::string path = folder.GetRoot() + "/cut.chr";
    ASSERT_TRUE(PlayerSaveFile::Save(saved, path, error));
    std::string bytes = Bytes("cut.chr");
    bytes.resize(bytes.size() - 1);
    folder.WriteFile("cut.chr", bytes);

    Player loaded;
    EXPECT_FALSE(PlayerSaveFile::Load(loaded, path, error));
    EXPECT_EQ(error, "save file '" + path + "' is damaged; no player was loaded from it");
    EXPECT_EQ(Bytes("cut.chr"), bytes);

    folder.WriteFile("text.chr", "not a save");
    EXPECT_FALSE(PlayerSaveFile::Load(loaded, folder.GetRoot() + "/text.chr", error));
    EXPECT_EQ(error, "'" + folder.GetRoot() + "/text.chr' is not a saved stream");
    EXPECT_FALSE(PlayerSaveFile::Load(loaded, folder.GetRoot() + "/absent.chr", error));
    EXPECT_EQ(error, "save file '" + folder.GetRoot() + "/absent.chr' does not exist");
}

TEST_F(PlayerSaveFileTest, ASaveThatCannotBeWrittenSaysSo)
{
    Player player;
    std::string error;
    const std::string path = folder.GetRoot() + "/none/new.chr";
    EXPECT_FALSE(PlayerSaveFile::Save(player, path, error));
    EXPECT_EQ(error, "the player could not be saved to '" + path + "'");
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace GAME::Test
