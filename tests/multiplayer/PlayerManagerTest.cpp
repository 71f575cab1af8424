#include "multiplayer/BonusPackets.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"

#include "characters/Bonus.h"
#include "characters/Player.h"
#include "core/PlayerInfo.h"
#include "engine/ConnectionManager.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/PlayerListRecords.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

using GAME::Test::ListedPlayer;

class ClientPlayers : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    Player* MakePlayer(uint32_t id, uint32_t level)
    {
        Player* player = GAME::Test::MakePlayerObject(id);
        if (player != nullptr)
            player->Load(GAME::Test::Record("charLevel = " + std::to_string(level)));
        return player;
    }

    PlayerManagerClient players;
};

TEST_F(ClientPlayers, AnswersLookUpsByIdHostAndName)
{
    players.HandlePlayerUpdate(
        {ListedPlayer(0x10000001, L"Ana"), ListedPlayer(0x20000001, L"Bob")});

    EXPECT_EQ(players.GetAllPlayersInGame(), (std::vector<uint32_t>{0x10000001, 0x20000001}));
    EXPECT_EQ(players.GetPlayerName(0x20000001), L"Bob");
    EXPECT_EQ(players.GetPlayerName(0x50000001), L"ErrorName");
    EXPECT_EQ(players.GetPlayerIdFromHostId(2), 0x20000001u);
    EXPECT_EQ(players.GetPlayerIdFromHostId(3), 0u);

    EXPECT_EQ(players.GetPlayerWithName(L"bOB"), 0x20000001u);
    EXPECT_EQ(players.GetPlayerWithName(L"\"ana\""), 0x10000001u);
    EXPECT_EQ(players.GetPlayerWithName(L"\"B"), 0u);
    EXPECT_EQ(players.GetPlayerWithName(L"Bo"), 0u);
}

TEST_F(ClientPlayers, HeartbeatsRefreshOthersButNeverTheLocalPlayer)
{
    // This machine's player, though this manager has not been told its main player.
    Game().GetPlayerManagerClient()->SetMainPlayer(0x10000001);
    players.HandlePlayerUpdate(
        {ListedPlayer(0x10000001, L"Ana"), ListedPlayer(0x20000001, L"Bob")});

    PlayerNetHeartbeatInfo mine;
    mine.playerId = 0x10000001;
    mine.level = 40;
    PlayerNetHeartbeatInfo his;
    his.playerId = 0x20000001;
    his.level = 9;
    players.HandlePlayerHeartbeatInbound({mine, his});

    EXPECT_EQ(players.GetPlayerInfo(0x10000001).level, 0u);
    EXPECT_EQ(players.GetPlayerInfo(0x20000001).level, 9u);
}

TEST_F(ClientPlayers, PlayerInfoCountsOnlyPlayersThatExist)
{
    MakePlayer(0x10000001, 4);
    MakePlayer(0x10000002, 9);
    MakePlayer(0x10000003, 10);
    players.HandlePlayerUpdate({ListedPlayer(0x10000001, L"A"), ListedPlayer(0x10000002, L"B"),
                                ListedPlayer(0x10000003, L"C"), ListedPlayer(0x10000004, L"Gone")});
    PlayerInfo info;
    info.gameDifficulty = 2;
    players.GetPlayerInfo(info);
    EXPECT_EQ(info.numberOfPlayers, 3u);
    EXPECT_EQ(info.minPlayerLevel, 4u);
    EXPECT_EQ(info.maxPlayerLevel, 10u);
    EXPECT_EQ(info.averagePlayerLevel, 8u); // 23 / 3 rounded
    EXPECT_EQ(info.gameDifficulty, 0u);

    // Levels near the top do not wrap their sum.
    for (uint32_t id : {0x10000005u, 0x10000006u, 0x10000007u})
        MakePlayer(id, INT32_MAX);
    players.HandlePlayerUpdate({ListedPlayer(0x10000005, L"E"), ListedPlayer(0x10000006, L"F"),
                                ListedPlayer(0x10000007, L"G")});
    players.GetPlayerInfo(info);
    EXPECT_EQ(info.averagePlayerLevel, 2147483648u); // 2^31 - 1 as a float, rounded
}

TEST_F(ClientPlayers, ABonusReachesTheNamedPlayerUnlessTheLocalPlayerEarnedIt)
{
    Player* local = MakeMainPlayer();
    Player* other = MakePlayer(0x20000001, 1);
    Bonus bonus;
    bonus.goldPoints = 70;
    bonus.receiverId = other->GetObjectId();
    bonus.sourceId = 0x30000001;
    players.HandleBonus(bonus);
    EXPECT_EQ(other->GetCurrentMoney(), 70u);

    bonus.sourceId = local->GetObjectId();
    players.HandleBonus(bonus);
    bonus.receiverId = local->GetObjectId();
    players.HandleBonus(bonus);
    EXPECT_EQ(other->GetCurrentMoney(), 70u);
    EXPECT_EQ(local->GetCurrentMoney(), 0u);

    bonus.sourceId = 0x30000001;
    bonus.receiverId = 0x50000001; // no such player
    players.HandleBonus(bonus);
    EXPECT_EQ(local->GetCurrentMoney(), 0u);
}

class ServerPlayers : public GAME::Test::GameEngineFixture {};

TEST_F(ServerPlayers, LoadsTheSharingEquationsAndReportsTheBadOnes)
{
    database.WriteRecord("Records/Game/BonusSharing.dbr",
                         {"ActiveExperience = amountOfExperience*2", "PassiveGold = ((("});
    PlayerManagerServer players;
    EXPECT_EQ(log.Count(Engine::LogData, "-=- Equation Load Failure: passiveGoldEquation"), 1u);
    EXPECT_EQ(log.CountContaining("activeExperienceEquation"), 0u);

    float value = -1.0f;
    EXPECT_FALSE(players.GetDesignerVariable("AmountOfGold", value));
    EXPECT_EQ(value, 0.0f);
}

TEST_F(ServerPlayers, RefusesAPlayerItAlreadyHolds)
{
    Start();
    GameEngineServerServicesModule module;
    PlayerManagerServer& players = *module.GetPlayerManager();
    players.HandleNewPlayer(ListedPlayer(0x20000001, L"Bob"));
    players.HandleNewPlayer(ListedPlayer(0x20000001, L"Bob again"));
    players.AddPlayerToParty(0x20000001, 7);
    EXPECT_EQ(players.GetPlayers(), (std::vector<uint32_t>{0x20000001}));
}

// A client's heartbeat sent before it heard of its join carries no party: the server keeps the
// join, takes the rest, and the lists it sends go on carrying the party.
TEST_F(ServerPlayers, AHeartbeatWithAStalePartyDoesNotUndoAJoinNorAJoinRecordMakeOne)
{
    Start();
    GameEngineServerServicesModule module;
    GameEngineOutboundInterface network;
    GameEngineNetworkInterface* slot = &network;
    module.SetNetworkInterfaceSlot(&slot);
    PlayerManagerServer& players = *module.GetPlayerManager();
    players.HandleNewPlayer(ListedPlayer(0x10000001, L"Ana"));
    players.HandleNewPlayer(ListedPlayer(0x20000001, L"Bob"));
    players.AddPlayerToParty(0x10000001, 0x10000001);
    players.AddPlayerToParty(0x20000001, 0x10000001);
    PlayerNetHeartbeatInfo stale;
    stale.playerId = 0x20000001;
    stale.partyId = 0;
    stale.level = 12;
    stale.health = 30.0f;
    stale.position = WorldVec3(1, Vec3(4.0f, 0.0f, 2.0f));
    players.HandlePlayerHeartbeatInbound(stale);
    // A client cannot put itself into a party by its heartbeat either.
    PlayerNetHeartbeatInfo claim = stale;
    claim.playerId = 0x10000001;
    claim.partyId = 0x20000001;
    players.HandlePlayerHeartbeatInbound(claim);
    TakeSent<AllPlayersBasicInfoPacket>();

    players.HandlePlayerUpdateOutbound();
    const auto lists = TakeSent<AllPlayersBasicInfoPacket>();
    ASSERT_EQ(lists.size(), 1u);
    ASSERT_EQ(lists[0]->players.size(), 2u);
    const PlayerNetBasicInfo& bob = lists[0]->players[1];
    EXPECT_EQ(bob.partyId, 0x10000001);
    EXPECT_EQ(lists[0]->players[0].partyId, 0x10000001);
    // What is his own to say is taken; his name stays.
    EXPECT_EQ(bob.level, 12u);
    EXPECT_EQ(bob.health, 30.0f);
    EXPECT_EQ(bob.name, L"Bob");
    EXPECT_EQ(players.GetPlayerLocation(0x20000001), stale.position);
    players.HandlePlayerHeartbeatOutbound();
    const auto beats = TakeSent<AllPlayersHeartbeatPacket>();
    ASSERT_EQ(beats.size(), 1u);
    ASSERT_EQ(beats[0]->players.size(), 2u);
    EXPECT_EQ(beats[0]->players[1].partyId, 0x10000001);

    // Nor by the record it joins with: the party is the party manager's to set.
    PlayerNetBasicInfo cy = ListedPlayer(0x30000001, L"Cy");
    cy.partyId = 0x10000001;
    players.HandleNewPlayer(cy);
    const auto joined = TakeSent<AllPlayersBasicInfoPacket>();
    ASSERT_EQ(joined.size(), 1u);
    ASSERT_EQ(joined[0]->players.size(), 3u);
    EXPECT_EQ(joined[0]->players[2].partyId, 0);
}

class BonusSharing : public GAME::Test::GameEngineFixture {
protected:
    static constexpr uint32_t kVictim = 0x00000777;

    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord("Records/Game/BonusSharing.dbr",
                             {"ActiveExperience = amountOfExperience*2",
                              "PassiveExperience = amountOfExperience/evaluatingPartyMemberCount",
                              "ActiveGold = amountOfGold", "PassiveGold = 0"});
        Start();
    }

    PlayerManagerServer& Server() { return *Game().GetPlayerManagerServer(); }

    void AddPlayer(uint32_t id, float x)
    {
        PlayerNetBasicInfo record;
        record.playerId = id;
        record.position = WorldVec3(1, Vec3(x, 0.0f, 0.0f));
        Server().HandleNewPlayer(record);
    }

    Bonus Reward() const
    {
        Bonus bonus;
        bonus.experiencePoints = 1000;
        bonus.goldPoints = 60;
        bonus.sourceId = kVictim;
        return bonus;
    }
};

TEST_F(BonusSharing, AloneTheLocalPlayerEarnsByHisShareOfTheDamage)
{
    Player* me = MakeMainPlayer();
    AddPlayer(me->GetObjectId(), 0.0f);
    Game().RegisterDamage(kVictim, me->GetObjectId(), 30.0f);
    Game().RegisterDamage(kVictim, 0x00000999, 10.0f);
    Game().SetAsNetworkServer();
    gEngine->GetNetworkConnectionManager().ClearSentPackets();

    Server().HandleBonus(Reward(), WorldVec3(1, Vec3()), 0x00000999); // not the local player
    EXPECT_TRUE(TakeSent<BonusToClientPacket>().empty());

    Server().HandleBonus(Reward(), WorldVec3(1, Vec3()), me->GetObjectId());
    const auto sent = TakeSent<BonusToClientPacket>();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->bonus.receiverId, me->GetObjectId());
    EXPECT_EQ(sent[0]->bonus.experiencePoints, 750u);
    EXPECT_EQ(sent[0]->bonus.goldPoints, 60u);
}

TEST_F(BonusSharing, OnlyPlayersNearTheKillShareAndTheKillerTakesTheActiveForm)
{
    AddPlayer(0x10000001, 0.0f);
    AddPlayer(0x20000001, 24.0f);
    AddPlayer(0x30000001, 30.0f);
    Game().RegisterDamage(kVictim, 0x10000001, 20.0f);
    Game().RegisterDamage(kVictim, 0x20000001, 20.0f);

    const auto shares =
        Server().ComputeBonusShares(60, 1000, WorldVec3(1, Vec3()), 0x10000001, kVictim);
    ASSERT_EQ(shares.size(), 2u);
    EXPECT_EQ(shares[0].playerId, 0x10000001u);
    EXPECT_EQ(shares[0].experience, 1000u); // 2000 active, half the damage
    EXPECT_EQ(shares[0].gold, 60u);
    EXPECT_EQ(shares[1].playerId, 0x20000001u);
    EXPECT_EQ(shares[1].experience, 500u); // 1000 passive, alone in his party
    EXPECT_EQ(shares[1].gold, 0u);
}

} // namespace
} // namespace GAME
