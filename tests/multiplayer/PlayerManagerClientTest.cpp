#include "multiplayer/PlayerManagerClient.h"

#include "characters/Player.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerServer.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Must.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace GAME {
namespace {

class LocalPlayer : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        module.SetNetworkInterfaceSlot(&slot);
        player = GAME::Test::Must(
            static_cast<Player*>(ObjectManager::Instance().CreateObject("Player")));
        player->SetPlayerName(L"Ana");
    }

    PlayerManagerClient& Players() { return *module.GetPlayerManager(); }

    GameEngineClientServicesModule module;
    GameEngineOutboundInterface network;
    GameEngineNetworkInterface* slot = &network;
    Player* player = nullptr;
};

TEST_F(LocalPlayer, TheMainPlayerIsListedWithItsOwnRecord)
{
    Players().SetMainPlayer(player->GetObjectId());
    ASSERT_EQ(Players().GetPlayerInfoCache().size(), 1u);
    EXPECT_EQ(Players().GetPlayerName(player->GetObjectId()), L"Ana");
    // Set again, the player is not listed twice.
    Players().SetMainPlayer(player->GetObjectId());
    EXPECT_EQ(Players().GetAllPlayersInGame().size(), 1u);
    // Single player: the server's manager hears of the new player too.
    const std::vector<uint32_t>& serverPlayers = Game().GetPlayerManagerServer()->GetPlayers();
    EXPECT_EQ(std::count(serverPlayers.begin(), serverPlayers.end(), player->GetObjectId()), 1);
}

TEST_F(LocalPlayer, TheLocalRecordIsThePlayerAsItIsInTheServersParty)
{
    // The local record is the one of this machine's player, whom the engine names; its party
    // is read from the list, so the server's reaches the record and the next heartbeat.
    PlayerManagerClient& game = *Game().GetPlayerManagerClient();
    game.SetMainPlayer(player->GetObjectId());
    PlayerNetBasicInfo stale;
    stale.playerId = player->GetObjectId();
    stale.name = L"Old";
    stale.partyId = 7;
    PlayerNetBasicInfo other;
    other.playerId = 0x20000001;
    other.name = L"Bob";
    game.HandlePlayerUpdate({other, stale});
    EXPECT_EQ(game.GetPlayerName(player->GetObjectId()), L"Ana");
    EXPECT_EQ(game.GetPlayerName(0x20000001), L"Bob");
    EXPECT_EQ(game.GetPlayerInfo(player->GetObjectId()).partyId, 7);
    Players().SetMainPlayer(player->GetObjectId());
    Players().Update(PlayerManagerClient::kHeartbeatIntervalMs + 1);
    const auto sent = TakeSent<SinglePlayerHeartbeatPacket>();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->player.partyId, 7);
}

// The client's party is the server's word: a join it heard stays through a heartbeat list that
// names it with a stale party, and its own heartbeat goes on carrying it.
TEST_F(LocalPlayer, AStalePartyInTheServersHeartbeatsDoesNotUndoAJoin)
{
    PlayerManagerClient& game = *Game().GetPlayerManagerClient();
    game.SetMainPlayer(player->GetObjectId());
    PlayerNetBasicInfo leader;
    leader.playerId = 0x00000007;
    leader.name = L"Lea";
    PlayerNetBasicInfo mine;
    mine.playerId = player->GetObjectId();
    game.HandlePlayerUpdate({leader, mine});
    game.AddPlayerToParty(player->GetObjectId(), 7);
    game.AddPlayerToParty(7, 7);
    PlayerNetHeartbeatInfo staleMine;
    staleMine.playerId = player->GetObjectId();
    PlayerNetHeartbeatInfo leaderNow;
    leaderNow.playerId = 7;
    leaderNow.partyId = 7;
    leaderNow.level = 3;
    game.HandlePlayerHeartbeatInbound({staleMine, leaderNow});
    game.UpdateLocalPlayer();
    EXPECT_EQ(game.GetPlayerInfo(player->GetObjectId()).partyId, 7);
    EXPECT_EQ(game.GetPlayerInfo(7).partyId, 7);
    EXPECT_EQ(game.GetPlayerInfo(7).level, 3u);
    EXPECT_EQ(game.GetPlayerName(7), L"Lea");
    Players().SetMainPlayer(player->GetObjectId());
    Players().Update(PlayerManagerClient::kHeartbeatIntervalMs + 1);
    const auto sent = TakeSent<SinglePlayerHeartbeatPacket>();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->player.partyId, 7);
}

TEST_F(LocalPlayer, HeartbeatGoesOutOnlyPastTheIntervalAndOnlyForAnExistingPlayer)
{
    Players().SetMainPlayer(0x70000001);
    Players().Update(PlayerManagerClient::kHeartbeatIntervalMs + 1);
    EXPECT_TRUE(TakeSent<SinglePlayerHeartbeatPacket>().empty());

    Players().SetMainPlayer(player->GetObjectId());
    Players().Update(PlayerManagerClient::kHeartbeatIntervalMs);
    EXPECT_TRUE(TakeSent<SinglePlayerHeartbeatPacket>().empty());
    Players().Update(1);
    const auto sent = TakeSent<SinglePlayerHeartbeatPacket>();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->player.playerId, player->GetObjectId());
    EXPECT_EQ(sent[0]->player.level, player->GetCharLevel());
}

} // namespace
} // namespace GAME
