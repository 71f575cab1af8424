#include "host/CommandReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(CommandReport, TheClientReplaysTheServersCommandsToTheSameEndState)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--scenario", "commands"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DataErrors(run.err), "") << run.err;
    const char* lines[] = {
        "scenario commands as server, seed 1:\n",
        "  equip the cuirass:\n"
        "    AttachItemConfigCmdPacket (broadcast, 20 bytes)\n",
        "      Equip Location: 3\n",
        "    DropItemConfigCmdPacket (broadcast, 24 bytes)\n",
        "      X: 1.5\n"
        "      Z: -0.5\n",
        "    SetTeamConfigCmdPacket (broadcast, 24 bytes)\n",
        "      Destory: true\n",
        "    PlaySoundConfigCmdPacket (broadcast, 16 bytes)\n",
        "      Increment Amount: 20\n",
        "      Visible: false\n",
        "  server end state:\n",
        "    monster: life 120.0 of 120.0, team 2:1, hidden, worn [], carried []\n"
        "    shield: held, potion: gone, net sound plays: 1\n"
        "  client: a fresh engine replays the 8 packets received\n",
        "  client ran 8 of them; client end state:\n",
        "  server and client agree: yes\n",
        "  rag-doll death: ",
        "    body 0 (Bip01 Pelvis to Bip01 Spine): velocity (",
        "    body 2 (Bip01 Neck to Bip01 Head): velocity (",
    };
    size_t at = 0;
    for (const char* line : lines) {
        const size_t found = run.out.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << run.out;
        at = found;
    }
}

TEST(CommandReport, RunsOnlyAsServer)
{
    const HostRun single =
        RunHost({"--db", SampleDatabase(), "--scenario", "commands", "--role", "single"});
    EXPECT_EQ(single.status, 1);
    EXPECT_NE(single.err.find("--scenario commands runs as server only"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
