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
    EXPECT_NE(run.out.find("  bar slot 0: Records/Skills/Brawling/Haymaker.dbr\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("  frame 1: click 3.00,0.00 -> true\n"), std::string::npos);
    // A 33 ms frame at the hero's run speed of 3.0 a second.
    EXPECT_NE(run.out.find("  frame 1: (0.10, 0.00, 0.00) MoveTo | Action State: Move | no "
                           "target | armed none\n"),
              std::string::npos)
        << run.out;
    // The haymaker waits for its target, so the slot stays armed.
    EXPECT_NE(run.out.find("  frame 2: slot 0 -> true\n"), std::string::npos);
    EXPECT_NE(run.out.find("  frame 2: (0.20, 0.00, 0.00) MoveTo | Action State: Move | no "
                           "target | armed slot 0\n"),
              std::string::npos);
    // The last order's frame and 30 more, 0 included.
    EXPECT_NE(run.out.find("  frame 34: "), std::string::npos);
    EXPECT_EQ(run.out.find("  frame 35: "), std::string::npos);
}

// The raider's life on the first line of a frame that shows him; -1 when none does.
double RaiderLife(const std::string& out, int frame)
{
    const std::string head = "  frame " + std::to_string(frame) + ": (";
    const size_t line = out.find(head);
    const size_t life = line == std::string::npos ? line : out.find("Raider life ", line);
    if (life == std::string::npos || life > out.find('\n', line))
        return -1.0;
    return std::stod(out.substr(life + 12));
}

TEST_F(InputReportTest, TheSampleScriptFiresTheBarSkillAndKillsTheRaider)
{
    const HostRun run = Run(SampleDatabase() + "/../input/HeroOrders.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DataErrors(run.err), "");
    EXPECT_NE(run.out.find("  frame 50: slot 0 -> true\n"), std::string::npos);
    EXPECT_NE(run.out.find("  frame 51: click @Raider -> false\n"), std::string::npos);
    // The punch started at frame 170 cannot land before frame 180: the blow seen at 171 is the
    // haymaker's.
    const double afterHaymaker = RaiderLife(run.out, 171);
    EXPECT_GT(afterHaymaker, 0.0);
    EXPECT_LT(afterHaymaker, 120.0);
    EXPECT_NE(run.out.find("Raider life 0.0"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
