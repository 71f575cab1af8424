#include "host/scenarios/TradeReport.h"
#include "host/scenarios/WearReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(WearTradeReport, TheHeroDressesShedsTheHelmetAndCompletesARelicIntoHisSword)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--scenario", "wear", "--seed", "7"});
    ExpectPlayed(run, {"cursor puts Records/Items/Armor/IronHelm.dbr on Head: placed\n",
                       "  HandRight: Records/Items/Weapons/TrainingSword.dbr, worn at \"R Hand\"\n",
                       "  hand state 1\n", "is shed, and stays in Head\n",
                       "  Head: Records/Items/Armor/IronHelm.dbr, not worn\n",
                       "shard set onto shard: level 3 of 3",
                       "relic complete: Records/Items/Relics/", "answered yes\n",
                       "holds Records/Items/Relics/HunterEye.dbr at level 3, "
                       "classification 8, strength +6.0"});
}

TEST(WearTradeReport, TheServerEndsWithEachHeroHoldingTheOthersOffer)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--scenario", "trade"});
    EXPECT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out, {"client (B): B answers the invitation yes\n  trade active\n",
                            "my offer:  Records/Items/Relics/HunterEye.dbr, 40 gold, confirmed\n",
                            "server's end state:\n",
                            "  purses: A 420, B 380\nexchange complete on the server: yes\n"});
}

} // namespace
} // namespace GAME::Test
