#include "host/scenarios/ItemsReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(ItemsReport, TwentyRolledItemsAreMadeAgainAlikeFromTheirReplicaRecords)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--items", "--seed", "7"});
    ExpectClean(run);
    EXPECT_NE(run.out.find("item 20\n"), std::string::npos);
    EXPECT_EQ(LinesStarting(run.out, "client agrees"), "client agrees: 20 of 20\n");
    EXPECT_NE(run.out.find("  Character Cost Attributes\n"), std::string::npos);
    EXPECT_NE(run.out.find("^bCalculated Cost: "), std::string::npos);
    // Some roll carries an affix and every item has its price line.
    EXPECT_NE(run.out.find("Records/Items/Affixes/"), std::string::npos);
    EXPECT_EQ(Occurrences(run.out, "  price "), 20u);
    EXPECT_NE(RunHost({"--db", SampleDatabase(), "--items", "--seed", "8"}).out, run.out);
}

} // namespace
} // namespace GAME::Test
