#include "host/GameHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace GAME {
namespace {

std::string SampleDatabase()
{
    const char* source = std::getenv("GAME_SOURCE_DIR");
    return std::string(source != nullptr ? source : ".") + "/data/database";
}

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
    EXPECT_NE(out.find("frame 18182: tutorial page 28 unlocked\n"), std::string::npos);
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

} // namespace
} // namespace GAME
