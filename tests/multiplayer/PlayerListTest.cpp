#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"

#include "characters/Player.h"
#include "core/PlayerInfo.h"
#include "engine/ConnectionManager.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/PlayerListRecords.h"
#include "world/FixedItemTeleport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace GAME {
namespace {

using GAME::Test::ListedPlayer;

class PlayerList : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    PlayerManagerClient& Players() { return *Game().GetPlayerManagerClient(); }

    Player* MakePlayer(uint32_t id, const std::wstring& name)
    {
        Player* player = GAME::Test::MakePlayerObject(id);
        if (player != nullptr)
            player->SetPlayerName(name);
        return player;
    }

    // Each record names the id at its own place in the id list.
    static void ExpectAligned(const PlayerManagerClient& players)
    {
        const std::vector<uint32_t> ids = players.GetAllPlayersInGame();
        const std::vector<PlayerNetBasicInfo>& records = players.GetPlayerInfoCache();
        ASSERT_EQ(ids.size(), records.size());
        for (size_t i = 0; i < ids.size(); ++i)
            EXPECT_EQ(records[i].playerId, ids[i]) << i;
    }
};

TEST_F(PlayerList, AHostThatLeavesTakesItsPlayersPortalsAlong)
{
    std::vector<FixedItemTeleport::TeleportInfo>& portals = Game().GetTeleportInfoList();
    portals.push_back({900, 0x10000002, WorldCoords(), "Records/Portal.dbr"});
    portals.push_back({901, 0x20000001, WorldCoords(), "Records/Portal.dbr"});
    Players().HandlePlayerUpdate(
        {ListedPlayer(0x10000001, L"Ana"), ListedPlayer(0x20000001, L"Bob"),
         ListedPlayer(0x10000002, L"Pet"), ListedPlayer(0x30000001, L"Cy")});

    Players().RemovePlayerFromGame(1);
    EXPECT_EQ(Players().GetAllPlayersInGame(), (std::vector<uint32_t>{0x20000001, 0x30000001}));
    ExpectAligned(Players());
    EXPECT_EQ(Game().GetTeleportInfo(900), nullptr);
    EXPECT_NE(Game().GetTeleportInfo(901), nullptr);
}

TEST_F(PlayerList, AMainPlayerWithoutAnObjectIsListedByIdFilledLaterAndRemovedWithItsHost)
{
    Players().HandlePlayerUpdate({ListedPlayer(0x50000002, L"Gus")});
    Players().SetMainPlayer(0x50000001);
    ExpectAligned(Players());
    EXPECT_EQ(Players().GetPlayerName(0x50000001), L"");

    ASSERT_NE(MakePlayer(0x50000001, L"Eve"), nullptr);
    Players().UpdateLocalPlayer();
    EXPECT_EQ(Players().GetPlayerName(0x50000001), L"Eve");

    Players().RemovePlayerFromGame(5);
    EXPECT_TRUE(Players().GetAllPlayersInGame().empty());
    EXPECT_TRUE(Players().GetPlayerInfoCache().empty());
}

TEST_F(PlayerList, ABanMatchesThePlayersOwnNameExactlyNotTheListsCopy)
{
    ASSERT_NE(MakePlayer(0x10000001, L"Rob"), nullptr);
    Players().HandlePlayerUpdate({ListedPlayer(0x10000001, L"Bob")});
    ConnectionManager& network = gEngine->GetNetworkConnectionManager();
    struct Row {
        const char* name;
        bool wide;
        size_t drops;
    };
    const Row rows[] = {{"Bob", true, 0},
                        {"Bob", false, 0},
                        {"rob", false, 0},
                        {"Rob", false, 1},
                        {"Rob", true, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + (row.wide ? " wide" : " narrow"));
        log.Clear();
        const size_t before = network.GetDroppedHosts().size();
        const std::string name = row.name;
        if (row.wide)
            Players().BanPlayer(std::wstring(name.begin(), name.end()));
        else
            Players().BanPlayer(name);
        EXPECT_EQ(network.GetDroppedHosts().size(), before + row.drops);
        EXPECT_EQ(log.Count(Engine::LogInfo, "Banning Host 1 (Rob)"), row.drops);
    }
    EXPECT_EQ(network.GetDroppedHosts().back(), std::make_pair(1, std::string("ban")));
}

TEST_F(PlayerList, PlayerInfoOnAnotherThreadAlwaysCountsAWholeList)
{
    for (uint32_t id : {0x10000001u, 0x20000001u, 0x30000001u})
        ASSERT_NE(MakePlayer(id, L"P"), nullptr);
    const std::vector<PlayerNetBasicInfo> two = {ListedPlayer(0x10000001, L"A"),
                                                 ListedPlayer(0x20000001, L"B")};
    std::vector<PlayerNetBasicInfo> three = two;
    three.push_back(ListedPlayer(0x30000001, L"C"));
    PlayerNetHeartbeatInfo heartbeat;
    heartbeat.playerId = 0x20000001;
    Players().HandlePlayerUpdate(two);

    std::atomic<bool> done = false;
    std::atomic<int> torn = 0;
    std::atomic<int> reads = 0;
    std::thread reader([&] {
        do {
            PlayerInfo info;
            Game().GetPlayerInfo(info);
            if (info.numberOfPlayers != 2 && info.numberOfPlayers != 3)
                ++torn;
            ++reads;
        } while (!done);
    });
    for (int i = 0; i < 1000; ++i) {
        Players().HandlePlayerUpdate(i % 2 == 0 ? three : two);
        heartbeat.level = static_cast<uint32_t>(i);
        Players().HandlePlayerHeartbeatInbound({heartbeat});
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GT(reads, 0);
    ExpectAligned(Players());
}

class SharingWithoutGoldEquations : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(
            "Records/Game/BonusSharing.dbr",
            {"ActiveExperience = amountOfExperience", "PassiveExperience = amountOfExperience/2"});
        Start();
    }
};

TEST_F(SharingWithoutGoldEquations, TheEarnerKeepsTheGoldAndABystanderGetsNone)
{
    PlayerManagerServer& server = *Game().GetPlayerManagerServer();
    for (uint32_t id : {0x10000001u, 0x20000001u}) {
        PlayerNetBasicInfo record;
        record.playerId = id;
        record.position = WorldVec3(1, Vec3(1.0f, 0.0f, 0.0f));
        server.HandleNewPlayer(record);
    }
    const auto shares =
        server.ComputeBonusShares(60, 1000, WorldVec3(1, Vec3()), 0x10000001, 0x777);
    ASSERT_EQ(shares.size(), 2u);
    EXPECT_EQ(shares[0].playerId, 0x10000001u);
    EXPECT_EQ(shares[0].gold, 60u);
    EXPECT_EQ(shares[1].playerId, 0x20000001u);
    EXPECT_EQ(shares[1].gold, 0u);
}

} // namespace
} // namespace GAME
