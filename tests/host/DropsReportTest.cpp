#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace GAME::Test {
namespace {

TEST(DropsReport, TheClientLandsEveryDropWhereTheServerDid)
{
    const HostRun run = RunSample({"--scenario", "drops", "--seed", "7"});
    ExpectClean(run);
    const std::string items = LinesStarting(run.out, "  item ");
    // Two piles of gold and two loot items, once on each machine.
    EXPECT_EQ(std::count(items.begin(), items.end(), '\n'), 8) << run.out;
    EXPECT_NE(items.find("Records/Items/Shields/WoodenShield.dbr at ("), std::string::npos);
    ExpectInOrder(run.out, {
                               "scenario drops as server, seed 7:\n",
                               "    sent CreateItemPacket (send, ",
                               "    sent GiveGoldPacket (send, 16 bytes)\n",
                               "    sent QuestCommandWalkPacket (send, 33 bytes)\n",
                               "    sent QuestCommandLockFixedItemPacket (send, 13 bytes)\n",
                               "  hero's gold 250, chest locked\n",
                               "  client: a fresh engine replays the 9 packets received\n",
                               "  hero's gold 250, chest locked\n",
                               "  server and client agree: yes\n",
                           });
}

} // namespace
} // namespace GAME::Test
