#include "host/scenarios/PlayersReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(PlayersReport, PlayersJoinPartyLeaveAndAreBannedWithEveryMachineHoldingOneList)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--scenario", "players"});
    ExpectPlayed(run,
                 {
                     "scenario players as server, 250 ms frames:\n",
                     "  host 1 sends SinglePlayerBasicInfoPacket (71 bytes) for 0x10000001 Rob\n"
                     "  sent AllPlayersBasicInfoPacket (140 bytes)\n"
                     "  to 0x",
                     ": Rob has joined the game.\n",
                     "  host 3 sends SinglePlayerBasicInfoPacket (71 bytes) for 0x30000001 Dee\n",
                     "  to 0x20000001: Dee has joined the game.\n",
                     "  players: 4\n",
                     " Hera party 0x00000000\n"
                     "    0x10000001 Rob party 0x00000000\n",
                     "  to 0x30000001: Cy has joined your party.\n",
                     "    0x30000001 Dee party 0x10000001\n",
                     "  host 1 leaves\n"
                     "  to 0x",
                     ": Rob has left the game.\n",
                     // The first member left leads the two others.
                     "  players: 3\n",
                     " Hera party 0x00000000\n"
                     "    0x20000001 Cy party 0x20000001\n"
                     "    0x30000001 Dee party 0x20000001\n",
                     "  log: Banning Host 3 (Dee)\n"
                     "  host 3 dropped: ban\n"
                     "  to 0x",
                     ": Dee has left the game.\n",
                     "second 12:\n",
                     "  players: 2\n",
                     " Hera party 0x00000000\n"
                     "    0x20000001 Cy party 0x20000001\n",
                     "objects: 0\n",
                 });
}

} // namespace
} // namespace GAME::Test
