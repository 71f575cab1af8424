#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(LevelLandmarks, ThePackDependsOnTheDifficultyAndTheWalkFindsHealsAndFollows)
{
    const HostRun& normal = SharedSample({"--scenario", "level", "--seed", "7"});
    ASSERT_EQ(normal.status, 0) << normal.err;
    const HostRun legendary =
        RunSample({"--scenario", "level", "--seed", "7", "--difficulty", "2"});
    ASSERT_EQ(legendary.status, 0) << legendary.err;

    const std::string& plain = normal.out;
    EXPECT_NE(plain.find("proxy Records/Level/Proxy.dbr pool Records/Level/Spawn/Pack.dbr level 4"),
              std::string::npos)
        << plain;
    EXPECT_NE(legendary.out.find(
                  "proxy Records/Level/Proxy.dbr pool Records/Level/Spawn/PackLegendary.dbr "
                  "level 12"),
              std::string::npos);
    // The chest first, then the pack, each monster knowing how many came with it.
    const size_t chest = plain.find("placed Records/Level/Spawn/Chest.dbr");
    EXPECT_LT(chest, plain.find("placed Records/Level/Spawn/Jackal.dbr"));
    EXPECT_NE(plain.find("by Records/Level/Proxy.dbr siblings 3"), std::string::npos);
    EXPECT_NE(plain.find("ambush Records/Level/Ambush.dbr releases Records/Level/Spawn/Jackal.dbr"),
              std::string::npos);
    for (const char* landmark : {"Marker", "RespawnShrine", "TeleportShrine"}) {
        SCOPED_TRACE(landmark);
        const std::string name = std::string("found Records/Level/") + landmark + ".dbr state ";
        EXPECT_LT(plain.find(name + "0 -> 3"), plain.find(name + "3 -> 4"));
        EXPECT_NE(plain.find(name + "3 -> 4"), std::string::npos);
    }
    EXPECT_NE(plain.find("heal Records/Level/RespawnShrine.dbr -> "), std::string::npos);
}

} // namespace
} // namespace GAME::Test
