#include "engine/ConnectionManager.h"
#include "engine/ObjectManager.h"
#include "host/LevelNetworkPlay.h"
#include "host/LevelPlay.h"
#include "host/RouteHero.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/SessionPackets.h"
#include "tests/host/HostSession.h"
#include "tests/support/UdpRelay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

namespace GAME::Test {
namespace {

// The sample level on the shortest way through its quest: a sixth of the frames of the level's
// own routes, with every step of the quest, the party's news of it and the end's handshake.
class LevelNetworkSession : public HostSession {
protected:
    LevelNetworkSession() : HostSession({})
    {
        WriteRoutes("1 click @VillageElder\n90 click @RaidChieftain\n91 hold\n",
                    "1 click @Leader\n200 click @RaidChieftain\n201 hold\n");
        database = copy.folder.GetRoot();
    }

    void WriteRoutes(const char* server, const char* clients)
    {
        copy.folder.WriteFile("Levels/Village.route", server);
        for (const char* route : {"Levels/Village.client1.route", "Levels/Village.client2.route"})
            copy.folder.WriteFile(route, clients);
    }

    // The server and the client that stays end alike with 0, the killed client's hero out of
    // the party; the quest line they agree on.
    std::string ExpectTwoEndAlike(ChildProcess& stays)
    {
        EXPECT_EQ(stays.Wait(deadline), 0) << stays.Errors();
        EXPECT_EQ(server->Wait(deadline), 0) << server->Errors();
        const std::string served = server->Output();
        EXPECT_NE(LinesStarting(served, "host 2 lost: no answer for "), "") << served;
        EXPECT_NE(LinesStarting(served, "end: digest "), "") << served << server->Errors();
        EXPECT_EQ(EndLines(stays.Output()), EndLines(served)) << stays.Output();
        EXPECT_EQ(PartySize(served), 2);
        return LinesStarting(served, "end: quest ");
    }

    // All three end alike with the quest complete and the party whole, no client missing what
    // another commands; the server's line of what it dropped.
    std::string ExpectThreeCompleteAlike()
    {
        ExpectAllEnd();
        const std::string served = server->Output();
        EXPECT_NE(LinesStarting(served, "end: digest "), "") << served << server->Errors();
        EXPECT_EQ(PartySize(served), 3);
        for (const auto& machine : {server.get(), clients[0].get(), clients[1].get()}) {
            SCOPED_TRACE(machine->Output());
            EXPECT_EQ(EndLines(machine->Output()), EndLines(served));
            EXPECT_EQ(LinesStarting(machine->Output(), "end: quest "), "end: quest complete\n");
        }
        for (const auto& client : clients)
            EXPECT_EQ(client->Errors().find("does not hold"), std::string::npos)
                << client->Errors();
        return LinesStarting(served, "dropped: ");
    }

    SampleCopy copy;
};

TEST_F(LevelNetworkSession, ServerAndTwoClientsFinishTheQuestAndAgree)
{
    StartServer(2, std::chrono::seconds(240));
    StartClient();
    StartClient();
    // Honest clients are never refused: a stand-in says nothing of where a teleport put it.
    EXPECT_EQ(ExpectThreeCompleteAlike(), "dropped: none\n") << server->Errors();
    for (const auto& machine : {server.get(), clients[0].get(), clients[1].get()}) {
        const std::string out = machine->Output();
        SCOPED_TRACE(out);
        // The chieftain's death reached every machine; the raider and the packs off the way
        // live on and are not counted among the dead.
        const std::string dead = LinesStarting(out, "end: monster ");
        const std::string died = LinesStarting(out, "monster ");
        EXPECT_NE(dead, "");
        EXPECT_EQ(std::count(dead.begin(), dead.end(), '\n'),
                  std::count(died.begin(), died.end(), '\n'));
        EXPECT_NE(LineAfter(out, "frame cost: mean "), "");
    }
    for (const auto& client : clients)
        EXPECT_EQ(client->Errors().find("dropped"), std::string::npos) << client->Errors();
}

// A suite of its own, beside the one above.
class LevelSessionOnABadNetwork : public LevelNetworkSession {};

// Datagrams overtake each other and a fifth are lost. A stranger in the second client's place
// says the session ends and the routes are done: only the server's own word ends it.
TEST_F(LevelSessionOnABadNetwork, ServerAndTwoClientsFinishTheQuestAndAgree)
{
    StartServer(2, std::chrono::seconds(240));
    UdpRelay relay(
        {.targetPort = port, .minDelayMs = 50, .maxDelayMs = 300, .lossPercent = 20, .seed = 7});
    ASSERT_TRUE(relay.IsRunning());
    StartClient(relay.GetPort());
    ASSERT_FALSE(server->WaitForLine("host 1 joined: player ", deadline).empty())
        << server->Errors();
    {
        ConnectionManager stranger;
        ASSERT_TRUE(stranger.Connect("127.0.0.1", port));
        ASSERT_EQ(stranger.GetLocalHostID(), 2);
        ObjectManager::Instance().SetHostIndex(0);
        ChatPacket line;
        for (const auto& [sender, text] :
             {std::pair{L"host 0", L"session ends"}, std::pair{L"host 1", L"route done"}}) {
            line.sender = sender;
            line.text = text;
            stranger.SendPacket(line);
        }
        HostDonePacket done;
        SessionEndsPacket ends;
        stranger.SendPacket(done);
        stranger.SendPacket(ends);
        Pump(stranger, std::chrono::milliseconds(300));
        stranger.Disconnect();
    }
    ASSERT_FALSE(server->WaitForLine("host 2 left", deadline).empty()) << server->Errors();
    StartClient(relay.GetPort());
    // The stranger's end of the session was refused.
    EXPECT_EQ(ExpectThreeCompleteAlike(), "dropped: host 2: 1\n") << server->Errors();
    EXPECT_GT(relay.GetCounts().lost, 0u);
}

// A suite of its own: most of it is the outage.
class LevelSessionThroughAnOutage : public LevelNetworkSession {};

// Cut off mid-fight, a client decides nothing of it by itself and catches up once back.
TEST_F(LevelSessionThroughAnOutage, TheClientCutOffCatchesUpAndAllAgree)
{
    StartServer(2, std::chrono::seconds(240));
    UdpRelay relay({.targetPort = port});
    ASSERT_TRUE(relay.IsRunning());
    StartClient();
    ASSERT_FALSE(server->WaitForLine("host 1 joined: player ", deadline).empty())
        << server->Errors();
    StartClient(relay.GetPort());
    ASSERT_FALSE(server->WaitForLine("host 2 joined: player ", deadline).empty())
        << server->Errors();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    relay.SetCut(true);
    std::this_thread::sleep_for(std::chrono::seconds(10));
    relay.SetCut(false);
    ExpectAllEnd();
    const std::string served = server->Output();
    ASSERT_NE(LinesStarting(served, "end: digest "), "") << served << server->Errors();
    EXPECT_EQ(PartySize(served), 3);
    EXPECT_GT(relay.GetCounts().lost, 0u);
    for (const auto& client : clients) {
        SCOPED_TRACE(client->Output());
        EXPECT_EQ(EndLines(client->Output()), EndLines(served));
        EXPECT_EQ(client->Errors().find("dropped"), std::string::npos) << client->Errors();
    }
}

// Suites of their own: most of each is a wait for a silent link or a fight that runs on.
class LevelSessionLosingAClient : public LevelNetworkSession {
protected:
    // The routes run out on the way to the chieftain: the heroes fight on until he falls.
    LevelSessionLosingAClient()
    {
        WriteRoutes("1 click @VillageElder\n90 click @RaidChieftain\n", "1 click @Leader\n");
    }
};
class LevelSessionWithAnOpenQuest : public LevelNetworkSession {
protected:
    // The elder is never heard, so the chieftain's fall counts for nothing.
    LevelSessionWithAnOpenQuest() { WriteRoutes("1 click 36,0\n", "1 click @Leader\n"); }
};

TEST_F(LevelSessionLosingAClient, TheOthersFinishTheQuestAndAgree)
{
    StartServer(2, std::chrono::seconds(240));
    ChildProcess& killed = StartTwoClients();
    ChildProcess& stays = *clients.front();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    killed.Kill();
    EXPECT_EQ(ExpectTwoEndAlike(stays), "end: quest complete\n");
}

TEST_F(LevelSessionWithAnOpenQuest, EndsAlikeWithTheQuestOpen)
{
    StartServer(2, std::chrono::seconds(240));
    ChildProcess& killed = StartTwoClients();
    ChildProcess& stays = *clients.front();
    killed.Kill();
    EXPECT_EQ(ExpectTwoEndAlike(stays), "end: quest open\n");
    EXPECT_EQ(LinesStarting(stays.Output(), "end: quest "), "end: quest open\n");
}

// A suite of its own: most of it is the wait for the client that is never done.
class LevelSessionWithAClientNeverDone : public LevelNetworkSession {
protected:
    // The second client's route runs far past the end of everyone else's.
    LevelSessionWithAClientNeverDone()
    {
        copy.folder.WriteFile("Levels/Village.client2.route", "1 click @Leader\n100000 hold\n");
    }
};

// It would hold the end for everyone.
TEST_F(LevelSessionWithAClientNeverDone, IsLetGoAndTheOthersEndAlike)
{
    StartServer(2, std::chrono::seconds(240));
    ChildProcess& never = StartTwoClients();
    ChildProcess& stays = *clients.front();
    EXPECT_EQ(never.Wait(deadline), 3);
    EXPECT_NE(never.Errors().find("gamehost: dropped by the server\n"), std::string::npos)
        << never.Errors();
    EXPECT_EQ(stays.Wait(deadline), 0) << stays.Errors();
    EXPECT_EQ(server->Wait(deadline), 0) << server->Errors();
    const std::string served = server->Output();
    EXPECT_NE(server->Errors().find("host 2 dropped: its route not done within 30 s"),
              std::string::npos)
        << server->Errors();
    EXPECT_NE(LinesStarting(served, "host 2 left"), "") << served;
    EXPECT_EQ(EndLines(stays.Output()), EndLines(served));
    EXPECT_EQ(PartySize(served), 2);
}

// Suites of their own: most of each is a server stopped.
class LevelSessionWithAStoppedServer : public LevelNetworkSession {
protected:
    // Both clients in, the server is stopped as a loaded machine stops it; all end alike, no
    // client dropped, lost or flooding, for what they sent meanwhile was theirs to send.
    void PlayWithTheServerStopped(const std::function<void(ChildProcess&)>& stop)
    {
        StartServer(2, std::chrono::seconds(240));
        StartTwoClients();
        stop(*server);
        ExpectAllEnd();
        const std::string served = server->Output();
        ASSERT_NE(LinesStarting(served, "end: digest "), "") << served << server->Errors();
        EXPECT_EQ(PartySize(served), 3);
        EXPECT_EQ(LinesStarting(served, "hosts dropped: "), "hosts dropped: 0\n");
        EXPECT_EQ(server->Errors().find("dropped"), std::string::npos) << server->Errors();
        EXPECT_EQ(LinesStarting(served, "host 1 lost"), "") << served;
        EXPECT_EQ(LinesStarting(served, "host 2 lost"), "") << served;
        for (const auto& client : clients)
            EXPECT_EQ(EndLines(client->Output()), EndLines(served));
    }
};
class LevelSessionWithAStalledServer : public LevelSessionWithAStoppedServer {};

// Stopped 12 s three times, `apart` between the stops.
std::function<void(ChildProcess&)> ThreeStops(std::chrono::milliseconds apart)
{
    return [apart](ChildProcess& server) {
        for (int stop = 0; stop < 3; ++stop) {
            server.Signal(SIGSTOP);
            std::this_thread::sleep_for(std::chrono::seconds(12));
            server.Signal(SIGCONT);
            std::this_thread::sleep_for(apart);
        }
    };
}

TEST_F(LevelSessionWithAStoppedServer, StoppedTwelveSecondsThreeTimesAllEndAlike)
{
    PlayWithTheServerStopped(ThreeStops(std::chrono::milliseconds(500)));
}

// Long enough apart that what each stop held back still arrives as the next second's begins.
TEST_F(LevelSessionWithAStoppedServer, StoppedTwelveSecondsThreeTimesThreeSecondsApartAllEndAlike)
{
    PlayWithTheServerStopped(ThreeStops(std::chrono::seconds(3)));
}

// Its game runs at two fifths of its pace: a session slower than its clients still ends.
TEST_F(LevelSessionWithAStalledServer, StalledMostOfEachHalfSecondAllEndAlike)
{
    std::atomic<bool> ended{false};
    std::thread staller;
    PlayWithTheServerStopped([&](ChildProcess& server) {
        staller = std::thread([&server, &ended] {
            while (!ended) {
                server.Signal(SIGSTOP);
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                server.Signal(SIGCONT);
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        });
        // The clients end once the server has told them: then it runs free.
        for (auto& client : clients)
            client->Wait(deadline);
        ended = true;
        staller.join();
    });
}

// A suite of its own: most of it is the wait after the end.
class LevelSessionCappedAfterItsEnd : public LevelNetworkSession {};

// The wait for a client cut off at the end runs past the session's cap of game time: a session
// that has ended is never cut off.
TEST_F(LevelSessionCappedAfterItsEnd, EndsWellPastItsCap)
{
    StartServer(1, std::chrono::seconds(120), {"--ms", "200"});
    UdpRelay relay({.targetPort = port, .minDelayMs = 300, .maxDelayMs = 300});
    ASSERT_TRUE(relay.IsRunning());
    ChildProcess& client = StartClient(relay.GetPort());
    ASSERT_FALSE(server->WaitForLine("end: digest ", deadline).empty()) << server->Errors();
    relay.SetCut(true);
    EXPECT_EQ(server->Wait(deadline), 0) << server->Errors();
    EXPECT_NE(LinesStarting(server->Output(), "host 1 lost: no answer for "), "");
    EXPECT_EQ(server->Errors().find("did not end"), std::string::npos) << server->Errors();
    client.Kill();
}

TEST(LevelNetworkPlay, EachClientHasItsRouteBesideTheLevel)
{
    const struct {
        const char* level;
        int host;
        const char* route;
    } rows[] = {
        {"Levels/Village.lvl", 1, "Levels/Village.client1.route"},
        {"Levels/Village.lvl", 12, "Levels/Village.client12.route"},
        {"Levels/v1.2/Wilds", 2, "Levels/v1.2/Wilds.client2.route"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.level);
        EXPECT_EQ(LevelNetworkPlay::ClientRouteOf(row.level, row.host), row.route);
    }
    // The sample's own client routes, which the session above trades for shorter ones, name
    // only what the level holds.
    LevelFile village;
    std::string error;
    ASSERT_TRUE(LevelFile::Parse(ReadBytes(SampleDatabase() + "/" + LevelPlay::kLevel),
                                 LevelPlay::kLevel, village, error));
    for (int host : {1, 2}) {
        RouteHero route;
        const std::string path = LevelNetworkPlay::ClientRouteOf(LevelPlay::kLevel, host);
        EXPECT_TRUE(route.Load(village, SampleDatabase() + "/" + path, error)) << error;
    }
}

TEST(LevelNetworkPlay, ASessionThatCannotPlayTheLevelIsRefusedWithOneLine)
{
    const struct {
        std::vector<std::string> args;
        int status;
        std::string line;
    } rows[] = {
        {{"--scenario", "pack"}, 1, "gamehost: --scenario pack goes with --port or --connect\n"},
        {{"--role", "server", "--port", "0", "--route", "/nonexistent.route"},
         2,
         "gamehost: route '/nonexistent.route' does not exist\n"},
        {{"--role", "server", "--port", "0", "--level", "Levels/None.lvl"},
         2,
         "gamehost: the level file Levels/None.lvl cannot be read\n"},
        // The sample level has routes for two clients.
        {{"--role", "server", "--port", "0", "--clients", "3"},
         2,
         "gamehost: --clients 3 but the level has routes for 2 clients "
         "('Levels/Village.client3.route' does not exist)\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const HostRun run = RunSample(row.args);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), row.line);
    }
}

} // namespace
} // namespace GAME::Test
