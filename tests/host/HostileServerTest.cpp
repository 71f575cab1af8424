#include "tests/support/HostileServer.h"
#include "engine/NetPacket.h"
#include "host/HostOptions.h"
#include "host/WorldDigest.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/NetworkSession.h"
#include "tests/host/HostRun.h"
#include "tests/host/HostSession.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace GAME::Test {
namespace {

using Clock = ChildProcess::Clock;

// Every type's message as made, then with each word of its fields the most and least a word
// holds, but the session's end.
std::vector<std::vector<uint8_t>> ExtremeSamples()
{
    std::vector<std::vector<uint8_t>> samples;
    for (uint32_t type = 0; type < ConnectionManager::kMaxTypes; ++type) {
        std::unique_ptr<NetPacket> packet = ConnectionManager::CreatePacket(type);
        if (packet == nullptr || type == SessionEndsPacket::kType)
            continue;
        const std::vector<uint8_t> made = EncodePacket(*packet);
        samples.push_back(made);
        for (const uint32_t word : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu}) {
            std::vector<uint8_t> extreme = made;
            for (size_t at = NetPacketHeader::kSize; at + 4 <= extreme.size(); at += 4)
                for (size_t i = 0; i < 4; ++i)
                    extreme[at + i] = uint8_t(word >> (8 * i));
            samples.push_back(extreme);
        }
    }
    return samples;
}

// Each kind of line a peer causes is told at once, then as a count at most once a second.
double LinesASecond(const std::string& errors, Clock::time_point start)
{
    const std::chrono::duration<double> ran = Clock::now() - start;
    return double(std::count(errors.begin(), errors.end(), '\n')) / ran.count();
}

// A client of the two-jackal session against a server that means it harm.
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
    // The client's end at the entity bound, in at most `lines` lines; its error stream.
    std::string EndedAtTheBound(ChildProcess& client, long lines)
    {
        EXPECT_EQ(client.Wait(deadline), 3) << client.Errors();
        const std::string errors = client.Errors();
        EXPECT_EQ(LinesStarting(errors, "gamehost: "),
                  "gamehost: the server made more than 10000 entities here\n");
        EXPECT_LE(std::count(errors.begin(), errors.end(), '\n'), lines) << errors;
        return errors;
    }
};

// However many more follow, each refused as quickly, told as a count.
TEST_F(HostileServerSession, AFloodOfSpawnsEndsTheClientAtTheBoundInFewLines)
{
    deadline = Clock::now() + std::chrono::seconds(120);
    HostileServer::Script script = Sparks();
    script.spawns = NetworkSession::kMaxSpawned + 5000;
    HostileServer server(script);
    ChildProcess& client = ServeClient(server, std::chrono::seconds(90));
    const std::string errors = EndedAtTheBound(client, 100);
    // Those past the bound are one line and, when more came before the end, its count.
    const size_t refused = Occurrences(errors, " not made");
    EXPECT_GE(refused, 1u) << errors;
    EXPECT_LE(refused, 2u) << errors;
}

// Whatever message makes them, entities and items end the client at the same bound as spawns.
TEST_F(HostileServerSession, EveryEntityAndItemTheServerMakesCountsTowardTheBound)
{
    deadline = Clock::now() + std::chrono::seconds(180);
    CreateEntityPacket entity;
    entity.recordName = Sparks().record;
    entity.coords = Sparks().at;
    CreateItemPacket item;
    item.coords = Sparks().at;
    item.item.baseName = "Records/Items/Gold/GoldPileSmall.dbr";
    for (const auto& [message, repeats] :
         {std::pair{EncodePacket(entity), 12000}, std::pair{EncodePacket(item), 200000}}) {
        HostileServer::Script script = Sparks();
        script.complete = true;
        script.messages = {message};
        script.repeats = uint64_t(repeats);
        HostileServer server(script);
        EndedAtTheBound(ServeClient(server, std::chrono::seconds(60)), 20);
    }
}

TEST_F(HostileServerSession, FloodsOfMessagesForNothingAreToldAsCounts)
{
    deadline = Clock::now() + std::chrono::seconds(180);
    IdleActionPacket action;
    action.ownerId = SmartObjectId(0x0FFFFFF0u);
    for (const auto& [messages, repeats] :
         {std::pair{std::vector<std::vector<uint8_t>>{EncodePacket(action)}, uint64_t(150000)},
          std::pair{ExtremeSamples(), uint64_t(ExtremeSamples().size() * 20)}}) {
        HostileServer::Script script = Sparks();
        script.complete = true;
        script.messages = messages;
        script.repeats = repeats;
        // The samples over some seconds, as a peer would send them all session long: the first
        // of each kind and what waits at the end are told whatever the run's length.
        script.perSecond = messages.size() > 1 ? 1000 : script.perSecond;
        script.end = true;
        const Clock::time_point start = Clock::now();
        HostileServer server(script);
        ChildProcess& client = ServeClient(server, std::chrono::seconds(90));
        EXPECT_NE(client.Wait(deadline), -1);
        EXPECT_GE(server.GetSent(), repeats);
        EXPECT_LE(LinesASecond(client.Errors(), start), 2.0) << client.Errors();
    }
}

TEST_F(HostileServerSession, AClientsFloodsCostTheServersErrorStreamACount)
{
    StartServer(1, std::chrono::seconds(90));
    IdleActionPacket action;
    action.ownerId = SmartObjectId(0x1FFFFFF0u);
    HostileServer::Script script;
    // Under the server's flood bounds: 1,400 messages a second, 70 of them refused at most.
    for (const std::vector<uint8_t>& sample : ExtremeSamples()) {
        script.messages.push_back(sample);
        script.messages.insert(script.messages.end(), 19, EncodePacket(action));
    }
    script.repeats = script.messages.size();
    script.perSecond = 1400;
    const Clock::time_point start = Clock::now();
    HostileServer client(script, port);
    client.Run(std::chrono::seconds(30), [&] { return client.GetSent() >= script.repeats; });
    client.Run(std::chrono::milliseconds(500), [] { return false; });
    EXPECT_EQ(server->Errors().find("dropped: flood"), std::string::npos) << server->Errors();
    EXPECT_LE(LinesASecond(server->Errors(), start), 2.0) << server->Errors();
}

// What each frame destroys is freed with it, and a signal is heard at the next frame.
TEST_F(HostileServerSession, SpawnAndDestroyPairsLeaveTheClientToItsSignal)
{
    deadline = Clock::now() + std::chrono::seconds(60);
    HostileServer::Script script = Sparks();
    script.complete = true;
    script.pairs = UINT64_MAX / 4;
    script.perSecond = 40000;
    HostileServer server(script);
    ChildProcess& client = ServeClient(server, std::chrono::seconds(3));
    // A slow build on a busy machine (g++'s sanitizers) may take those seconds to join.
    server.Run(std::chrono::seconds(30), [&server] { return server.GetSent() > 20000u; });
    EXPECT_GT(server.GetSent(), 20000u);
    client.Signal(SIGTERM);
    EXPECT_EQ(client.Wait(deadline), 143) << client.Errors();
    EXPECT_EQ(LinesStarting(client.Errors(), "gamehost: "), "gamehost: interrupted by SIGTERM\n");
    EXPECT_LT(client.PeakMemoryMb(), 1024);
}

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
