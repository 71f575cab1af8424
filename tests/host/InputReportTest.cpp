#include "host/InputReport.h"

#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

class InputReportTest : public ::testing::Test {
protected:
    std::string Script(const std::string& text)
    {
        folder.WriteFile("orders.txt", text);
        return folder.GetRoot() + "/orders.txt";
    }
    HostRun Run(const std::string& script)
    {
        return RunHost({"--db", SampleDatabase(), "--input", script});
    }

    TempDatabase folder;
};

TEST_F(InputReportTest, ABadScriptExitsTwoWithOneLineAndRunsNothing)
{
    const std::string path = Script("1 click 2,3\n2 click @Dragon\n");
    const HostRun run = Run(path);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "gamehost: script '" + path +
                           "' line 2: no character, item, NPC or fixed item is named 'Dragon'\n");
    EXPECT_EQ(run.out, "");

    const HostRun both = RunHost({"--db", SampleDatabase(), "--input", path, "--role", "single"});
    EXPECT_EQ(both.status, 1);
    EXPECT_EQ(both.err.substr(0, both.err.find('\n')),
              "gamehost: --input plays as single player, without --role or --scenario");
}

TEST_F(InputReportTest, EachFrameShowsTheHeroAndTheOrdersGivenInIt)
{
    const HostRun run = Run(Script("1 click 3,0\n2 slot 0\n3 hold\n4 release\n"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DataErrors(run.err), "");
    EXPECT_NE(run.out.find("  bar slot 0: Records/Skills/Hunting/ChargingVolley.dbr\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("  frame 1: click 3.00,0.00 -> true\n"), std::string::npos);
    // A 33 ms frame at the hero's run speed of 3.0 a second.
    EXPECT_NE(run.out.find("  frame 1: (0.10, 0.00, 0.00) MoveTo | Action State: Move | no "
                           "target | armed none\n"),
              std::string::npos)
        << run.out;
    // The volley waits for its target, so the slot stays armed.
    EXPECT_NE(run.out.find("  frame 2: slot 0 -> true\n"), std::string::npos);
    EXPECT_NE(run.out.find("  frame 2: (0.20, 0.00, 0.00) MoveTo | Action State: Move | no "
                           "target | armed slot 0\n"),
              std::string::npos);
    // The last order's frame and 30 more, 0 included.
    EXPECT_NE(run.out.find("  frame 34: "), std::string::npos);
    EXPECT_EQ(run.out.find("  frame 35: "), std::string::npos);
}

} // namespace
} // namespace GAME::Test
