#include "host/ScenarioReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// Each line must be there, in this order.
void ExpectInOrder(const std::string& out, const std::vector<std::string>& lines)
{
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = out.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << out;
        at = found + line.size();
    }
}

TEST(ScenarioReport, OrdersRunAsActionsAndEveryoneEndsWhereSent)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--scenario", "actions"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DataErrors(run.err), "") << run.err;
    ExpectInOrder(
        run.out,
        {"scenario actions as single player, 100 ms frames:\n",
         "  100 ms: player runs to (7.00, 0.00, 0.00) -> Current Action: MoveToAction\n",
         "  100 ms: player (0.30, 0.00, 0.00) Life: Alive | Action State: Move | Current Action: "
         "MoveToAction\n",
         // Stopped at the end of the path, then the controller fills the gap with idling.
         "ms: warrior (1.00, 0.00, 0.00) Life: Alive | Action State: Idle | Current Action: "
         "IdleAction\n",
         // No skill is held, so the attack cannot start and ends inside the handler.
         "  3500 ms: player attacks warrior -> Current Action: AttackAction (finished)\n",
         "  3600 ms: warrior is killed -> Current Action: DieAction\n",
         "  3600 ms: warrior (1.00, 0.00, 0.00) Life: Dying | Action State: Dying | Current "
         "Action: DieAction\n",
         "ms: player (4.00, 0.00, 2.00) Life: Alive | Action State: Idle | Current Action: "
         "IdleAction\n",
         "objects: 0\n"});
    EXPECT_NE(run.out.find("ms: shaman removed\n"), std::string::npos);
    EXPECT_NE(run.out.find("ms: warrior removed\n"), std::string::npos);
    EXPECT_EQ(run.out.find("Packet ("), std::string::npos) << "a single player sends nothing";
}

TEST(ScenarioReport, AServerBroadcastsEachOrderAsItsPacket)
{
    const HostRun run =
        RunHost({"--db", SampleDatabase(), "--scenario", "actions", "--role", "server"});
    EXPECT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out,
                  {"scenario actions as server, 100 ms frames:\n",
                   "  100 ms: warrior runs to (1.00, 0.00, 0.00) -> Current Action: "
                   "MoveToAction\n"
                   "    MoveToPacket (broadcast, 85 bytes)\n",
                   "      Target ID: 0\n"
                   "      Start Location: region 1 (8, 0, 0)\n"
                   "      World Location: region 1 (1, 0, 0)\n"
                   "      Skill Number: 0\n"
                   "      Speed: 0\n",
                   "  3500 ms: player attacks warrior", "    AttackPacket (broadcast, 85 bytes)\n",
                   "      Location: region 1 (7, 0, 0)\n"
                   "      Skill Number: 0\n"
                   "      Seed: 1\n",
                   "  3600 ms: warrior is killed", "    DiePacket (broadcast, ", "objects: 0\n"});
}

TEST(ScenarioReport, OnlyTheActionsScenarioAndOnlyAsSingleOrServer)
{
    EXPECT_EQ(RunHost({"--db", SampleDatabase(), "--scenario", "walk"}).status, 1);
    const HostRun client =
        RunHost({"--db", SampleDatabase(), "--scenario", "actions", "--role", "client"});
    EXPECT_EQ(client.status, 1);
    EXPECT_NE(client.err.find("--scenario runs as single or server, not as client"),
              std::string::npos);
}

} // namespace
} // namespace GAME::Test
