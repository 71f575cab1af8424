#include "host/scenarios/BagReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(BagReport, DropsLandPotionsStackTheHeroDrinksAndTheBagComesBack)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--scenario", "bag", "--seed", "7"});
    ExpectPlayed(run, {
                          "scenario bag as single player, seed 7:\n",
                          "  pick up Records/Items/Potions/HealthPotion.dbr -> sack 0 at (0,0)\n",
                          "  pick up Records/Items/Gold/GoldPileSmall.dbr -> used (gold 0 -> ",
                          "  pick up Records/Items/Misc/Sack.dbr -> used (sacks 1 -> 2)\n",
                          "  pick up Records/Items/Potions/HealthPotion.dbr -> stack of "
                          "Records/Items/Potions/HealthPotion.dbr: 10 potions\n",
                          "  pick up Records/Items/Potions/HealthPotion.dbr -> sack 0 at (3,0)\n",
                          "    HMDH........\n",
                          "  Records/Items/Potions/HealthPotion.dbr: 12 potions in 10 2\n",
                          "wounded to life 40.0 of 300.0\n"
                          "drink Records/Items/Potions/HealthPotion.dbr: life 40.0 -> 80.0\n"
                          "drink refused: cooling down\n",
                          "  Records/Items/Potions/HealthPotion.dbr: 11 potions in 10 1\n",
                          "reloaded bag matches: yes\n",
                      });
    // One seed, one scatter.
    EXPECT_EQ(RunHost({"--db", SampleDatabase(), "--scenario", "bag", "--seed", "7"}).out, run.out);
    EXPECT_NE(RunHost({"--db", SampleDatabase(), "--scenario", "bag", "--seed", "8"}).out, run.out);
}

} // namespace
} // namespace GAME::Test
