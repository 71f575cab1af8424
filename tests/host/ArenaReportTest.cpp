#include "host/ArenaReport.h"

#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace GAME::Test {
namespace {

void ExpectInOrder(const std::string& text, std::initializer_list<const char*> lines)
{
    size_t at = 0;
    for (const char* line : lines) {
        const size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << text;
        at = found;
    }
}

HostRun Arena(std::initializer_list<std::string> extra)
{
    std::vector<std::string> args{"--db", SampleDatabase(), "--scenario", "arena", "--ms", "100"};
    args.insert(args.end(), extra);
    return RunHost(args);
}

TEST(ArenaReport, ThePackPatrolsTheBandFightsAndTheChieftainDropsItsLoot)
{
    const HostRun run = Arena({});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DataErrors(run.err), "") << run.err;
    ExpectInOrder(
        run.out,
        {"scenario arena, seed 1, built-in orders, 100 ms frames:\n",
         "  route: (10.00, 0.00, -8.00) (10.00, 0.00, 6.00) (16.00, 0.00, 0.00)\n",
         "  Follower1 follows Chieftain\n  Follower2 follows Chieftain\n",
         "  frame 0: Follower1 DefendLeader | life 40.0 | no enemy | skill none | slot none\n",
         "  frame 5: Chieftain Pursue | life 70.0 | Hero 10.6 | skill DefaultWeaponAttack | "
         "slot 2\n",
         // The pack has gathered its three points and walks them: without them it would roam.
         "  frame 9: Jackal1 Patrol | life 40.0 | no enemy | skill none | slot none\n",
         "  frame 28: Chieftain Attack | life 56.9 | Hero 100.0 | skill DefaultWeaponAttack | "
         "slot 2\n",
         "  frame 63: Mender UseSkillOnAlly | life 50.0 | Hero 99.0 | skill MendingTouch | "
         "slot none\n"
         "  frame 63: Chieftain dies\n"
         "    drops Records/Items/Gold/GoldPileLarge.dbr, 30 gold at (-7.90, 0.00, 2.91)\n"
         "    drops Records/Items/Gold/GoldPileLarge.dbr, 14 gold at (-7.90, 0.00, 2.91)\n"
         "    drops Records/Items/Gold/GoldPileSmall.dbr, 20 gold at (-7.90, 0.00, 2.91)\n"
         "    drops Records/Items/Potions/HealthPotion.dbr at (-7.90, 0.00, 2.91)\n"
         "    drops Records/Items/Shields/WoodenShield.dbr at (-7.90, 0.00, 2.91)\n",
         "  frame 82: Chieftain gone\n",
         // After a kill the hero still attacks the next foe he is sent at.
         "  frame 150: order click @Follower1 -> false\n"
         "  frame 150: Hero (-5.97, 0.00, 2.40) UseSkill | life 300.0\n",
         "  frame 174: Follower1 dies\n"
         "    drops Records/Items/Gold/GoldPileSmall.dbr, 10 gold at (-6.08, 0.00, 0.81)\n"
         "    drops Records/Items/Gold/GoldPileSmall.dbr, 25 gold at (-6.08, 0.00, 0.81)\n",
         "  frame 300: order release -> false\n"});
    // One death, one set of drops: a body is not reported dying again while it fades.
    const size_t death = run.out.find("Chieftain dies\n");
    EXPECT_EQ(run.out.find("Chieftain dies\n", death + 15), std::string::npos);
    const size_t follower = run.out.find("Follower1 dies\n");
    EXPECT_EQ(run.out.find(" dies\n", follower + 15), std::string::npos);

    EXPECT_EQ(Arena({}).out, run.out);
    const HostRun other = Arena({"--seed", "5"});
    EXPECT_EQ(other.status, 0);
    EXPECT_NE(other.out.substr(other.out.find('\n')), run.out.substr(run.out.find('\n')));
}

TEST(ArenaReport, TheHeroObeysAnOrderFileNamingTheArenasCast)
{
    TempDatabase folder;
    folder.WriteFile("orders.txt", "1 click @Jackal1\n2 hold\n");
    const std::string path = folder.GetRoot() + "/orders.txt";
    const HostRun run = Arena({"--input", path, "--frames", "50"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out, {"  frame 1: order click @Jackal1 -> false\n",
                            "  frame 1: Hero (0.26, 0.00, -0.15) MoveToUseSkill | life 300.0\n",
                            "  frame 2: order hold -> false\n",
                            "  frame 48: Jackal1 dies\n"
                            "    drops Records/Items/Gold/"});
}

TEST(ArenaReport, RefusesABadScriptAndOtherRoles)
{
    TempDatabase folder;
    folder.WriteFile("orders.txt", "1 click @Elder\n");
    const std::string path = folder.GetRoot() + "/orders.txt";
    const HostRun bad = Arena({"--input", path});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "gamehost: script '" + path +
                           "' line 1: no character, item, NPC or fixed item is named 'Elder'\n");
    EXPECT_EQ(bad.out, "");

    const HostRun server = Arena({"--role", "server"});
    EXPECT_EQ(server.status, 1);
    EXPECT_NE(server.err.find("--scenario arena runs as single player only"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
