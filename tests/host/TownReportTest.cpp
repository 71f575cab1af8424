#include "host/OrderScript.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(QuestOrderScript, ReadsTheFourQuestOrders)
{
    OrderScript script({"Elder", "Hero"});
    std::string error;
    ASSERT_TRUE(script.Parse("1 quest @Elder move -2.5,4\n"
                             "2 quest @Hero walk 1,1\n"
                             "3 quest @Elder anim Chat loop\n"
                             "4 quest @Elder skill Records/Skills/Ambient/Bolt.dbr @Hero\n",
                             error))
        << error;
    const auto& orders = script.GetOrders();
    ASSERT_EQ(orders.size(), 4u);
    EXPECT_EQ(orders[0].kind, ScriptOrder::Kind::Quest);
    EXPECT_FLOAT_EQ(orders[0].x, -2.5f);
    EXPECT_EQ(orders[1].quest, ScriptOrder::Quest::Walk);
    EXPECT_TRUE(orders[2].loop);
    EXPECT_EQ(orders[3].target, "Hero");
}

TEST(QuestOrderScript, ABadQuestOrderFailsItsLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1 quest @Elder dance 1,1\n",
         "line 1: quest takes move, walk, anim, skill or wake, not 'dance'"},
        {"1 quest @Nobody walk 1,1\n",
         "line 1: no character, item, NPC or fixed item is named 'Nobody'"},
        {"1 quest @Elder anim Juggle\n", "line 1: no animation type is named 'Juggle'"},
        {"1 quest @Elder anim None\n", "line 1: no animation type is named 'None'"},
        {"1 quest @Elder move\n", "line 1: quest needs @NAME, a kind and its argument"},
        {"1 quest @Elder walk nan,1\n", "line 1: quest walk needs X,Z, not 'nan,1'"},
        {"1 quest @Elder anim Chat always\n", "line 1: unexpected 'always' after the order"},
        {"1 quest @Elder skill Bolt.dbr @Dragon\n",
         "line 1: no character, item, NPC or fixed item is named 'Dragon'"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        OrderScript script({"Elder", "Hero"});
        std::string error;
        EXPECT_FALSE(script.Parse(text, error));
        EXPECT_EQ(error, expected);
    }
}

TEST(TownReport, TheTownLivesAndTheHeroFellsTheCrab)
{
    const HostRun run = RunSample({"--scenario", "town", "--ms", "100"});
    ExpectClean(run);
    // The townsfolk's states are the controllers' tests to pin; the orders and the kill are here.
    ExpectInOrder(run.out, {"scenario town, seed 1, built-in orders, 100 ms frames:\n",
                            "  frame 90: quest @Elder walk -6.00,6.00 -> true\n",
                            "  frame 150: quest @Elder anim Chat -> true\n", "Crab dies\n",
                            "    drops Records/Items/Misc/RedDye.dbr at (6.00, 0.00, -6.00)\n"});
}

} // namespace
} // namespace GAME::Test
