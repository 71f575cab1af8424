#include "tests/support/HostileServer.h"
#include "host/HostOptions.h"
#include "host/WorldDigest.h"
#include "multiplayer/NetworkSession.h"
#include "tests/host/HostRun.h"
#include "tests/host/HostSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace GAME::Test {
namespace {

using Clock = ChildProcess::Clock;

// A client of the two-jackal session against a server that means it harm: whatever the server
// sends, and however fast, the client ends within its bounds, in a line or two.
class HostileServerSession : public HostSession {
protected:
    HostileServerSession() : HostSession({"--scenario", "pack"}) {}

    // Welcomes the client to its own world, and makes sparks in its arena when told to.
    HostileServer::Script Sparks() const
    {
        HostOptions sample;
        sample.databaseFolder = database;
        sample.scenario = "pack";
        HostileServer::Script script;
        script.world = WorldDigest::Of(sample);
        script.record = "Records/Effects/Level/GateSparks.dbr";
        script.at = WorldCoords(WorldVec3(1, Vec3(1.0f, 0.0f, 1.0f)));
        return script;
    }
};

// Spawns past the bound end the client at the bound however many more follow, each refused as
// quickly, told as a count.
TEST_F(HostileServerSession, AFloodOfSpawnsEndsTheClientAtTheBoundInFewLines)
{
    deadline = Clock::now() + std::chrono::seconds(120);
    HostileServer::Script script = Sparks();
    script.spawns = NetworkSession::kMaxSpawned + 5000;
    HostileServer server(script);
    ChildProcess& client = ServeClient(server, std::chrono::seconds(90));
    EXPECT_EQ(client.Wait(deadline), 3) << client.Errors();
    const std::string errors = client.Errors();
    EXPECT_EQ(LinesStarting(errors, "gamehost: "),
              "gamehost: the server made more than 10000 entities here\n");
    EXPECT_LE(std::count(errors.begin(), errors.end(), '\n'), 100) << errors;
    EXPECT_NE(errors.find(" entities not made, "), std::string::npos) << errors;
}

// Spawn-and-destroy pairs as fast as the server likes: what each frame destroys is freed with
// it, and a signal is heard at the next frame.
TEST_F(HostileServerSession, SpawnAndDestroyPairsLeaveTheClientToItsSignal)
{
    deadline = Clock::now() + std::chrono::seconds(60);
    HostileServer::Script script = Sparks();
    script.complete = true;
    script.pairs = UINT64_MAX / 4;
    script.perSecond = 40000;
    HostileServer server(script);
    ChildProcess& client = ServeClient(server, std::chrono::seconds(3));
    EXPECT_GT(server.GetSent(), 20000u);
    client.Signal(SIGTERM);
    EXPECT_EQ(client.Wait(deadline), 143) << client.Errors();
    EXPECT_EQ(LinesStarting(client.Errors(), "gamehost: "), "gamehost: interrupted by SIGTERM\n");
    EXPECT_LT(client.PeakMemoryMb(), 1024);
}

// A welcome naming no host this client could be, or an end before its world, is the server's
// fault, told in one line at once.
TEST_F(HostileServerSession, AWelcomeWithoutAPlaceOrAnEndWithoutAWorldIsRefused)
{
    deadline = Clock::now() + std::chrono::seconds(90);
    const struct {
        int32_t host;
        bool level;
        const char* line;
    } rows[] = {
        {0, false, "gamehost: the server's welcome names host 0\n"},
        {16, false, "gamehost: the server's welcome names host 16\n"},
        {15, true,
         "gamehost: the server's welcome names host 15, which the level has no route for\n"},
        {-1, false,
         "gamehost: the server ended the session before this machine had its whole world\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        HostileServer::Script script = Sparks();
        script.host = row.host;
        script.end = row.host < 0;
        common =
            row.level ? std::vector<std::string>{} : std::vector<std::string>{"--scenario", "pack"};
        HostileServer server(script);
        ChildProcess& client = ServeClient(server, std::chrono::seconds(20));
        EXPECT_EQ(client.Wait(deadline), 3) << client.Errors();
        EXPECT_EQ(LinesStarting(client.Errors(), "gamehost: "), row.line);
        EXPECT_EQ(LinesStarting(client.Output(), "end: "), "");
    }
}

} // namespace
} // namespace GAME::Test
