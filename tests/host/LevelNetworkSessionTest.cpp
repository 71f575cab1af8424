#include "host/LevelNetworkPlay.h"
#include "tests/host/HostSession.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

// The sample level, played by a server and two clients with no option but the roles.
class LevelNetworkSession : public HostSession {
protected:
    LevelNetworkSession() : HostSession({}) {}
};

TEST_F(LevelNetworkSession, ServerAndTwoClientsFinishTheQuestAndAgree)
{
    StartServer(2, std::chrono::seconds(240));
    StartClient();
    StartClient();
    ExpectAllEnd();
    const std::string served = server->Output();
    ASSERT_NE(LinesStarting(served, "end: digest "), "") << served << server->Errors();
    EXPECT_EQ(PartySize(served), 3);
    for (const auto& machine : {server.get(), clients[0].get(), clients[1].get()}) {
        const std::string out = machine->Output();
        SCOPED_TRACE(out);
        EXPECT_EQ(EndLines(out), EndLines(served));
        EXPECT_EQ(LinesStarting(out, "end: quest "), "end: quest complete\n");
        // The level's things reached every machine: the chieftain's death among them.
        EXPECT_NE(LinesStarting(out, "end: monster "), "");
        EXPECT_NE(LineAfter(out, "frame cost: mean "), "");
    }
    // Every machine holds what the others command and the skills their heroes use.
    for (const auto& client : clients) {
        EXPECT_EQ(client->Errors().find("dropped"), std::string::npos) << client->Errors();
        EXPECT_EQ(client->Errors().find("does not hold"), std::string::npos) << client->Errors();
    }
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
