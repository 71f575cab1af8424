#include "host/GameHost.h"
#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace GAME {
namespace {

using Test::SampleDatabase;

std::string Play(const std::vector<std::string>& extra, int& status)
{
    std::vector<std::string> args = {"--db", SampleDatabase()};
    args.insert(args.end(), extra.begin(), extra.end());
    std::ostringstream out;
    std::ostringstream err;
    status = GameHost::Run(args, out, err);
    return out.str();
}

TEST(GameSession, SinglePlayerUnlocksTheInventoryHintAfterTenMinutes)
{
    int status = 1;
    const std::string out = Play({"--role", "single", "--frames", "18182", "--ms", "33"}, status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find("session: single, 18182 frames of 33 ms\n"), std::string::npos);
    // 18182 frames of 33 ms are the first to reach 600000 ms.
    EXPECT_NE(out.find("frame 18182: tutorial page tagTutorialPage28 unlocked: Your inventory\n"),
              std::string::npos);
    EXPECT_EQ(out.find("frame 18181:"), std::string::npos);
}

TEST(GameSession, EveryRoleRunsAndShutsDownCleanly)
{
    for (const char* role : {"single", "server", "client"}) {
        SCOPED_TRACE(role);
        int status = 1;
        const std::string out = Play({"--role", role, "--frames", "1000"}, status);
        EXPECT_EQ(status, 0);
        EXPECT_NE(out.find("session ended:"), std::string::npos);
    }
    int status = 0;
    Play({"--role", "observer"}, status);
    EXPECT_EQ(status, 1);
}

TEST(GameSession, PacketsAreNamedByTheirClassAndTheFooterComesOnce)
{
    int status = 1;
    const std::string out = Play({"--role", "server", "--frames", "40"}, status);
    EXPECT_EQ(status, 0);
    // The server tells its clients about every player once a second.
    EXPECT_NE(out.find("\nframe 34: AllPlayersHeartbeatPacket (send, 12 bytes)\n"),
              std::string::npos);
    EXPECT_EQ(out.find("Packet type"), std::string::npos);
    EXPECT_NE(out.find("\nsession ended: 0 messages to the player, 1 packets sent\n"
                       "database: "),
              std::string::npos);
    size_t footers = 0;
    for (size_t at = out.find("\nobjects: "); at != std::string::npos;
         at = out.find("\nobjects: ", at + 1))
        ++footers;
    EXPECT_EQ(footers, 1u);
}

} // namespace
} // namespace GAME
