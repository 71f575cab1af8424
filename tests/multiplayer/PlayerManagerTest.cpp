#include "multiplayer/PartyManager.h"

#include "multiplayer/BonusPackets.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineInboundInterface.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/PartyConsent.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"

#include "characters/Bonus.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/PlayerInfo.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "tests/multiplayer/WireBytes.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Must.h"
#include "tests/support/PlayerListRecords.h"
#include "tests/support/Records.h"
#include "world/FixedItemTeleport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace GAME {
namespace {

using GAME::Test::ListedPlayer;

PlayerNetHeartbeatInfo Beat(uint32_t id, uint32_t level = 0, int32_t party = 0)
{
    PlayerNetHeartbeatInfo beat;
    beat.playerId = id;
    beat.level = level;
    beat.partyId = party;
    return beat;
}

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

    players.HandlePlayerHeartbeatInbound({Beat(0x10000001, 40), Beat(0x20000001, 9)});

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

// The game's own list.
class PlayerList : public ClientPlayers {
protected:
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

constexpr uint32_t kAna = 0x10000001;
constexpr uint32_t kBob = 0x20000001;
constexpr uint32_t kCy = 0x30000001;
constexpr uint32_t kDee = 0x40000001;
constexpr uint32_t kUnknown = 0x70000001;

class Parties : public PlayerList {
protected:
    PartyManager& Party() { return *Game().GetPartyManager(); }

    static PlayerNetBasicInfo Record(uint32_t id, const std::wstring& name, uint32_t party,
                                     float x = 0)
    {
        PlayerNetBasicInfo record = GAME::Test::ListedPlayer(id, name, static_cast<int32_t>(party));
        record.position = WorldVec3(1, Vec3(x, 0.0f, 0.0f));
        return record;
    }

    // Ana leads Bob and Cy; Dee is on her own.
    void FourPlayers(uint32_t local = 0)
    {
        if (local != 0)
            Players().SetMainPlayer(local);
        Players().HandlePlayerUpdate({Record(kAna, L"Ana", kAna), Record(kBob, L"Bob", kAna, 10),
                                      Record(kCy, L"Cy", kAna, 40), Record(kDee, L"Dee", 0)});
    }

    uint32_t PartyOf(uint32_t id) { return Party().GetParty(id); }
};

TEST_F(Parties, CountMembersAndKnowWhoIsTogetherFromThePlayerRecords)
{
    FourPlayers();
    EXPECT_EQ(Party().GetNumInPlayersParty(kBob), 3u);
    EXPECT_EQ(Party().GetNumInPlayersParty(kDee), 1u);
    EXPECT_EQ(Party().GetNumInPlayersParty(kUnknown), 1u);
    EXPECT_EQ(Party().GetNumPlayersInParty(0), 1u);
    EXPECT_EQ(Party().GetNumPlayersInPartyNear(kAna, WorldVec3(1, Vec3()), 10.0f), 2u);
    EXPECT_EQ(Party().GetPlayerFaction(kCy), kAna);
    EXPECT_EQ(Party().GetPlayerFaction(kDee), kDee);

    std::vector<uint32_t> members{99};
    Party().GetPartyMembers(kCy, members);
    EXPECT_EQ(members, (std::vector<uint32_t>{99, kAna, kBob, kCy}));
    members.clear();
    Party().GetPartyMembers(kDee, members);
    EXPECT_EQ(members, (std::vector<uint32_t>{kDee}));

    EXPECT_TRUE(Party().AreInPartyTogether(kBob, kCy));
    EXPECT_FALSE(Party().AreInPartyTogether(kAna, kDee));
    EXPECT_TRUE(Party().AreInPartyTogether(kUnknown, kUnknown));
    EXPECT_FALSE(Party().AreInPartyTogether(kUnknown, 0x70000002));
    // Two players without a party share party 0 but are not together.
    Players().HandlePlayerUpdate({Record(kAna, L"Ana", 0), Record(kBob, L"Bob", 0)});
    EXPECT_FALSE(Party().AreInPartyTogether(kAna, kBob));
}

TEST_F(Parties, ALeaderWhoLeavesHandsThePartyToTheNextMember)
{
    FourPlayers();
    Party().CleanUpForPlayerLeave(kAna);
    EXPECT_EQ(PartyOf(kBob), kBob);
    EXPECT_EQ(PartyOf(kCy), kBob);
    EXPECT_EQ(PartyOf(kDee), 0u);

    Party().CleanUpForPlayerLeave(kBob);
    EXPECT_EQ(PartyOf(kCy), 0u);
}

TEST_F(Parties, OnlyTheLeaderMayKickAndAPartyOfTwoDissolves)
{
    FourPlayers(kBob);
    Party().AttemptToKickFromLocalParty(kCy);
    EXPECT_EQ(PartyOf(kCy), kAna);

    Players().HandlePlayerUpdate({Record(kAna, L"Ana", kAna), Record(kBob, L"Bob", kAna)});
    Players().SetMainPlayer(kAna);
    Party().AttemptToKickFromLocalParty(kBob);
    EXPECT_EQ(PartyOf(kAna), 0u);
    EXPECT_EQ(PartyOf(kBob), 0u);
}

TEST_F(Parties, ASecondInvitationWaitsAndARefusalShowsIt)
{
    const uint32_t local = MakeMainPlayer()->GetObjectId();
    Players().HandlePlayerUpdate(
        {Record(local, L"Me", 0), Record(kBob, L"Bob", 0), Record(kCy, L"Cy", 0)});

    Party().HandlePartyInvite(kDee, static_cast<int32_t>(kBob)); // someone else's invitation
    EXPECT_FALSE(Party().IsInvitePending());
    Party().HandlePartyInvite(local, static_cast<int32_t>(kBob));
    Party().HandlePartyInvite(local, static_cast<int32_t>(kCy));
    EXPECT_TRUE(Party().IsInvitePending());
    EXPECT_EQ(Party().GetCurrentInviter(), kBob);
    EXPECT_EQ(Party().GetNumQueuedInvitations(), 1u);
    DialogManager& dialogs = Game().GetDialogManager();
    ASSERT_EQ(dialogs.GetNumDialog(), 1u);
    dialogs.RemoveTopDialog();

    Party().Update(); // no answer yet
    EXPECT_TRUE(Party().IsInvitePending());
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    dialogs.AddResponse({DialogManager::PartyInvitation, false});
    Party().Update();
    EXPECT_EQ(Party().GetCurrentInviter(), kCy);
    EXPECT_EQ(Party().GetNumQueuedInvitations(), 0u);
    const auto answers = TakeSent<PartyRequestResponsePacket>();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_FALSE(answers[0]->accepted);

    dialogs.AddResponse({DialogManager::PartyInvitation, true});
    Party().Update();
    EXPECT_FALSE(Party().IsInvitePending());
    EXPECT_EQ(PartyOf(local), kCy);
    EXPECT_EQ(PartyOf(kCy), kCy);
    EXPECT_EQ(PartyOf(kBob), 0u);
}

// What arrives from another machine is decoded and carried out here.
class InboundDelivery : public Parties {
protected:
    void Deliver()
    {
        for (const std::vector<uint8_t>& bytes : GAME::Test::TakeSentBytes()) {
            std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
            ASSERT_NE(packet, nullptr);
            EXPECT_TRUE(
                InboundPacketDispatcher::Dispatch(*packet, *Game().GetInboundNetworkInterface()));
        }
    }

    GameEngineOutboundInterface remote;
};

TEST_F(InboundDelivery, PartyChatAndBalanceReachTheGame)
{
    FourPlayers();
    GAME::Test::TakeSentBytes();
    remote.AddPlayerToParty(kDee, static_cast<int32_t>(kAna));
    remote.HandleChatMessage(L"Bob", L"hello", 2, {kAna});
    remote.GameBalanceUpdate(7);
    Deliver();

    EXPECT_EQ(Party().GetNumInPlayersParty(kAna), 4u);
    std::vector<ChatMessage> chat;
    Game().RemovePendingMessages(chat);
    ASSERT_EQ(chat.size(), 1u);
    EXPECT_EQ(std::tie(chat[0].sender, chat[0].text, chat[0].channel),
              std::tuple(std::wstring(L"Bob"), std::wstring(L"hello"), 2));
    EXPECT_EQ(Game().GetBalanceDifficulty(), 7);
}

// A server's judgement of party joins, by host: Ana (host 1) leads Bob (2) and Cy (3).
TEST_F(Parties, AClientJoinsOnlyAPartyItAcceptedOrThatItsPlayerLeads)
{
    FourPlayers();
    PartyConsent consent;
    EXPECT_FALSE(consent.MayJoin(4, kDee, kAna, &Party()));
    EXPECT_FALSE(consent.Answered(kDee, kAna, true));
    consent.Invited(kDee, kAna);
    EXPECT_TRUE(consent.Answered(kDee, kAna, true));
    EXPECT_FALSE(consent.Answered(kDee, kAna, true));
    const struct {
        int host;
        uint32_t player;
        uint32_t party;
        bool may;
    } rows[] = {
        {4, kDee, kAna, true}, {4, kAna, kAna, true},  {3, kDee, kAna, false},
        {4, kDee, kCy, false}, {3, kCy, 0, true},      {1, kBob, 0, true},
        {2, kCy, 0, false},    {4, kBob, kDee, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(consent.MayJoin(row.host, row.player, row.party, &Party()), row.may)
            << row.host << " " << row.player << " " << row.party;
    consent.Forget(4);
    EXPECT_FALSE(consent.MayJoin(4, kDee, kAna, &Party()));
}

TEST_F(InboundDelivery, InSinglePlayerTheServersListReachesTheClientAtOnce)
{
    Game().GetPlayerManagerServer()->HandleNewPlayer(Record(kBob, L"Bob", 0));
    EXPECT_EQ(Players().GetPlayerName(kBob), L"Bob");
    EXPECT_TRUE(GAME::Test::TakeSentBytes().empty());

    // On a server the same list goes out on the wire instead.
    Game().SetAsNetworkServer();
    Game().GetPlayerManagerServer()->HandleNewPlayer(Record(kCy, L"Bob", 0));
    EXPECT_FALSE(Players().IsPlayerInList(kCy));
    EXPECT_EQ(TakeSent<AllPlayersBasicInfoPacket>().size(), 1u);
}

class LocalPlayer : public ClientPlayers {
protected:
    void SetUp() override
    {
        ClientPlayers::SetUp();
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
    game.HandlePlayerUpdate(
        {ListedPlayer(0x20000001, L"Bob"), ListedPlayer(player->GetObjectId(), L"Old", 7)});
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
    game.HandlePlayerUpdate({ListedPlayer(7, L"Lea"), ListedPlayer(player->GetObjectId(), L"")});
    game.AddPlayerToParty(player->GetObjectId(), 7);
    game.AddPlayerToParty(7, 7);
    game.HandlePlayerHeartbeatInbound({Beat(player->GetObjectId()), Beat(7, 3, 7)});
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

// A server's player list greets newcomers through the hub, so the module runs beside one.
class ServerServices : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        module.SetNetworkInterfaceSlot(&slot);
    }

    GameEngineOutboundInterface wire;
    GameEngineNetworkInterface* slot = &wire;
    GameEngineServerServicesModule module;
};

TEST_F(ServerServices, SendsTheBalanceLevelOnceThroughTheInterfaceCurrentAtTheTime)
{
    module.Update(16);
    EXPECT_TRUE(TakeSent<GameBalanceUpdatePacket>().empty()) << "no players at normal difficulty";

    gEngine->GetGameInfo().SetDifficulty(1);
    module.GetPlayerManager()->HandleNewPlayer(ListedPlayer(0x10000001, L""));
    module.GetPlayerManager()->HandleNewPlayer(ListedPlayer(0x20000001, L""));
    module.Update(16);
    module.Update(16);
    const auto sent = TakeSent<GameBalanceUpdatePacket>();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->level, 8);

    // A change of role reaches the module through the slot, without telling it: here the level
    // is carried out at home and nothing goes on the wire.
    slot = Game().GetInboundNetworkInterface();
    module.GetPlayerManager()->HandleNewPlayer(ListedPlayer(0x30000001, L""));
    module.Update(16);
    module.Update(16);
    EXPECT_TRUE(TakeSent<GameBalanceUpdatePacket>().empty());
    EXPECT_EQ(Game().GetBalanceDifficulty(), 9);
    EXPECT_EQ(module.GetBalanceLevel(), 9);
}

TEST_F(ServerServices, PlayerListFollowsThreeHeartbeatsAndAFullUpdateAfterTheFirstFour)
{
    module.GetPlayerManager()->HandleNewPlayer(ListedPlayer(0x10000001, L""));
    TakeSent<NetPacket>();
    PlayerManagerServer& players = *module.GetPlayerManager();
    players.Update(PlayerManagerServer::kUpdateIntervalMs); // not yet: the wait must be exceeded
    players.Update(1);
    for (int frame = 0; frame < 8; ++frame)
        players.Update(1200);
    std::string order;
    for (const auto& packet : TakeSent<NetPacket>()) {
        if (const auto* beat = dynamic_cast<const AllPlayersHeartbeatPacket*>(packet.get()))
            order += beat->players.size() == 1 ? 'h' : '?';
        else if (const auto* all = dynamic_cast<const AllPlayersBasicInfoPacket*>(packet.get()))
            order += all->players.size() == 1 ? 'U' : '?';
        else
            order += 'x';
    }
    EXPECT_EQ(order, "hhhhUhhhU");
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

TEST_F(ServerServices, RefusesAPlayerItAlreadyHolds)
{
    PlayerManagerServer& players = *module.GetPlayerManager();
    players.HandleNewPlayer(ListedPlayer(0x20000001, L"Bob"));
    players.HandleNewPlayer(ListedPlayer(0x20000001, L"Bob again"));
    players.AddPlayerToParty(0x20000001, 7);
    EXPECT_EQ(players.GetPlayers(), (std::vector<uint32_t>{0x20000001}));
}

// A client's heartbeat sent before it heard of its join carries no party: the server keeps the
// join, takes the rest, and the lists it sends go on carrying the party.
TEST_F(ServerServices, AHeartbeatWithAStalePartyDoesNotUndoAJoinNorAJoinRecordMakeOne)
{
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
