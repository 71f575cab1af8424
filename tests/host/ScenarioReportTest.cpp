#include "host/scenarios/ScenarioReport.h"

#include "host/scenarios/CastReport.h"
#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace GAME::Test {
namespace {

TEST(ScenarioReport, EachScenarioRefusesTheRolesItDoesNotPlay)
{
    const struct {
        const char* scenario;
        const char* role;
        const char* error;
    } rows[] = {
        {"ai", "server", "--scenario ai runs as single player only"},
        {"arena", "server", "--scenario arena runs as single player only"},
        {"kill", "server", "--scenario kill runs as single player only"},
        {"commands", "single", "--scenario commands runs as server only"},
        {"players", "single", "--scenario players runs as server only"},
        {"level", "server", "--scenario level runs as single player only"},
        {"bag", "server", "--scenario bag runs as single player only"},
        {"trade", "server", "--scenario trade plays its machines itself; no --role goes with it"},
        {"actions", "client", "--scenario runs as single or server, not as client"},
        {"walk", nullptr, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scenario);
        std::vector<std::string> args{"--scenario", row.scenario};
        if (row.role != nullptr)
            args.insert(args.end(), {"--role", row.role});
        const HostRun run = RunSample(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(row.error), std::string::npos) << run.err;
    }
}

TEST(ScenarioReport, OrdersRunAsActionsAndEveryoneEndsWhereSent)
{
    const HostRun run = RunSample({"--scenario", "actions"});
    ExpectPlayed(
        run,
        {"scenario actions as single player, 100 ms frames:\n",
         "  100 ms: player runs to (7.00, 0.00, 0.00) -> Current Action: MoveToAction\n",
         "  100 ms: player (0.30, 0.00, 0.00) Life: Alive | Action State: Move | Current Action: "
         "MoveToAction\n",
         // Stopped at the end of the path, then the controller fills the gap with idling.
         "ms: warrior (1.00, 0.00, 0.00) Life: Alive | Action State: Idle | Current Action: "
         "IdleAction\n",
         // No skill is held, so the attack cannot start and ends inside the handler.
         "  3500 ms: player attacks warrior -> Current Action: AttackAction (finished)\n",
         "  3600 ms: warrior is killed -> Current Action: DieAction\n",
         "  3600 ms: warrior (1.00, 0.00, 0.00) Life: Dying | Action State: Dying | Current "
         "Action: DieAction\n",
         "ms: player (4.00, 0.00, 2.00) Life: Alive | Action State: Idle | Current Action: "
         "IdleAction\n",
         "objects: 0\n"});
    EXPECT_NE(run.out.find("ms: shaman removed\n"), std::string::npos);
    EXPECT_NE(run.out.find("ms: warrior removed\n"), std::string::npos);
    EXPECT_EQ(run.out.find("Packet ("), std::string::npos) << "a single player sends nothing";
}

TEST(ScenarioReport, AServerBroadcastsEachOrderAsItsPacket)
{
    const HostRun run = RunSample({"--scenario", "actions", "--role", "server"});
    EXPECT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out,
                  {"scenario actions as server, 100 ms frames:\n",
                   "  100 ms: warrior runs to (1.00, 0.00, 0.00) -> Current Action: "
                   "MoveToAction\n"
                   "    MoveToPacket (broadcast, 85 bytes)\n",
                   "  3500 ms: player attacks warrior", "    AttackPacket (broadcast, 85 bytes)\n",
                   "  3600 ms: warrior is killed", "    DiePacket (broadcast, ", "objects: 0\n"});
}

TEST(AiReport, RaidersTakeThePlacesRoundTheHeroAndTheDeadOneDropsTheSameGoldForTheSameSeed)
{
    const HostRun run = RunSample({"--scenario", "ai", "--seed", "1"});
    ExpectPlayed(
        run,
        {"scenario ai as single player, seed 1:\n"
         "  hero at (0.00, 0.00, 0.00), 3 attack places at radius 2.00\n"
         "  wall from x -5.00 to -4.50, palisade at (0.00, 0.00, -6.00)\n"
         "  frame 1:\n"
         "    raider 1 at (6.00, 0.00, 1.00): place at (2.00, 0.00, 0.00); goal (2.00, 0.00, "
         "0.00)\n",
         "    raider 4 at (0.00, 0.00, -12.00): no place, waits by (-1.00, 0.00, -1.73)",
         "    raider 3 sees the hero: blocked by the wall; barrier: none\n"
         "    raider 4 sees the hero: clear; barrier: palisade\n"
         "    places: 0 raider 1, 1 raider 2, 2 raider 3\n",
         // The fast raider reaches the slow one's place first and takes it.
         "  frame 3:\n",
         "    raider 3: LostSlot\n"
         "    raider 4 at (-0.58, 0.00, -6.03): place at (-1.00, 0.00, -1.73)",
         "    places: 0 raider 1, 1 raider 2, 2 raider 4\n", "  frame 5:\n",
         "; goal (0.00, 0.00, -1.73) (bent round taken points)\n",
         "  raider 1 dies (KillMe):\n"
         "    gold pile 1: Records/Items/Gold/GoldPileLarge.dbr, 22 gold at (2.00, 0.00, 0.00), "
         "fresh id\n"
         "    gold pile 2: Records/Items/Gold/GoldPileLarge.dbr, 13 gold at (2.00, 0.00, 0.00), "
         "fresh id\n"
         "    event: GameEvent_CreatureStartDeath (raider 1)\n"
         "    life state 3 (Life: Dying)\n"
         "  frame 6:\n",
         // The dead holder's place goes to the raider that was waiting.
         "    raider 3 at (-6.51, 0.00, -1.22): place at (2.00, 0.00, 0.00)",
         "    places: 0 raider 3, 1 raider 2, 2 raider 4\n"
         "database: "});
    EXPECT_EQ(RunSample({"--scenario", "ai", "--seed", "1"}).out, run.out);
}

HostRun Arena(const std::vector<std::string>& extra)
{
    return RunScenario({"--scenario", "arena", "--ms", "100"}, extra);
}

TEST(ArenaReport, ThePackPatrolsTheBandFightsAndTheChieftainDropsItsLoot)
{
    const HostRun run = Arena({});
    ExpectPlayed(
        run, {"scenario arena, seed 1, built-in orders, 100 ms frames:\n",
              "  route: (10.00, 0.00, -8.00) (10.00, 0.00, 6.00) (16.00, 0.00, 0.00)\n",
              "  Follower1 follows Chieftain\n  Follower2 follows Chieftain\n",
              // The pack has gathered its three points and walks them: without them it would roam.
              "  frame 9: Jackal1 Patrol | life 40.0 | no enemy | skill none | slot none\n",
              "  frame 63: Chieftain dies\n"
              "    drops Records/Items/Gold/GoldPileSmall.dbr, 39 gold at (-7.93, 0.00, 2.67)\n"
              "    drops Records/Items/Gold/GoldPileSmall.dbr, 14 gold at (-7.93, 0.00, 2.67)\n"
              "    drops Records/Items/Gold/GoldPileSmall.dbr, 6 gold at (-7.93, 0.00, 2.67)\n"
              "    drops Records/Items/Potions/HealthPotion.dbr at (-7.93, 0.00, 2.67)\n"
              "    drops Records/Items/Shields/WoodenShield.dbr at (-7.93, 0.00, 2.67)\n",
              "  frame 82: Chieftain gone\n",
              // After a kill the hero still attacks the next foe he is sent at.
              "  frame 150: order click @Follower1 -> false\n"
              "  frame 150: Hero (-5.97, 0.00, 2.40) UseSkill | life 265.4\n",
              "  frame 174: Follower1 dies\n"
              "    drops Records/Items/Gold/GoldPileSmall.dbr, 11 gold at (-6.12, 0.00, 0.79)\n"
              "    drops Records/Items/Gold/GoldPileSmall.dbr, 22 gold at (-6.12, 0.00, 0.79)\n",
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

// The hero is sent at a jackal of the patrolling pack and holds his ground; two tests read it.
const HostRun& HuntJackal()
{
    static const TempDatabase folder;
    static const HostRun run = [] {
        folder.WriteFile("orders.txt", "1 click @Jackal1\n2 hold\n");
        return Arena({"--input", folder.GetRoot() + "/orders.txt", "--frames", "50"});
    }();
    return run;
}

TEST(ArenaReport, TheHeroObeysAnOrderFileNamingTheArenasCast)
{
    const HostRun& run = HuntJackal();
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out, {"  frame 1: order click @Jackal1 -> false\n",
                            "  frame 1: Hero (0.26, 0.00, -0.15) MoveToUseSkill | life 300.0\n",
                            "  frame 2: order hold -> false\n",
                            "  frame 41: Jackal1 dies\n"
                            "    drops Records/Items/Gold/"});
}

// A monster's attack played at speed 0 never reaches its hit: the hero would never be touched.
TEST(ArenaReport, AJackalsClawWoundsTheHeroWhoFightsIt)
{
    const HostRun& run = HuntJackal();
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out, {"  frame 20: Jackal1 Attack | life 40.0 | Hero 58.7 | ",
                            "  frame 23: Hero (5.46, 0.00, -2.91) UseSkill | life 300.0\n",
                            "  frame 24: Hero (5.46, 0.00, -2.91) UseSkill | life 295.5\n"});
    // The wound is a jackal's: the chieftain's band never closes on him.
    for (const char* other :
         {"Chieftain Attack", "Follower1 Attack", "Follower2 Attack", "Mender Attack"})
        EXPECT_EQ(run.out.find(other), std::string::npos) << other;
}

TEST(CommandReport, TheClientReplaysTheServersCommandsToTheSameEndState)
{
    const HostRun run = RunSample({"--scenario", "commands"});
    ExpectClean(run);
    // The packets' fields are the packet tests' to pin; here the two machines must agree.
    ExpectInOrder(run.out, {
                               "scenario commands as server, seed 1:\n",
                               "  server end state:\n",
                               "    monster: life 120.0 of 120.0, team 2:1, hidden, worn [], "
                               "carried []\n"
                               "    shield: held, potion: gone, net sound plays: 1\n"
                               "  client: a fresh engine replays the 8 packets received\n",
                               "  client ran 8 of them; client end state:\n",
                               "  server and client agree: yes\n",
                               "  rag-doll death: ",
                               "    body 0 (Bip01 Pelvis to Bip01 Spine): velocity (",
                               "    body 2 (Bip01 Neck to Bip01 Head): velocity (",
                           });
}

TEST(KillReport, TheMonsterRollsItsGearAndTheHeroEarnsHisShareAndALevel)
{
    const HostRun run = RunSample({"--scenario", "kill", "--seed", "7"});
    ExpectPlayed(run, {
                          "scenario kill as single player, seed 7:\n",
                          ", level 3, experience 1200, reward 1200\n"
                          "  monster's equipment for loot seed 7: 2 items\n",
                          " Records/Items/Armor/LeatherCuirass.dbr\n",
                          " Records/Items/Shields/WoodenShield.dbr\n",
                          "  damage: total 80.0; player (with pet) 40.0, share 0.5; "
                          "stranger 40.0, share 0.5\n"
                          "  player before: level 1, experience 0\n",
                          "(the pet; its master earns)\n"
                          "  event: GameEvent_PlayerLevelUp (object ",
                          "  bonus: experience 600, gold 0\n"
                          "  player after: level 2, experience 600\n"
                          "  damage entry left: no\n"
                          "  play stats:\n",
                          "         Total Gained 600\n",
                      });
}

TEST(CastReport, APetServesFiveSecondsAndTheElderIsRestoredAlike)
{
    const HostRun run = RunSample({"--scenario", "cast"});
    ASSERT_EQ(run.status, 0) << run.err;
    // The sample skills name classes the library does not make yet; nothing else may fail.
    std::istringstream errors(DataErrors(run.err));
    for (std::string line; std::getline(errors, line);)
        EXPECT_NE(line.find("Records/Skills/"), std::string::npos) << line;
    const std::string monster = CastReport::kMonster;
    ExpectInOrder(run.out, {
                               "scenario cast as single player, seed 1:\n",
                               "guard: team 2/",
                               ", invincible yes\n",
                               "pet:\n  t=0 ms: the monster joins the hero for 5000 ms\n",
                               "  t=0 ms: " + monster + " (",
                               "): leader 0 -> ",
                               "): team 3/2 -> 2/0\n",
                               "  t=5000 ms: " + monster + " (",
                               " -> 0\n",
                               "): team 2/0 -> 3/2\n",
                           });
    // His level state comes back alike.
    for (const std::string what : {"monster: ", "npc: "}) {
        const std::string before = LineAfter(run.out, "  before: " + what);
        EXPECT_NE(before, "") << what;
        EXPECT_EQ(LineAfter(run.out, "  after:  " + what), before);
    }
    EXPECT_NE(run.out.find("  world cleared: 0 entities\n"), std::string::npos) << run.out;
}

TEST(CastReport, SpawnsAreCheckedBeforeTheSessionStarts)
{
    for (const char* bad : {"NoPoint.dbr", "@1,2,3", "A.dbr@1,2", "A.dbr@1,2,3,4", "A.dbr@x,0,0",
                            "A.dbr@inf,0,0", "A.dbr@1,,3"}) {
        const HostRun run = RunSample({"--role", "single", "--spawn", bad});
        EXPECT_EQ(run.status, 1) << bad;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1),
                  "gamehost: --spawn needs RECORD@x,y,z, not '" + std::string(bad) + "'\n");
    }
    const HostRun missing = RunSample({"--role", "single", "--spawn", "No.dbr@0,0,0"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("gamehost: spawn record 'No.dbr' does not make a character\n"),
              std::string::npos)
        << missing.err;
    const HostRun outside =
        RunSample({"--role", "single", "--spawn", std::string(CastReport::kNpc) + "@30,0,0"});
    EXPECT_EQ(outside.status, 2);
    EXPECT_NE(outside.err.find("lies outside the session's region"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
