#include "engine/ConnectionManager.h"
#include "engine/HostMessagePackets.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "host/ArenaSamples.h"
#include "host/HostOptions.h"
#include "host/WorldDigest.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/SessionPackets.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "tests/host/HostRun.h"
#include "tests/host/HostSession.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/HostileServer.h"
#include "tests/support/UdpRelay.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <functional>
#include <map>
#include <memory>
#include <thread>

namespace GAME::Test {
namespace {

using Clock = ChildProcess::Clock;

// A message of any type and words, for what an honest machine never sends.
class RawMessage : public NetPacket {
public:
    RawMessage(uint32_t type, std::vector<uint32_t> words)
        : NetPacket(type), words(std::move(words))
    {}
    uint32_t PrepareOutBuffer() override
    {
        NetPacketOutBuffer out(*this);
        for (uint32_t word : words)
            out.AddUInt(word);
        return out.Done();
    }
    void CopyInbound(const uint8_t*, int) override {}
    std::string GetPacketDescription(bool) const override { return {}; }

private:
    std::vector<uint32_t> words;
};

// The two-jackal session.
class NetworkSession : public HostSession {
protected:
    NetworkSession() : HostSession({"--scenario", "pack"}) {}

    // A server's part as far as the welcome, and when `whole` the world's end and the session's.
    static HostileServer::Script Whole(uint32_t world, uint32_t end, int32_t difficulty,
                                       int32_t players, bool whole)
    {
        HostileServer::Script script;
        script.world = world;
        script.endDigest = end;
        script.difficulty = difficulty;
        script.players = players;
        script.complete = script.end = whole;
        return script;
    }
};

TEST_F(NetworkSession, ServerAndEightClientsPlayTheSameSession)
{
    StartServer(8, std::chrono::seconds(120));
    for (int i = 0; i < 8; ++i)
        StartClient();
    ExpectAllEnd();
    const std::string served = server->Output();
    const std::string digest = LinesStarting(served, "end: digest ");
    ASSERT_NE(digest, "");
    // Each client is a host of its own, the first to join host 1.
    int firstHosts = 0;
    for (auto& client : clients) {
        EXPECT_EQ(LinesStarting(client->Output(), "end: digest "), digest);
        firstHosts += LinesStarting(client->Output(), "joined as host ") == "joined as host 1\n";
    }
    EXPECT_EQ(firstHosts, 1);
    EXPECT_EQ(EndLines(clients[0]->Output()), EndLines(served));
    EXPECT_NE(LinesStarting(served, "end: monster "), "");
    EXPECT_NE(LinesStarting(served, "end: item "), "");
    EXPECT_NE(LinesStarting(served, "host 1 left"), "");
    EXPECT_EQ(PartySize(served), 9);
    EXPECT_EQ(LinesStarting(served, "dropped: "), "dropped: none\n");
    EXPECT_EQ(LinesStarting(served, "hosts dropped: "), "hosts dropped: 0\n");
}

// A welcome's numbers are checked as any message's are: a difficulty the game has not, or a
// count of players no server takes, is refused in one line and the client ends with status 3.
TEST_F(NetworkSession, AClientRefusesAWelcomeItCannotPlay)
{
    HostOptions sample;
    sample.databaseFolder = database;
    sample.scenario = "pack";
    const uint32_t world = WorldDigest::Of(sample);
    const struct {
        int32_t difficulty;
        int32_t players;
        const char* line;
    } rows[] = {
        {3, 1, "gamehost: the server's welcome names no difficulty: 3\n"},
        {-1, 1, "gamehost: the server's welcome names no difficulty: -1\n"},
        {2, 0, "gamehost: the server's welcome expects 0 clients\n"},
        {0, INT32_MIN, "gamehost: the server's welcome expects -2147483648 clients\n"},
    };
    deadline = Clock::now() + std::chrono::seconds(60);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        HostileServer fake(Whole(world, 0, row.difficulty, row.players, true));
        ChildProcess& client = ServeClient(fake, std::chrono::seconds(20));
        EXPECT_EQ(client.Wait(deadline), 3) << client.Errors();
        EXPECT_EQ(LinesStarting(client.Errors(), "gamehost: "), row.line);
        EXPECT_EQ(client.Output(), "");
    }
}

// A client whose world is not its server's never passes for one that agrees: a level or a
// database unlike the server's is refused at the welcome, end lines unlike the server's are told
// at the end, both in one line and with status 4. One whose server sends no world after its
// welcome, while it keeps the link, ends once it has heard nothing for the link's bound.
TEST_F(NetworkSession, AClientWhoseWorldDiffersFromTheServersSaysSo)
{
    HostOptions sample;
    sample.databaseFolder = database;
    sample.scenario = "pack";
    const uint32_t world = WorldDigest::Of(sample);
    ASSERT_NE(world, 0u);
    const struct {
        uint32_t world;
        bool whole;
        int status;
        const char* line;
    } rows[] = {
        {world + 1, true, 4,
         "gamehost: this machine's scenario, level or database differs from the server's: "},
        {world, true, 4, "gamehost: this machine's end differs from the server's: digest "},
        {world, false, 3, "gamehost: the server sent no world for 15 s\n"},
    };
    deadline = Clock::now() + std::chrono::seconds(90);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        HostileServer fake(Whole(row.world, 0xdeadbeefu, 0, 1, row.whole));
        ChildProcess& client = ServeClient(fake, std::chrono::seconds(30));
        EXPECT_EQ(client.Wait(deadline), row.status) << client.Errors();
        const std::string errors = client.Errors();
        EXPECT_EQ(errors.substr(errors.find("gamehost: "), std::string(row.line).size()), row.line);
    }
    EXPECT_NE(clients[1]->Errors().find(", the server's deadbeef\n"), std::string::npos);
    EXPECT_NE(LinesStarting(clients[1]->Output(), "end: digest "), "");
}

// A suite of its own: most of it is the server's wait.
class LoneServer : public NetworkSession {};

// The server waits for the clients it was started for, and no longer: one short, it ends and
// tells the one that came.
TEST_F(LoneServer, EndsWhenAClientIsMissingAfterItsWait)
{
    StartServer(2, std::chrono::seconds(90));
    ChildProcess& client = StartClient();
    ASSERT_FALSE(server->WaitForLine("host 1 joined: player ", deadline).empty())
        << server->Errors();
    EXPECT_EQ(server->Wait(deadline), 3);
    EXPECT_NE(server->Errors().find("gamehost: 1 of 2 clients within 30 s\n"), std::string::npos)
        << server->Errors();
    EXPECT_EQ(client.Wait(deadline), 3);
    EXPECT_NE(client.Errors().find("gamehost: the session ended\n"), std::string::npos)
        << client.Errors();
}

// Datagrams outside the transport's protocol.
void SendGarbage(uint16_t port)
{
    const int sock = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
    const uint8_t junk[][6] = {{0xff, 0xff, 0, 1, 2, 3}, {0x80, 0, 0xde, 0xad, 0xbe, 0xef}};
    for (const auto& datagram : junk)
        sendto(sock, datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    close(sock);
}

// What the attacker learns of the server's world: each entity's id by its record.
class HeardWorld final : public ConnectionManager::Listener {
public:
    void OnMessage(int, NetPacket& packet) override
    {
        if (const auto* spawn = dynamic_cast<const EntitySpawnPacket*>(&packet))
            ids[spawn->recordName].push_back(spawn->objectId.GetId());
        complete = complete || dynamic_cast<const ServerSpawnCompletePacket*>(&packet) != nullptr;
    }
    std::map<std::string, std::vector<uint32_t>> ids;
    bool complete = false;
};

// Sends what the server must refuse, and counts it.
struct Forger {
    void Send(NetPacket& packet)
    {
        attacker.SendPacket(packet);
        ++refused;
    }
    ConnectionManager& attacker;
    uint64_t refused = 0;
};

// What a client may not make or take away: a monster under the server's id, the other client's
// and a flood of them, an item for the other player and for the server's hero, a portal in the
// other player's name, the closing of his, and texts about the server's hero.
void SendForgedCreations(Forger& forger, const HeardWorld& world, uint32_t honest)
{
    const uint32_t own = (2u << 28) | 0x100;
    const uint32_t server = world.ids.at(ArenaSamples::kPlayer).at(0);
    CreateEntityPacket monster;
    monster.recordName = ArenaSamples::kJackal;
    // The server's id, the other client's, and ids the server's own allocator hands out,
    // faster than a second allows.
    std::vector<uint32_t> ids = {5000u, (1u << 28) | 5000u};
    for (uint32_t id = 10000; id < 10040; ++id)
        ids.push_back(id);
    for (uint32_t id : ids) {
        monster.objectId = id;
        forger.Send(monster);
    }
    CreateItemPacket helm;
    helm.item.baseName = "Records/Items/Market/IronHelm.dbr";
    helm.item.id = own;
    for (uint32_t wearer : {honest, server}) {
        ++helm.item.id;
        helm.characterId = wearer;
        forger.Send(helm);
    }
    CreateItemTeleportPacket portal;
    portal.objectId = own;
    portal.ownerId = honest;
    DestroyItemTeleportPacket closing;
    closing.objectId = honest;
    RemoteMessagePacket about;
    about.receiver = honest;
    about.optionalInsert = server;
    about.textTag = "tagMessageBan";
    RemoteWMessagePacket ban;
    ban.receiver = honest;
    ban.text = L"the server's hero is banned";
    for (NetPacket* message : std::initializer_list<NetPacket*>{&portal, &closing, &about, &ban})
        forger.Send(*message);
}

// Sends what a client may not say, each in another's name or for what is not its own; answers
// how many of them the server must refuse.
uint64_t SendForged(ConnectionManager& attacker, const HeardWorld& world, uint32_t honest)
{
    Forger forger{attacker};
    const uint32_t own = (2u << 28) | 1;
    const std::vector<uint32_t>& monsters = world.ids.at(ArenaSamples::kJackal);
    const uint32_t server = world.ids.at(ArenaSamples::kPlayer).at(0);
    // The pack, the server's hero, the other client's and an actor nobody holds.
    SetInvincibleConfigCmdPacket invincible;
    invincible.invincible = true;
    for (uint32_t actor : {monsters.at(0), monsters.at(1), server, honest, own}) {
        invincible.actorId = actor;
        forger.Send(invincible);
    }
    AttackPacket attack;
    attack.ownerId = monsters.at(0);
    RawMessage trade(38, {honest, server});
    RawMessage gold(112, {honest, 100000});
    RawMessage join(107, {own, server});
    PartyRequestResponsePacket answer;
    answer.sender = honest;
    answer.recipient = server;
    answer.accepted = true;
    QuestMessagePacket quest;
    quest.sender = server;
    // A player record after a spawn that names no entity, so that no player is made.
    SpawnPlayerPacket spawn;
    spawn.objectId = own;
    forger.Send(spawn);
    SinglePlayerBasicInfoPacket record;
    record.player.playerId = own;
    // Only the server ends a session.
    SessionEndsPacket ends;
    for (NetPacket* message : std::initializer_list<NetPacket*>{&attack, &trade, &gold, &join,
                                                                &answer, &quest, &record, &ends})
        forger.Send(*message);
    SendForgedCreations(forger, world, honest);
    return forger.refused;
}

// The attacker takes the second client's place; once it is dropped, an honest client takes its
// host index, and the footer still counts what the attacker sent, though not the attacker among
// the hosts dropped: it never brought a player.
TEST_F(NetworkSession, HostileClientIsRefusedAndDroppedWhileTheSessionGoesOn)
{
    StartServer(2, std::chrono::seconds(60));
    ChildProcess& honest = StartClient();
    const std::string joined = server->WaitForLine("host 1 joined: player ", deadline);
    ASSERT_FALSE(joined.empty()) << server->Errors();
    const uint32_t honestHero = static_cast<uint32_t>(std::stoul(joined.substr(22)));

    ConnectionManager attacker;
    HeardWorld world;
    attacker.SetListener(&world);
    ASSERT_TRUE(attacker.Connect("127.0.0.1", port));
    ASSERT_EQ(attacker.GetLocalHostID(), 2);
    ObjectManager::Instance().SetHostIndex(0);
    Pump(attacker, std::chrono::seconds(10), [&] { return world.complete; });
    ASSERT_TRUE(world.complete);
    // Sent while the pack lives: a monster made invincible would never let the session end.
    const uint64_t forged = SendForged(attacker, world, honestHero);
    SendGarbage(port);
    RawMessage cutShort(22, {honestHero, 0});
    RawMessage unknown(200, {7});
    GameBalanceUpdatePacket balance;
    SinglePlayerHeartbeatPacket heartbeat;
    heartbeat.player.playerId = honestHero;
    for (NetPacket* refused :
         std::initializer_list<NetPacket*>{&cutShort, &unknown, &balance, &heartbeat})
        attacker.SendPacket(*refused);
    Pump(attacker, std::chrono::milliseconds(300));
    // A busy server takes in a reliable stream more slowly than it is sent: the flood goes on
    // until the server has cut it off.
    RawMessage frustum(20, {2, 1, 0, 0, 0});
    for (int round = 0; round < 5 && attacker.IsConnected(); ++round) {
        for (int i = 0; i < 3000; ++i)
            attacker.SendPacket(frustum);
        Pump(attacker, std::chrono::milliseconds(1500));
    }
    attacker.SetListener(nullptr);
    attacker.Disconnect();
    ASSERT_FALSE(server->WaitForLine("host 2 left", deadline).empty()) << server->Errors();
    ChildProcess& late = StartClient();

    ExpectAllEnd();
    EXPECT_EQ(LinesStarting(late.Output(), "joined as host "), "joined as host 2\n");
    const std::string served = server->Output();
    EXPECT_EQ(EndLines(honest.Output()), EndLines(served));
    EXPECT_EQ(EndLines(late.Output()), EndLines(served));
    // Both monsters died, and the attacker is no player of the party or of the game.
    EXPECT_EQ(LinesStarting(served, "end: players "), "end: players 3\n");
    const std::string dead = LinesStarting(served, "end: monster ");
    EXPECT_EQ(std::count(dead.begin(), dead.end(), '\n'), 2);
    EXPECT_EQ(PartySize(served), 3);
    EXPECT_EQ(LinesStarting(served, "dropped: "),
              "dropped: host 2: " + std::to_string(forged + 4) + "\n");
    EXPECT_EQ(LinesStarting(served, "hosts dropped: "), "hosts dropped: 0\n");
    EXPECT_NE(server->Errors().find("ConnectionManager: host 2 dropped: flood"), std::string::npos);
    // Refused before anything was made: no id met one of the server's.
    EXPECT_EQ(server->Errors().find("is already in use"), std::string::npos);
}

// A client waiting for a server that never answers ends at once on ^C, with the signal's one
// line and status, long before its wait for the welcome would have run out.
TEST_F(NetworkSession, AClientInterruptedWhileConnectingEndsAtOnceWithOneLine)
{
    const int silent = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in at{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t length = sizeof at;
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    ASSERT_EQ(getsockname(silent, reinterpret_cast<sockaddr*>(&at), &length), 0);
    const timeval wait{30, 0};
    setsockopt(silent, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    port = ntohs(at.sin_port);
    ChildProcess& client = StartClient();
    // Its connect request says it waits.
    uint8_t request[1500];
    ASSERT_GT(recv(silent, request, sizeof request, 0), 0) << client.Errors();
    client.Signal(SIGINT);
    EXPECT_EQ(client.Wait(Clock::now() + std::chrono::seconds(5)), 128 + SIGINT);
    EXPECT_EQ(client.Errors(), "gamehost: interrupted by SIGINT\n");
    close(silent);
}

// Suites of their own: most of each is a wait for a silent link or a stopped client.
class LostClient : public NetworkSession {};
class FullServer : public NetworkSession {};

// A client killed in the fight: the server finds it silent and lets it go, and the party that
// ends is the one of the players still there, alike on both machines.
TEST_F(LostClient, TheOthersGoOnWithoutIt)
{
    StartServer(2, std::chrono::seconds(90));
    ChildProcess& killed = StartTwoClients();
    ChildProcess& stays = *clients.front();
    killed.Kill();
    EXPECT_EQ(stays.Wait(deadline), 0) << stays.Errors();
    EXPECT_EQ(server->Wait(deadline), 0) << server->Errors();
    const std::string served = server->Output();
    EXPECT_NE(LinesStarting(served, "host 2 lost: no answer for "), "") << served;
    EXPECT_EQ(LinesStarting(served, "host 2 left"), "");
    ASSERT_NE(LinesStarting(served, "end: digest "), "") << served;
    EXPECT_EQ(EndLines(stays.Output()), EndLines(served));
    EXPECT_EQ(LinesStarting(served, "end: players "), "end: players 2\n");
    EXPECT_EQ(PartySize(served), 2);
}

// Once the clients the server was started for have come, a third is told the session is under
// way. A client stopped when the session has ended is waited for the link's bound, then lost, and
// the server ends well.
TEST_F(FullServer, RefusesAThirdClientUnderWayAndOnceEndedWaitsForOneStopped)
{
    StartServer(2, std::chrono::seconds(90));
    ChildProcess& first = StartClient();
    ChildProcess& second = StartClient();
    ASSERT_FALSE(server->WaitForLine("host 2 joined: player ", deadline).empty())
        << server->Errors();
    ChildProcess& third = StartClient();
    EXPECT_EQ(third.Wait(deadline), 3);
    EXPECT_NE(third.Errors().find("gamehost: the session is under way\n"), std::string::npos)
        << third.Errors();
    ASSERT_FALSE(server->WaitForLine("end: digest ", deadline).empty()) << server->Errors();
    second.Signal(SIGSTOP);
    EXPECT_EQ(server->Wait(deadline), 0) << server->Errors();
    second.Signal(SIGCONT);
    // Started together, either client may be host 2.
    EXPECT_NE(server->Output().find(" lost: no answer for "), std::string::npos)
        << server->Output();
    EXPECT_EQ(first.Wait(deadline), 0) << first.Errors();
    EXPECT_EQ(EndLines(first.Output()), EndLines(server->Output()));
    // Its end printed before it stopped or not, it ends and says which.
    const int status = second.Wait(deadline);
    if (status != 0) {
        EXPECT_EQ(status, 3);
        EXPECT_NE(second.Errors().find("gamehost: no answer for "), std::string::npos)
            << second.Errors();
    }
}

// Suites of their own: most of each is an outage, a stopped server or a wait.
class EndThroughAnOutage : public NetworkSession {};
class StoppedServer : public NetworkSession {};
class PlacesForPlayers : public NetworkSession {};

// The second client's link is cut for 10 s from the server's end, its end message still on its
// way: the server waits for it within the link's bound, and once the link is back it hears the
// end, so that all three end alike.
TEST_F(EndThroughAnOutage, AClientCutOffAtTheEndHearsItAndAllEndAlike)
{
    StartServer(2, std::chrono::seconds(90));
    UdpRelay relay({.targetPort = port, .minDelayMs = 300, .maxDelayMs = 300});
    ASSERT_TRUE(relay.IsRunning());
    StartClient();
    ASSERT_FALSE(server->WaitForLine("host 1 joined: player ", deadline).empty())
        << server->Errors();
    StartClient(relay.GetPort());
    ASSERT_FALSE(server->WaitForLine("end: players ", deadline).empty()) << server->Errors();
    relay.SetCut(true);
    std::this_thread::sleep_for(std::chrono::seconds(10));
    relay.SetCut(false);
    ExpectAllEnd();
    const std::string served = server->Output();
    for (const auto& client : clients)
        EXPECT_EQ(EndLines(client->Output()), EndLines(served)) << client->Errors();
    EXPECT_EQ(LinesStarting(served, "host 2 lost"), "") << served;
    EXPECT_GT(relay.GetCounts().lost, 0u);
}

// A server stopped for 7 s as its client joins finds on its return all that the client sent
// meanwhile, and keeps it: a stop of the server is no silence of its client.
TEST_F(StoppedServer, KeepsTheClientThatJoinedWhileItWasStopped)
{
    StartServer(1, std::chrono::seconds(60));
    ChildProcess& client = StartClient();
    ASSERT_FALSE(client.WaitForLine("joined as host 1", deadline).empty()) << client.Errors();
    server->Signal(SIGSTOP);
    std::this_thread::sleep_for(std::chrono::seconds(7));
    server->Signal(SIGCONT);
    ExpectAllEnd();
    const std::string served = server->Output();
    EXPECT_EQ(LinesStarting(served, "host 1 lost"), "") << served;
    EXPECT_EQ(EndLines(client.Output()), EndLines(served));
    EXPECT_EQ(PartySize(served), 2);
}

// Two peers that say the hello and no more come first and hold both places; the two players
// that come next are told the server is full, try again, and take the places of the idle ones.
TEST_F(PlacesForPlayers, PeersWithoutAPlayerNeverKeepAPlayerOut)
{
    StartServer(2, std::chrono::seconds(90));
    std::atomic<bool> done{false};
    std::atomic<int> squatting{0};
    std::thread squatters([&] {
        std::vector<std::unique_ptr<ConnectionManager>> peers;
        for (int i = 0; i < 2; ++i) {
            peers.push_back(std::make_unique<ConnectionManager>());
            squatting += peers.back()->Connect("127.0.0.1", port) ? 1 : 0;
        }
        while (!done) {
            for (auto& peer : peers)
                peer->Service();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        for (auto& peer : peers)
            peer->Disconnect();
    });
    while (squatting < 2 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    StartClient();
    StartClient();
    for (auto& client : clients)
        EXPECT_EQ(client->Wait(deadline), 0) << client->Errors();
    EXPECT_EQ(server->Wait(deadline), 0) << server->Errors();
    done = true;
    squatters.join();
    ObjectManager::Instance().SetHostIndex(0);
    const std::string served = server->Output();
    EXPECT_EQ(squatting, 2);
    EXPECT_EQ(LinesStarting(served, "end: players "), "end: players 3\n") << served;
    for (const auto& client : clients)
        EXPECT_EQ(EndLines(client->Output()), EndLines(served));
    EXPECT_NE(server->Errors().find("ConnectionManager: host 1 gave its place: the server is full"),
              std::string::npos)
        << server->Errors();
}

} // namespace
} // namespace GAME::Test
