#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(LevelReport, AnOrderFileWalksTheHeroToItsClicksAndTakesNothingElse)
{
    TempDatabase folder;
    const std::string path = folder.GetRoot() + "/orders.txt";
    // Straight to the far end: the built-in waypoints lie on that line, so the walk is theirs.
    folder.WriteFile("orders.txt", "1 click 150,0\n");
    const HostRun straight = RunSample({"--scenario", "level", "--seed", "7", "--input", path});
    ASSERT_EQ(straight.status, 0) << straight.err;
    EXPECT_EQ(straight.out, SharedSample({"--scenario", "level", "--seed", "7"}).out);

    folder.WriteFile("orders.txt", "1 click 150,0\n5 hold\n");
    const HostRun bad = RunSample({"--scenario", "level", "--input", path});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "gamehost: script '" + path +
                           "' line 2: the level scenario takes only ground clicks\n");
}

} // namespace
} // namespace GAME::Test
