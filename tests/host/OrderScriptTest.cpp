#include "host/OrderScript.h"
#include "host/InputReport.h"

#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

class InputReportTest : public ::testing::Test {
protected:
    std::string Script(const std::string& text)
    {
        folder.WriteFile("orders.txt", text);
        return folder.GetRoot() + "/orders.txt";
    }
    HostRun Run(const std::string& script) { return RunSample({"--input", script}); }

    TempDatabase folder;
};

TEST_F(InputReportTest, ABadScriptExitsTwoWithOneLineAndRunsNothing)
{
    const std::string path = Script("1 click 2,3\n2 click @Dragon\n");
    const HostRun run = Run(path);
    ExpectRefusal(run, 2,
                  "gamehost: script '" + path +
                      "' line 2: no character, item, NPC or fixed item is named 'Dragon'\n");

    const HostRun both = RunSample({"--input", path, "--role", "single"});
    EXPECT_EQ(both.status, 1);
    EXPECT_EQ(both.err.substr(0, both.err.find('\n')),
              "gamehost: --input plays as single player, without --role or --scenario");
}

TEST_F(InputReportTest, EachFrameShowsTheHeroAndTheOrdersGivenInIt)
{
    const HostRun run = Run(Script("1 click 3,0\n2 slot 0\n3 hold\n4 release\n"));
    ExpectClean(run);
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
    ExpectClean(run);
    EXPECT_NE(run.out.find("  frame 50: slot 0 -> true\n"), std::string::npos);
    EXPECT_NE(run.out.find("  frame 51: click @Raider -> false\n"), std::string::npos);
    // The punch started at frame 170 cannot land before frame 180: the blow seen at 171 is the
    // haymaker's.
    const double afterHaymaker = RaiderLife(run.out, 171);
    EXPECT_GT(afterHaymaker, 0.0);
    EXPECT_LT(afterHaymaker, 120.0);
    EXPECT_NE(run.out.find("Raider life 0.0"), std::string::npos);
}

OrderScript MakeScript()
{
    return OrderScript({"Elder", "Goblin", "Wolf"});
}

TEST(OrderScriptTest, ReadsEveryOrderKindWithItsLine)
{
    OrderScript script = MakeScript();
    std::string error;
    ASSERT_TRUE(script.Parse("# walk, talk, fight\n"
                             "2 click 3.5,-1.25\r\n"
                             "\n"
                             "5\tclick @Elder\n"
                             "9 hold\n"
                             "9 release\n"
                             "12 right @Goblin\n"
                             "20 slot 9\n"
                             "21 pet @Wolf\n"
                             "30 sell @Elder\n"
                             "31 buy @Elder",
                             error))
        << error;
    const auto& orders = script.GetOrders();
    using K = ScriptOrder::Kind;
    std::vector<K> kinds;
    for (const ScriptOrder& order : orders)
        kinds.push_back(order.kind);
    ASSERT_EQ(kinds, (std::vector<K>{K::Click, K::ClickOn, K::Hold, K::Release, K::Right, K::Slot,
                                     K::Pet, K::Sell, K::Buy}));
    EXPECT_EQ(orders[0].frame, 2);
    EXPECT_FLOAT_EQ(orders[0].x, 3.5f);
    EXPECT_FLOAT_EQ(orders[0].z, -1.25f);
    EXPECT_EQ(orders[0].line, 2);
    EXPECT_EQ(orders[1].name, "Elder");
    EXPECT_EQ(orders[1].line, 4);
    EXPECT_EQ(orders[4].name, "Goblin");
    EXPECT_EQ(orders[5].slot, 9u);
    EXPECT_EQ(orders[6].line, 9);
}

TEST(OrderScriptTest, TheFirstBadLineFailsTheWholeScriptNamingThatLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1 click 1,1\n2 jump\n", "line 2: unknown order 'jump'"},
        {"1 click nan,0\n", "line 1: click needs X,Z or @NAME, not 'nan,0'"},
        {"1 click 1e30,0\n", "line 1: click needs X,Z or @NAME, not '1e30,0'"},
        {"1 click 4\n", "line 1: click needs X,Z or @NAME, not '4'"},
        {"1 click @Dragon\n", "line 1: no character, item, NPC or fixed item is named 'Dragon'"},
        {"1 pet Wolf\n", "line 1: needs @NAME, not 'Wolf'"},
        {"1 sell\n", "line 1: 'sell' needs an argument"},
        {"1 slot 10\n", "line 1: slot must be a bar slot from 0 to 9, not '10'"},
        {"1 slot -1\n", "line 1: slot must be a bar slot from 0 to 9, not '-1'"},
        {"-1 hold\n", "line 1: frame must be a whole number from 0 to 100000, not '-1'"},
        {"100001 hold\n", "line 1: frame must be a whole number from 0 to 100000, not '100001'"},
        {"5 hold\n4 release\n", "line 2: frame 4 comes after frame 5"},
        {"1 hold now\n", "line 1: unexpected 'now' after the order"},
        {"7\n", "line 1: needs FRAME ORDER"},
    };
    for (const auto& [text, expected] : cases) {
        OrderScript script = MakeScript();
        std::string error;
        EXPECT_FALSE(script.Parse(text, error)) << text;
        EXPECT_EQ(error, expected) << text;
        EXPECT_TRUE(script.GetOrders().empty()) << text;
    }
}

TEST(OrderScriptTest, OverlongLinesAndUnprintableNamesStayOneShortLine)
{
    OrderScript script = MakeScript();
    std::string error;
    EXPECT_FALSE(script.Parse("1 hold\n1 click @" + std::string(300, 'x') + "\n", error));
    EXPECT_EQ(error, "line 2: longer than 200 characters");
    // Escaped as a level's names are; a long name is cut where a character starts.
    const std::pair<std::string, std::string> names[] = {
        {"W\x01\xC3\xB6lf\xFF", "W\\x01\xC3\xB6lf\\xff"},
        {std::string(100, 'y'), std::string(32, 'y') + "..."},
        {std::string(31, 'y') + "\xC3\xB6y", std::string(31, 'y') + "..."}};
    for (const auto& [name, shown] : names) {
        EXPECT_FALSE(script.Parse("1 pet @" + name + "\n", error));
        EXPECT_EQ(error, "line 1: no character, item, NPC or fixed item is named '" + shown + "'");
    }
}

TEST(OrderScriptTest, AMissingFileIsOneError)
{
    OrderScript script = MakeScript();
    std::string error;
    EXPECT_FALSE(script.Load("/nonexistent/orders.txt", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

} // namespace
} // namespace GAME::Test
