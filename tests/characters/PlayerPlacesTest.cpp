#include "characters/Player.h"

#include "engine/ObjectManager.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class PlayerPlacesTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
        ASSERT_NE(player, nullptr);
        player->AutoSave();
    }

    Player* player = nullptr;
    const UniqueId first{1, 2, 3, 4};
    const UniqueId second{0xA, 0xB, 0xC, 0xD};
};

TEST_F(PlayerPlacesTest, AKnownTeleportOrMarkerIdChangesNothingAndMarksNoSave)
{
    player->AddTeleportUID(first);
    player->AddMarkerUID(second);
    EXPECT_TRUE(player->IsSaveNeeded());
    player->AutoSave();

    player->AddTeleportUID(first);
    player->AddMarkerUID(second);
    EXPECT_FALSE(player->IsSaveNeeded());
    EXPECT_EQ(player->GetTeleportUIDs(), std::vector<UniqueId>{first});
    EXPECT_EQ(player->GetMarkerUIDs(), std::vector<UniqueId>{second});
    EXPECT_FALSE(player->IsTeleportUIDKnown(second));
    EXPECT_FALSE(player->IsMarkerUIDKnown(first));
}

TEST_F(PlayerPlacesTest, AKnownRespawnIdThatIsNotCurrentBecomesCurrent)
{
    player->AddRespawnUID(first);
    player->AddRespawnUID(second);
    EXPECT_TRUE(player->IsCurrentRespawnPoint(second));
    player->AutoSave();

    player->AddRespawnUID(first);
    EXPECT_TRUE(player->IsCurrentRespawnPoint(first));
    EXPECT_TRUE(player->IsRespawnUIDKnown(second));
    EXPECT_TRUE(player->IsSaveNeeded());

    player->AutoSave();
    player->AddRespawnUID(first);
    EXPECT_FALSE(player->IsSaveNeeded());
}

TEST_F(PlayerPlacesTest, IdsLearnedOnNormalAreUnknownOnEpic)
{
    player->AddTeleportUID(first);
    player->AddMarkerUID(first);
    player->AddRespawnUID(first);

    Game().SetGameDifficulty(GameDifficulty_Epic);
    EXPECT_FALSE(player->IsTeleportUIDKnown(first));
    EXPECT_FALSE(player->IsMarkerUIDKnown(first));
    EXPECT_FALSE(player->IsRespawnUIDKnown(first));
    EXPECT_FALSE(player->IsCurrentRespawnPoint(first));
    EXPECT_TRUE(player->GetTeleportUIDs().empty());
    player->AddTeleportUID(second);
    player->ClearTeleportLocations();

    Game().SetGameDifficulty(GameDifficulty_Normal);
    EXPECT_EQ(player->GetTeleportUIDs(), std::vector<UniqueId>{first});
    EXPECT_TRUE(player->IsCurrentRespawnPoint(first));
}

TEST_F(PlayerPlacesTest, AClearedRespawnPointNamesNothingSoTheSpawnPointIsClosest)
{
    player->AddRespawnUID(first);
    player->ClearRespawnLocation();
    EXPECT_FALSE(player->IsCurrentRespawnPoint(first));
    EXPECT_TRUE(player->IsRespawnUIDKnown(first));
    EXPECT_EQ(player->GetClosestRespawnPoint(), player->GetSpawnPoint());
}

TEST_F(PlayerPlacesTest, DumpsNameEachIdAndWhetherItIsPlaced)
{
    player->AddTeleportUID(UniqueId(0x1f, 2, 3, 0xabc));
    player->AddRespawnUID(second);
    LogCapture log;
    player->DumpTeleportIds();
    player->DumpRespawnIds();
    const std::vector<LogCapture::Line> expected = {
        {0, "^bTeleport UIDs:"},
        {0, "^b   ID (1f:2:3:abc)  eData Not Found"},
        {0, "^bRespawn UID (a:b:c:d)  eData Not Found"},
    };
    EXPECT_EQ(log.GetLines(), expected);
}

} // namespace
} // namespace GAME::Test
